#pragma once
// Every faculty as rows of a table, in the engine's ranking. The ranking
// holds each faculty's figures; a row's texts (the minimums failed, the
// subjects missing) are written out by the engine only when the row is
// asked for, once per ranking, and what a faculty still needs only for the
// faculties whose details are shown. The model maps them to cells: it works
// nothing out itself.

#include "evaluator.h"

#include <QAbstractTableModel>
#include <deque>
#include <memory>
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
        RangeMinRole = Qt::UserRole,  // last year's lowest, highest and the composite, for the bar
        RangeMaxRole,
        ScoreRole,
        YearsRole,                    // every year's (lowest, highest) as QPointF, oldest first
        HeadingRole,                  // a column's heading on one line
    };

    // The evaluator must outlive the model.
    explicit FacultiesModel(const Evaluator& evaluator, QObject* parent = nullptr);
    ~FacultiesModel() override;

    const Evaluator& evaluator() const { return m_evaluator; }

    // The new ranking replaces the previous one.
    void setRanking(Ranking ranking);

    // The faculty (an index into the evaluator's faculties) of a row.
    std::size_t facultyOf(int row) const { return m_ranking->order()[static_cast<std::size_t>(row)]; }
    const FacultyEntry& record(int row) const { return m_evaluator.faculties()[facultyOf(row)]; }
    const FacultyScore& score(int row) const { return m_ranking->scores()[facultyOf(row)]; }
    // The row's faculty with its texts, written out on the first question.
    const FacultyEvaluation& evaluation(int row) const;
    // A faculty of the ranking written out whole, what it needs included;
    // nothing when the code names no faculty.
    const FacultyEvaluation* detailed(const std::string& facCode) const;
    // The row of a faculty code, -1 when it is not ranked.
    int rowOf(const std::string& facCode) const;

    // A column's figure as a number for sorting, from the ranking's figures
    // alone; NaN for a column of texts.
    double sortFigure(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What a row's cells show, as text (the range bar as the two figures);
    // the CSV export writes these.
    QString cellText(int row, int column) const;

    // The minimums failed, the subjects missing, what is needed, every year.
    static QString detailsText(const FacultyEvaluation& e);

private:
    const FacultyEvaluation& written(std::size_t faculty, Detail detail) const;

    const Evaluator& m_evaluator;
    std::unique_ptr<Ranking> m_ranking;
    std::vector<int> m_rows;  // by faculty: its row
    // The faculties written out for this ranking: by faculty, the place in
    // m_written and the detail it was written at.
    struct Written {
        int place = -1;
        Detail detail = Detail::Figures;
    };
    mutable std::vector<Written> m_writtenAt;
    mutable std::deque<FacultyEvaluation> m_written;  // stays in place as it grows
    mutable std::vector<std::size_t> m_writtenFaculties;
};

}  // namespace tamrik
