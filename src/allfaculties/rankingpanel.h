#pragma once
// Every faculty ranked by the engine, as a table under its filters: by
// university, by a text in the faculty's or the university's name, and to
// the faculties whose minimum criteria the applicant meets. The selected
// faculty stays selected across rankings while the filters show it.

#include "evaluator.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPoint;
class QPushButton;
class QTableView;

namespace tamrik {

class FacultiesModel;
class FacultyFilter;

class RankingPanel : public QWidget {
    Q_OBJECT
public:
    // The university filter offers the universities of the evaluator's
    // faculties; the evaluator must outlive the panel.
    explicit RankingPanel(const Evaluator& evaluator, QWidget* parent = nullptr);

    // Every ranked faculty, and the rows as the table shows them.
    const FacultiesModel& faculties() const { return *m_faculties; }
    const FacultyFilter& shown() const { return *m_filter; }

    // A new ranking in place of the last one.
    void setRanking(Ranking ranking);
    // The code of the selected faculty; empty when none is.
    QString selectedCode() const;

    // The figures' columns wide enough for any ranking's figures.
    void fitFigureColumns();
    void sortByRank();
    // Change of user: every faculty shown again.
    void showEveryFaculty();
    // The controls Tab walks through, in order.
    QList<QWidget*> tabStops() const;

signals:
    // Another faculty is selected, or the selected one was ranked again.
    void selectionChanged();
    // A faculty opened (Enter or a double click) to be shown on the wizard's pages.
    void facultyChosen(const QString& facCode);
    // The legend button.
    void legendRequested();

private:
    void openSelected();
    // The header's menu: which columns show.
    void showColumnMenu(const QPoint& at);

    FacultiesModel* m_faculties = nullptr;
    FacultyFilter* m_filter = nullptr;
    QComboBox* m_ComboUniverFilter = nullptr;
    QLineEdit* m_TextFacultyFilter = nullptr;
    QCheckBox* m_CheckEligibleOnly = nullptr;
    QPushButton* m_CmdLegend = nullptr;
    QTableView* m_TableFaculties = nullptr;
};

}  // namespace tamrik
