#pragma once
// The applicant's subject scores, one row per subject of SubjectTable (code,
// name, score), over what the wizard remembers (ScoreByCode). An edit goes
// through the same range check and message as a score box of page 2, then
// into ScoreByCode and the entries file, as page 2 remembers its scores.

#include "subjecttable.h"

#include <QAbstractTableModel>
#include <vector>

namespace tamrik {

class Session;

class ScoresModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, Name, Score, ColumnCount };

    ScoresModel(Session& session, std::vector<ruledb::SubjectName> subjects, QObject* parent = nullptr);

    // The remembered scores changed elsewhere (the wizard, a change of user).
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void scoreEdited(const QString& code);  // remembered and saved

private:
    QString scoreText(int row) const;

    Session& m_session;
    std::vector<ruledb::SubjectName> m_subjects;
};

}  // namespace tamrik
