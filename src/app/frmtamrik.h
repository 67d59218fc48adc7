#pragma once
// The main window: the header strip naming the chosen faculty, four pages of
// which exactly one is shown, and the menus.
//
// Flow: page 1 (FacultyPage) chooses a faculty -> Next loads its rule into
// page 2 (SubjectPage) -> Next checks the minimums and enters page 3
// (GpaPrPage) -> Next builds page 4 (SummaryPage) -> back to page 1. The pages
// do their own work and announce their buttons; this window moves between
// them and owns what they share (the Session). Beside them, the all-faculties
// window works on the same Session: its edits are shown on pages 2 to 4, and
// whatever the pages remember is shown there.

#include "filechooser.h"
#include "session.h"
#include "summary.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;

namespace tamrik {

class CaptionLabel;
class DialogParameter;
class FacultyPage;
class FrmAllFaculties;
class GpaPrPage;
class MessageService;
class SubjectPage;
class SummaryPage;
class frmAbout;

class FrmTamrik : public QMainWindow {
    Q_OBJECT
public:
    // programFolder holds ScoreRule.mdb; param.opt and TamrikTemp.tmp live
    // there too unless it is not writable, then in fallbackDataFolder.
    FrmTamrik(const QString& programFolder, const QString& fallbackDataFolder, MessageService& messages,
              QWidget* parent = nullptr);
    ~FrmTamrik() override;

    // The start-up order. When the rule database cannot be used, shows one
    // message naming the file and what is wrong, touches no file and returns
    // false.
    bool Load();

    // Page n (1 to 4) becomes the one visible page.
    void showPage(int n);
    int currentPage() const;
    // Page n (1 to 4). Pages 2 to 4 are built when first needed: a start
    // without them takes less time and memory, and most users stay on page 1
    // a while.
    QFrame* page(int n);

    // "Change User": forgets the remembered scores, GPA and PR, writes the
    // emptied entries file at once, zeroes the figures of pages 3 and 4 and
    // empties the shortlist and the all-faculties filters. The faculty choice
    // and the page shown stay as they are.
    void ResetUserData();

    // "Change Parameter" and "About": each opens its window without blocking
    // this one, or brings forward the one already open.
    void openParameterDialog();
    void openAboutWindow();
    // "ทุกคณะ...": the all-faculties window, opened once and brought forward.
    void openAllFaculties();
    FrmAllFaculties* allFaculties() const;
    // "บันทึกสรุปเป็น PDF..." on page 4: the summary with its working.
    void SavePdf();
    // Where the PDF goes; tests give a fixed answer.
    void setFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Page 2 of the faculty with this code, as choosing it on page 1 and
    // pressing Next would.
    void goToFaculty(const QString& facCode);

    // What "Exit" does after deleting the entries file; tests replace it.
    void setExitAction(std::function<void()> exitAction) { m_exitAction = std::move(exitAction); }

    Session& session() { return m_session; }
    static QString ruleDbFileName();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader(QWidget* client);
    void placePage(int index, QFrame* page);
    SubjectPage& subjectPage();
    GpaPrPage& gpaPrPage();
    SummaryPage& summaryPage();
    void buildMenus();
    void F1CmdNext_Click();
    // Page 2's Back and page 4's first-page button (a failed check on page 2
    // returns to page 1 with the menu as it is).
    void backToPageOne();
    void F2CmdNext_Accepted();
    void F3CmdNext_Click();
    // Page 4's figures from pages 2 and 3 as they stand.
    void rebuildSummaryPage();
    void Exit();
    void deleteEntriesFile();
    void entriesChangedByPages();
    void scoreEditedInList(const QString& code);
    void gpaEditedInList();
    void prEditedInList();
    // Page 4 and its printout follow the boxes they were built from.
    void summaryFollowsList();
    void showParamsOnPages();

    QString m_programFolder;
    Session m_session;
    std::function<void()> m_exitAction;

    CaptionLabel* m_LabelFacID = nullptr;
    CaptionLabel* m_LabelFacName = nullptr;
    CaptionLabel* m_LabelUname = nullptr;
    FacultyPage* m_facultyPage = nullptr;
    SubjectPage* m_subjectPage = nullptr;
    GpaPrPage* m_gpaPrPage = nullptr;
    SummaryPage* m_summaryPage = nullptr;
    std::array<QFrame*, 4> m_FrameMain{};  // null for a page not built yet
    bool m_paramsChanged = false;  // "Change Parameter" accepted at least once
    std::array<QAction*, 4> m_submnuOption{};
    QAction* m_mnuAllFaculties = nullptr;
    QAction* m_mnuSavePdf = nullptr;
    SummaryInput m_lastSummary;  // what page 4 was last built from
    SaveFileChooser m_chooseFile;
    QPointer<FrmAllFaculties> m_allFaculties;
    QAction* m_submenuAbout = nullptr;
    QPointer<DialogParameter> m_dialogParameter;
    QPointer<frmAbout> m_about;  // no parent: it may outlive this window
};

}  // namespace tamrik
