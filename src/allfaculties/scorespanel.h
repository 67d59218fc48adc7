#pragma once
// The applicant's side of the all-faculties window: an optional name, a
// score per subject, the GPA and the PR, edited in place. A value committed goes into the entries
// the wizard remembers and their file, through page 2's and page 3's rules;
// a value still being typed is reported as the applicant it would make, so
// the ranking can show it before it is committed.

#include "applicant.h"
#include "typedgpapr.h"

#include <QList>
#include <QWidget>
#include <string>
#include <string_view>

class QLineEdit;
class QModelIndex;
class QTableView;

namespace tamrik {

class ScoresModel;
class Session;

class ScoresPanel : public QWidget {
    Q_OBJECT
public:
    // Throws ruledb::DbError when the database cannot list the subjects.
    explicit ScoresPanel(Session& session, QWidget* parent = nullptr);

    // The remembered entries changed elsewhere (the wizard, a change of user).
    void reload();
    // The controls Tab walks through, in order.
    QList<QWidget*> tabStops() const;
    // The name as typed, blanks tidied.
    QString applicantName() const;

signals:
    // Each saved to the entries file already.
    void scoreEdited(const QString& code);
    void gpaEdited();
    void prEdited();
    // What a value being typed would make of the applicant.
    void typing(const Applicant& applicant);
    // The value being typed was given up, or is one the box would refuse:
    // the remembered entries stand.
    void typingDropped();
    // A value refused on leaving its box, after its message.
    void editRefused();

private:
    void showGpaPr();
    void previewScore(const QModelIndex& index, const QString& text);
    void previewBox(QLineEdit* box, bool isGpa);
    // Enter took a score: on to the next subject, or the GPA after the last.
    void moveOn(const QModelIndex& index, const QString& text);
    void commitGpa();
    void commitPr();
    // A typed GPA or PR into its digits, through page 3's rules for leaving a box.
    // Returns whether the digits changed.
    bool commitBox(QLineEdit* box, std::string& digits, std::string (*shown)(std::string_view),
                   TypedDigits (*typed)(std::string_view));

    Session& m_session;
    ScoresModel* m_scores = nullptr;
    QLineEdit* m_TextApplicantName = nullptr;
    QTableView* m_TableScores = nullptr;
    QLineEdit* m_TextAllGpa = nullptr;
    QLineEdit* m_TextAllPr = nullptr;
};

}  // namespace tamrik
