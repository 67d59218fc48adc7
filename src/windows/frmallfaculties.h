#pragma once
// The all-faculties window ("ทุกคณะ"): the applicant's scores on the left,
// every faculty ranked by the engine on the right, filters above it, the
// selected faculty's details below, and the shortlist of four choices with
// their figures side by side.
//
// Flow: the wizard's remembered entries (Session) -> Applicant -> Evaluator
// over every faculty's rule, loaded once -> FacultiesModel (cells only) ->
// FacultyFilter (filters, sorting) -> TableFaculties. An edit here goes into
// the same entries and file the wizard uses and is announced, so the main
// window can refresh its pages; the window works no figure out itself.

#include "evaluator.h"
#include "filechooser.h"
#include "gpapr.h"
#include "shortlist.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTableWidget;

namespace tamrik {

class FacultiesModel;
class FacultyFilter;
class ScoresModel;
class Session;

class FrmAllFaculties : public QWidget {
    Q_OBJECT
public:
    // Reads every faculty's rule once. Throws ruledb::DbError when the
    // database cannot list the faculties or subjects.
    FrmAllFaculties(Session& session, QWidget* parent);
    ~FrmAllFaculties() override;

    // The wizard changed the remembered entries: show them and rank again.
    void ReloadEntries();
    // Change of user: the shortlist empties (the main window removes its
    // file) and the filters show every faculty again.
    void ForgetUser();

    void setFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    const std::vector<FacultyEvaluation>& evaluations() const;
    const Shortlist& shortlist() const { return m_shortlist; }

signals:
    // Each saved to the entries file already.
    void scoreEdited(const QString& code);
    void gpaEdited();
    void prEdited();
    void facultyChosen(const QString& facCode);

private:
    void buildControls();
    void buildTabOrder();
    void recompute();
    // Ranks for these entries; the remembered ones unless an edit is being typed.
    void rank(const Applicant& applicant);
    // What an edit being typed would do, before it is committed.
    void previewScore(const QModelIndex& index, const QString& text);
    void previewBox(QLineEdit* box, bool isGpa);
    void showGpaPr();
    void commitGpa();
    void commitPr();
    // A typed GPA or PR into its digits, through page 3's rules for leaving a box.
    // Returns whether the digits changed.
    bool commitBox(QLineEdit* box, std::string& digits, std::string (*typed)(std::string_view),
                   LeaveResult (*leave)(BoxPart, BoxTexts));
    static LeaveResult LeaveBoth(const QString& text, LeaveResult (*leave)(BoxPart, BoxTexts));
    void showDetails();
    void openSelected();
    QString selectedCode() const;
    const FacultyRecord* record(const std::string& facCode) const;
    Applicant applicant() const;
    ScoringContext context() const;

    void addChoice();
    void removeChoice();
    void moveChoice(bool up);
    void choicesChanged(int selectPlace);
    void showChoices(int selectPlace);
    // What the comparison shows of each choice, to tell whether a ranking changed it.
    QStringList choiceFigures() const;
    void exportCsv();
    void exportPdf();

    Session& m_session;
    Evaluator m_evaluator;
    ProbLookup m_prob;
    Shortlist m_shortlist;
    SaveFileChooser m_chooseFile;
    Applicant m_ranked;          // what the table ranks now
    bool m_previewShown = false;  // m_ranked holds a value still being typed

    ScoresModel* m_scores = nullptr;
    FacultiesModel* m_faculties = nullptr;
    FacultyFilter* m_filter = nullptr;

    QTableView* m_TableScores = nullptr;
    QLineEdit* m_TextAllGpa = nullptr;
    QLineEdit* m_TextAllPr = nullptr;
    QComboBox* m_ComboUniverFilter = nullptr;
    QLineEdit* m_TextFacultyFilter = nullptr;
    QCheckBox* m_CheckEligibleOnly = nullptr;
    QTableView* m_TableFaculties = nullptr;
    QLabel* m_LabelFacultyDetails = nullptr;
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
