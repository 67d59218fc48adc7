#pragma once
// The shortlist of up to four choices below the ranking: the list with its
// buttons, their figures side by side, and the exports: the ranking as shown
// to CSV, the choices with their working to PDF. The list lives in the
// choices file; the comparison follows each ranking that moves its figures.

#include "filechooser.h"
#include "shortlist.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QListWidget;
class QPushButton;
class QTableWidget;

namespace tamrik {

class FacultiesModel;
class FacultyFilter;
class FacultyScoring;
class Session;

class ShortlistPanel : public QGroupBox {
    Q_OBJECT
public:
    // faculties: every ranked faculty; shown: the rows as the ranking's table
    // shows them.
    ShortlistPanel(Session& session, const FacultyScoring& scoring, const FacultiesModel& faculties,
                   const FacultyFilter& shown, QWidget* parent = nullptr);

    const Shortlist& shortlist() const { return m_shortlist; }
    void setFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    // The faculty as the next choice; says why when it cannot be.
    void add(const QString& facCode);
    // Change of user: the list empties (the main window removes its file).
    void forget();
    // The controls Tab walks through, in order.
    QList<QWidget*> tabStops() const;

signals:
    // The add button: the window hands over the ranking's selected faculty.
    void addRequested();

private:
    void removeChoice();
    void moveChoice(bool up);
    void choicesChanged(int selectPlace);
    void showChoices(int selectPlace);
    // What the comparison shows of each choice, to tell whether a ranking changed it.
    QStringList choiceFigures() const;
    void exportCsv();
    void exportPdf();

    Session& m_session;
    const FacultyScoring& m_scoring;
    const FacultiesModel& m_faculties;
    const FacultyFilter& m_shown;
    Shortlist m_shortlist;
    SaveFileChooser m_chooseFile;
    QStringList m_figuresBefore;  // the choices' figures before a ranking

    QListWidget* m_ListChoices = nullptr;
    QPushButton* m_CmdAddChoice = nullptr;
    QPushButton* m_CmdRemoveChoice = nullptr;
    QPushButton* m_CmdChoiceUp = nullptr;
    QPushButton* m_CmdChoiceDown = nullptr;
    QTableWidget* m_TableChoices = nullptr;
    QPushButton* m_CmdExportCsv = nullptr;
    QPushButton* m_CmdExportPdf = nullptr;
};

}  // namespace tamrik
