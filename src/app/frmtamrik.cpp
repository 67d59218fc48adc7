#include "frmtamrik.h"

#include "captionlabel.h"
#include "choicesfile.h"
#include "colours.h"
#include "controls.h"
#include "datafolder.h"
#include "dialogparameter.h"
#include "enterbutton.h"
#include "entriesfile.h"
#include "evaluator.h"
#include "exportfile.h"
#include "facultyloader.h"
#include "facultypage.h"
#include "frmabout.h"
#include "frmallfaculties.h"
#include "gpaprpage.h"
#include "messageservice.h"
#include "numtext.h"
#include "pagedecor.h"
#include "paramfile.h"
#include "printnotes.h"
#include "programtexts.h"
#include "qtext.h"
#include "ruletables.h"
#include "subjectpage.h"
#include "summarypage.h"
#include "thaifonts.h"
#include "twips.h"
#include "verdictsheet.h"
#include "workingpdf.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

namespace tamrik {
namespace {

constexpr int ClientWidth = 11385;
constexpr int ClientHeight = 7800;
const QRect PageTwips(120, 960, 11200, 6735);
// Which emblem and which contact line each page shows.
constexpr int ImageIndex[] = {0, 3, 2, 1};
constexpr int FooterIndex[] = {5, 8, 7, 6};

}  // namespace

QString FrmTamrik::ruleDbFileName() { return QString::fromLatin1(kRuleDbFileName); }

FrmTamrik::FrmTamrik(const QString& programFolder, const QString& fallbackDataFolder, MessageService& messages,
                     QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(programFolder),
      m_session(messages, chooseDataFolder(pathFromQString(programFolder), pathFromQString(fallbackDataFolder))),
      m_exitAction([] { QApplication::exit(0); }),
      m_chooseFile(dialogSaveFileChooser())
{
    setObjectName(QStringLiteral("FrmTamrik"));
    installEnterPressesButtons();
    setWindowTitle(QStringLiteral("คำนวณคะแนนจากการสอบคัดเลือกบุคคลเข้าศึกษาในสถาบันอุดมศึกษา"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("FrmTamrikClient"));
    client->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setCentralWidget(client);
    buildHeader(client);

    m_facultyPage = new FacultyPage(m_session, {m_LabelFacID, m_LabelFacName, m_LabelUname}, client);
    placePage(0, m_facultyPage);
    buildMenus();
    setFixedSize(sizeHint());

    connect(m_facultyPage, &FacultyPage::nextClicked, this, &FrmTamrik::F1CmdNext_Click);
    connect(m_facultyPage, &FacultyPage::changeUserClicked, this, &FrmTamrik::ResetUserData);
}

void FrmTamrik::placePage(int index, QFrame* page)
{
    if (index > 0)
        page->hide();  // until showPage shows it
    page->setObjectName(arrayName(QStringLiteral("FrameMain"), index));
    setGeometryTwips(page, PageTwips);
    addPageDecor(page, ImageIndex[index], FooterIndex[index]);
    m_FrameMain[static_cast<std::size_t>(index)] = page;
}

QFrame* FrmTamrik::page(int n)
{
    switch (n) {
    case 1: return m_facultyPage;
    case 2: return &subjectPage();
    case 3: return &gpaPrPage();
    case 4: return &summaryPage();
    default: return nullptr;
    }
}

void FrmTamrik::backToPageOne()
{
    showPage(1);
    m_submnuOption[0]->setEnabled(true);  // Change User, off since page 1's Next
}

SubjectPage& FrmTamrik::subjectPage()
{
    if (m_subjectPage)
        return *m_subjectPage;
    m_subjectPage = new SubjectPage(m_session, centralWidget());
    placePage(1, m_subjectPage);
    connect(m_subjectPage, &SubjectPage::backClicked, this, &FrmTamrik::backToPageOne);
    connect(m_subjectPage, &SubjectPage::checkFailed, this, [this] { showPage(1); });
    connect(m_subjectPage, &SubjectPage::accepted, this, &FrmTamrik::F2CmdNext_Accepted);
    // Wherever the pages remember entries, the all-faculties window follows.
    connect(m_subjectPage, &SubjectPage::checkFailed, this, &FrmTamrik::entriesChangedByPages);
    connect(m_subjectPage, &SubjectPage::accepted, this, &FrmTamrik::entriesChangedByPages);
    connect(m_subjectPage, &SubjectPage::scoreLeft, this, &FrmTamrik::entriesChangedByPages);
    return *m_subjectPage;
}

GpaPrPage& FrmTamrik::gpaPrPage()
{
    if (m_gpaPrPage)
        return *m_gpaPrPage;
    m_gpaPrPage = new GpaPrPage(m_session, centralWidget());
    placePage(2, m_gpaPrPage);
    connect(m_gpaPrPage, &GpaPrPage::backClicked, this, [this] { showPage(2); });
    connect(m_gpaPrPage, &GpaPrPage::nextClicked, this, &FrmTamrik::F3CmdNext_Click);
    connect(m_gpaPrPage, &GpaPrPage::backClicked, this, &FrmTamrik::entriesChangedByPages);
    connect(m_gpaPrPage, &GpaPrPage::nextClicked, this, &FrmTamrik::entriesChangedByPages);
    // Only a change shows the parameters over the note: as it would, had the
    // page been there at the change. GPA and PR come from the entries as it
    // is entered.
    if (m_paramsChanged)
        m_gpaPrPage->showParams();
    return *m_gpaPrPage;
}

SummaryPage& FrmTamrik::summaryPage()
{
    if (m_summaryPage)
        return *m_summaryPage;
    m_summaryPage = new SummaryPage(m_session, centralWidget());
    placePage(3, m_summaryPage);
    connect(m_summaryPage, &SummaryPage::backClicked, this, [this] { showPage(3); });
    connect(m_summaryPage, &SummaryPage::firstPageClicked, this, &FrmTamrik::backToPageOne);
    return *m_summaryPage;
}

FrmTamrik::~FrmTamrik()
{
    // The all-faculties window works on the session: it goes first.
    delete m_allFaculties;
}

void FrmTamrik::buildHeader(QWidget* client)
{
    auto makeHeader = [client](const QString& name, const QRect& twips, const QColor& background) {
        auto* label = new CaptionLabel(client);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);  // names from the rule database
        label->setAlignment(Qt::AlignCenter);
        label->setFont(sansFont(12, true));
        setGeometryTwips(label, twips);
        setBackground(label, background);
        return label;
    };
    m_LabelFacID = makeHeader(QStringLiteral("LabelFacID"), QRect(120, 120, 1335, 615), Colour::LightGreen);
    setTextColour(m_LabelFacID, Colour::DarkRed);
    m_LabelFacName = makeHeader(QStringLiteral("LabelFacName"), QRect(1560, 120, 4815, 615), Colour::LightOrange);
    m_LabelUname = makeHeader(QStringLiteral("LabelUname"), QRect(6480, 120, 4785, 615), Colour::LightYellow);
    m_LabelFacName->setWordWrap(true);
    m_LabelUname->setWordWrap(true);
}

void FrmTamrik::buildMenus()
{
    QMenu* option = menuBar()->addMenu(QStringLiteral("&Option"));
    option->setObjectName(QStringLiteral("mnuOption"));
    const QString captions[] = {QStringLiteral("Change User"), QStringLiteral("Change Parameter"),
                                QStringLiteral("-"), QStringLiteral("Exit")};
    for (int i = 0; i < 4; ++i) {
        QAction* item = option->addAction(captions[i]);
        item->setObjectName(arrayName(QStringLiteral("submnuOption"), i));
        m_submnuOption[i] = item;
    }
    m_submnuOption[2]->setSeparator(true);
    connect(m_submnuOption[0], &QAction::triggered, this, &FrmTamrik::ResetUserData);
    connect(m_submnuOption[1], &QAction::triggered, this, &FrmTamrik::openParameterDialog);
    connect(m_submnuOption[3], &QAction::triggered, this, &FrmTamrik::Exit);
    // Added after the four items, whose places stay as they are.
    m_mnuAllFaculties = option->addAction(QStringLiteral("ทุกคณะ..."));
    m_mnuAllFaculties->setObjectName(QStringLiteral("mnuAllFaculties"));
    m_mnuAllFaculties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_mnuSavePdf = option->addAction(QStringLiteral("บันทึกสรุปเป็น PDF..."));
    m_mnuSavePdf->setObjectName(QStringLiteral("mnuSavePdf"));
    m_mnuSavePdf->setEnabled(false);
    connect(m_mnuAllFaculties, &QAction::triggered, this, &FrmTamrik::openAllFaculties);
    connect(m_mnuSavePdf, &QAction::triggered, this, &FrmTamrik::SavePdf);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuAbout"));
    m_submenuAbout = help->addAction(QStringLiteral("About"));
    m_submenuAbout->setObjectName(QStringLiteral("submenuAbout"));
    connect(m_submenuAbout, &QAction::triggered, this, &FrmTamrik::openAboutWindow);
}

bool FrmTamrik::Load()
{
    // Everything the start needs from the database is checked, and page 1
    // filled, before any file is touched: a refused start leaves the user's
    // files as they were and makes none.
    const QString dbPath = m_programFolder + QLatin1Char('/') + ruleDbFileName();
    try {
        auto db = std::make_unique<ruledb::RuleDatabase>(dbPath.toStdString());
        ruledb::requireRuleTables(*db);
        m_session.setRuleDb(std::move(db));
        m_facultyPage->fillAtStartup();
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
        return false;
    }

    m_submnuOption[1]->setVisible(false);
    removeUnfinishedSaves(m_session.dataFolder());
    LoadEntriesFile(m_session.dataFolder(), m_session.entries());
    showPage(1);
    m_session.params() = LoadParam(m_session.dataFolder(), pathFromQString(m_programFolder));
    return true;
}

void FrmTamrik::showPage(int n)
{
    page(n);
    for (int i = 0; i < 4; ++i) {
        if (m_FrameMain[i])
            m_FrameMain[i]->setVisible(i == n - 1);
    }
    m_mnuSavePdf->setEnabled(n == 4);
}

int FrmTamrik::currentPage() const
{
    for (int i = 0; i < 4; ++i) {
        if (m_FrameMain[i] && m_FrameMain[i]->isVisibleTo(centralWidget()))
            return i + 1;
    }
    return 0;
}

void FrmTamrik::F1CmdNext_Click()
{
    if (!subjectPage().loadRule(m_facultyPage->SelFacCode(), m_facultyPage->facIdText().toStdString()))
        return;
    showPage(2);
    m_submnuOption[0]->setEnabled(false);
}

void FrmTamrik::F2CmdNext_Accepted()
{
    gpaPrPage().EnterGpaPrPage(subjectPage().ScorePerPercent());
    showPage(3);
}

void FrmTamrik::F3CmdNext_Click()
{
    // On disk before the range table is asked anything; an edit in the
    // all-faculties window has saved them already.
    m_session.SaveEntriesFile();
    rebuildSummaryPage();
    showPage(4);
}

void FrmTamrik::rebuildSummaryPage()
{
    // Page 3 has stored its digits; the summary takes every value as it stands.
    SummaryInput input;
    const SubjectPage& subjects = subjectPage();
    const GpaPrPage& gpaPr = gpaPrPage();
    input.MainTotalScore = subjects.MainTotalScore();
    input.SpecTotalScore = subjects.SpecTotalScore();
    input.MainMaxText = subjects.MainMaxText().toStdString();
    input.SpecMaxText = subjects.SpecMaxText().toStdString();
    input.GpaScore = gpaPr.GpaScore();
    input.PrScore = gpaPr.PrScore();
    input.gpaFullText = gpaPr.GpaFullText().toStdString();
    input.prFullText = gpaPr.PrFullText().toStdString();
    input.GpaDigits = m_session.entries().GpaDigits;
    input.PrDigits = m_session.entries().PrDigits;
    m_lastSummary = input;
    summaryPage().buildSummaryPage(input, m_facultyPage->SelFacCode());
}

void FrmTamrik::ResetUserData()
{
    // The faculty choice and the page stay as they are.
    UserEntries& entries = m_session.entries();
    entries.ScoreByCode.fill("-1");
    entries.GpaDigits = "00";
    entries.PrDigits = "00";
    m_session.applicantName().clear();
    // On disk at once: on a shared computer a crash or power cut before the
    // next save would hand the last user's scores to the next start.
    m_session.SaveEntriesFile();
    // The boxes' change handling brings the GPA and PR points down with them;
    // a page not built yet starts so.
    if (m_gpaPrPage)
        m_gpaPrPage->resetBoxes();
    if (m_summaryPage)
        m_summaryPage->resetMyScores();
    // The shortlist belonged to the last user.
    deleteChoicesFile(m_session.dataFolder());
    if (m_allFaculties) {
        m_allFaculties->forgetUser();
        m_allFaculties->reloadEntries();
    }
}

void FrmTamrik::openParameterDialog()
{
    if (!m_dialogParameter) {
        m_dialogParameter =
            new DialogParameter(m_session.params(), m_session.dataFolder(), m_session.messages(), this);
        connect(m_dialogParameter, &DialogParameter::parametersAccepted, this, &FrmTamrik::showParamsOnPages);
        m_dialogParameter->show();
    }
    m_dialogParameter->raise();
    m_dialogParameter->activateWindow();
}

void FrmTamrik::showParamsOnPages()
{
    // Page 4's year label first: page 3's takes the same text. A page built
    // later shows them as it is built (page 4 whenever it is filled).
    m_paramsChanged = true;
    if (m_summaryPage)
        m_summaryPage->showParams();
    if (m_gpaPrPage)
        m_gpaPrPage->showParams();
}

void FrmTamrik::openAboutWindow()
{
    if (!m_about) {
        QString dataLine;
        try {
            const auto& info = m_session.buildInfo();
            dataLine = info ? dataInfoText(*info) : unverifiedText();
        } catch (const ruledb::DbError& error) {
            m_session.messages().show(QString::fromUtf8(error.what()));
        }
        m_about = new frmAbout(dataLine, panelDataOf(m_session));
        QRect place = m_about->rect();
        place.moveCenter(frameGeometry().center());
        m_about->move(place.topLeft());
        m_about->show();
    }
    m_about->raise();
    m_about->activateWindow();
}

void FrmTamrik::deleteEntriesFile()
{
    tamrik::deleteEntriesFile(m_session.dataFolder());
    deleteChoicesFile(m_session.dataFolder());
}

void FrmTamrik::openAllFaculties()
{
    if (!m_allFaculties) {
        try {
            m_allFaculties = new FrmAllFaculties(m_session, this);
        } catch (const ruledb::DbError& error) {
            m_session.messages().show(QString::fromUtf8(error.what()));
            return;
        }
        m_allFaculties->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_allFaculties, &FrmAllFaculties::scoreEdited, this, &FrmTamrik::scoreEditedInList);
        connect(m_allFaculties, &FrmAllFaculties::gpaEdited, this, &FrmTamrik::gpaEditedInList);
        connect(m_allFaculties, &FrmAllFaculties::prEdited, this, &FrmTamrik::prEditedInList);
        connect(m_allFaculties, &FrmAllFaculties::facultyChosen, this, &FrmTamrik::goToFaculty);
        m_allFaculties->show();
    }
    m_allFaculties->raise();
    m_allFaculties->activateWindow();
}

FrmAllFaculties* FrmTamrik::allFaculties() const { return m_allFaculties; }

void FrmTamrik::entriesChangedByPages()
{
    if (m_allFaculties)
        m_allFaculties->reloadEntries();
}

// The boxes of pages 2 and 3 show what the window remembered, so leaving a
// page never writes an older value back; only the edited value's boxes move,
// as the others may hold typing the pages have not taken yet. A page not
// built yet takes them from the entries as it is entered.
void FrmTamrik::scoreEditedInList(const QString& code)
{
    if (m_subjectPage)
        m_subjectPage->showRememberedScore(code);
    summaryFollowsList();
}

void FrmTamrik::gpaEditedInList()
{
    if (m_gpaPrPage)
        m_gpaPrPage->showRememberedGpa();
    summaryFollowsList();
}

void FrmTamrik::prEditedInList()
{
    if (m_gpaPrPage)
        m_gpaPrPage->showRememberedPr();
    summaryFollowsList();
}

void FrmTamrik::summaryFollowsList()
{
    if (currentPage() == 4)
        rebuildSummaryPage();
}

void FrmTamrik::goToFaculty(const QString& facCode)
{
    if (!m_facultyPage->chooseFacultyByCode(facCode.toStdString()))
        return;
    // Page 3 keeps what was typed there only when it is left: leave it properly.
    if (currentPage() == 3) {
        gpaPrPage().storeDigits();
        m_session.SaveEntriesFile();
        entriesChangedByPages();
    }
    F1CmdNext_Click();
    raise();
    activateWindow();
}

void FrmTamrik::SavePdf()
{
    if (currentPage() != 4)
        return;
    const std::string& code = m_facultyPage->SelFacCode();
    // The sheet prints what pages 2 and 4 show; without it there is nothing whole to print.
    const FacultyRule* rule = subjectPage().Rule();
    const auto& lastYear = summaryPage().LastYear();
    if (!rule || !lastYear) {
        m_session.messages().show(QStringLiteral("ไม่มีข้อมูลเกณฑ์หรือคะแนนสูงสุด-ต่ำสุดของคณะนี้ครบ จึงบันทึก PDF ไม่ได้"));
        return;
    }
    const QString path = m_chooseFile(this, QStringLiteral("บันทึกสรุปเป็น PDF"),
                                      QStringLiteral("tamrik-%1.pdf").arg(QString::fromStdString(code)),
                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;

    // The GPA working reads the normal table: a fault there is told, not printed.
    try {
        const ScoringParams& params = m_session.params();
        const ruledb::RuleDatabase& db = m_session.ruleDb();
        WorkingSheet sheet;
        sheet.facCode = code;
        sheet.faculty = m_facultyPage->SelFacName().toStdString();
        sheet.university = m_facultyPage->SelUName().toStdString();
        fillRows(sheet, *rule, m_session.entries().ScoreByCode);
        fillSummaryFigures(sheet, buildSummary(m_lastSummary));
        const ProbLookup prob = [&db](const std::string& key) { return ruledb::lookupProb(db, key); };
        fillGpaWorking(sheet, m_lastSummary.GpaDigits, params.ParamMeanGpa, params.ParamSD, prob);
        fillPrWorking(sheet, m_lastSummary.PrDigits);
        sheet.lastYear = yearText(params.ParamDbMaxMin);
        sheet.lastMin = lastYear->min;
        sheet.lastMax = lastYear->max;
        // The engine's verdict on these figures against the range page 4
        // showed, and every year's range of the faculty.
        FacultyRecord record;
        record.facCode = code;
        record.load.rule = *rule;
        record.lastYear = YearRange{sheet.lastYear, Val(lastYear->min), Val(lastYear->max)};
        record.years = facultyYears(db, code);
        const UserEntries& entries = m_session.entries();
        const Evaluator evaluator({std::move(record)});
        fillVerdict(sheet, evaluator.evaluate(0, applicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits),
                                              ScoringContext{params.ParamMeanGpa, params.ParamSD, prob}, Detail::Texts));
        if (!writeWorkingPdf(path, {sheet}, makePrintNotes(m_session), false))
            m_session.messages().show(saveFailedMessage(path));
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
    }
}

void FrmTamrik::Exit()
{
    deleteEntriesFile();
    m_exitAction();
}

void FrmTamrik::closeEvent(QCloseEvent* event)
{
    deleteEntriesFile();
    event->accept();
}

}  // namespace tamrik
