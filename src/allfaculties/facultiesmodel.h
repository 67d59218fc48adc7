#pragma once
// Every faculty's evaluation as rows of a table, in the engine's ranking.
// The model only maps the engine's figures to cells: it works nothing out.

#include "evaluation.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace tamrik {

class FacultiesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Rank, Code, University, Faculty, Composite, Highest, LastMin, LastMax, MarginPercent, ChanceColumn,
        RangeBar, Years, ColumnCount
    };
    enum Role {
        SortRole = Qt::UserRole,  // a number for the figures, the text otherwise
        RangeMinRole,             // last year's lowest, highest and the composite, for the bar
        RangeMaxRole,
        ScoreRole,
        YearsRole,                // every year's (lowest, highest) as QPointF, oldest first
        HeadingRole,              // a column's heading on one line
    };

    explicit FacultiesModel(QObject* parent = nullptr);

    // The ranked list replaces the previous one.
    void setEvaluations(std::vector<FacultyEvaluation> evaluations);
    const FacultyEvaluation& evaluation(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    const std::vector<FacultyEvaluation>& evaluations() const { return m_rows; }
    // The row of a faculty code, -1 when it is not ranked.
    int rowOf(const std::string& facCode) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What a row's cells show, as text (the range bar as the two figures);
    // the CSV export writes these.
    QString cellText(int row, int column) const;

    // The minimums failed, the subjects missing, what is needed, every year.
    static QString DetailsText(const FacultyEvaluation& e);

private:
    std::vector<FacultyEvaluation> m_rows;
};

}  // namespace tamrik
