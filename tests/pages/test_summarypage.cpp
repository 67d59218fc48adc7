// Page 4 driven through the real main window: the four rows and the totals,
// the GPA and PR as typed, the year text, last year's range (and its quiet
// "0.00" when the range table cannot answer), and the page's two buttons.
#include "frmtamrik.h"
#include "gpaprpage.h"
#include "programfolder.h"
#include "recordingmessages.h"
#include "summarypage.h"
#include "thaifonts.h"
#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <sqlite3.h>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QByteArray EntriesFile(const char* gpaDigits, const char* prDigits)
{
    return QByteArray("-1\r\n").repeated(51) + gpaDigits + "\r\n" + prDigits + "\r\n";
}

// Adds a range table to the folder's copy of the rule database.
bool AddRangeTable(const QString& dbPath, const char* sql)
{
    sqlite3* db = nullptr;
    bool done = sqlite3_open(dbPath.toUtf8().constData(), &db) == SQLITE_OK &&
                sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

// The window over a fresh program folder (with the entries and parameter
// files a test gives), loaded and shown on page 3 as page 2 leaves it.
class Window {
public:
    Window(const QByteArray& entriesFile = QByteArray(), const QByteArray& paramFile = QByteArray())
    {
        if (!entriesFile.isEmpty())
            folder.write(QStringLiteral("TamrikTemp.tmp"), entriesFile);
        if (!paramFile.isEmpty())
            folder.write(QStringLiteral("param.opt"), paramFile);
    }

    bool start()
    {
        if (!window.Load())
            return false;
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // Straight to page 3, as page 2 enters it for a faculty of 10 points per percent.
    bool open()
    {
        if (!start())
            return false;
        gpaPr = qobject_cast<GpaPrPage*>(window.findChild<QWidget*>(QStringLiteral("FrameMain(2)")));
        summary = qobject_cast<SummaryPage*>(window.findChild<QWidget*>(QStringLiteral("FrameMain(3)")));
        if (!gpaPr || !summary)
            return false;
        gpaPr->EnterGpaPrPage(10.0f);
        window.ShowPage(3);
        gpaPr->FocusFirstControl();
        return true;
    }

    QString text(const QString& name) const { return Find<QLabel>(&window, name)->text(); }
    QString text(const char* name) const { return text(QString::fromLatin1(name)); }
    void click(const char* name) { QTest::mouseClick(Find<QPushButton>(&window, QString::fromLatin1(name)), Qt::LeftButton); }
    // Clicks into a box and types over its text.
    void typeOver(const QString& name, const QString& text)
    {
        auto* box = Find<QLineEdit>(&window, name);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    ProgramFolder folder;
    RecordingMessages messages;
    FrmTamrik window{folder.path(), folder.fallback(), messages};
    GpaPrPage* gpaPr = nullptr;
    SummaryPage* summary = nullptr;
};

// The worked example: subjects 540 of 800, none of a special part written
// "00.00", GPA 35 and PR 45 of 50 each.
SummaryInput WorkedExample()
{
    SummaryInput input;
    input.MainTotalScore = 540;
    input.SpecTotalScore = 0;
    input.GpaScore = 35;
    input.PrScore = 45;
    input.MainMaxText = "800.00";
    input.SpecMaxText = "00.00";
    input.gpaFullText = "50.00";
    input.prFullText = "50.00";
    input.GpaDigits = "325";
    input.PrDigits = "8550";
    return input;
}

}  // namespace

class TestSummaryPage : public QObject {
    Q_OBJECT
private slots:
    // The program's own faces: where the year of the heading stands depends on them.
    void initTestCase() { InstallThaiFonts(); }

    void rowsAndTotals()
    {
        Window w;
        QVERIFY(w.open());
        w.summary->BuildSummaryPage(WorkedExample(), "0002");
        const char* earned[] = {"540.00", "0.00", "35.00", "45.00"};
        const char* full[] = {"800.00", "00.00", "50.00", "50.00"};
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(w.text(QStringLiteral("LabelMyScore(%1)").arg(row)), QString::fromLatin1(earned[row]));
            QCOMPARE(w.text(QStringLiteral("LabelMaxScore(%1)").arg(row)), QString::fromLatin1(full[row]));
        }
        // 540 + 0 + 35 + 45 earned of 800 + 0 + 50 + 50.
        QCOMPARE(w.text("Label_total_score(0)"), QStringLiteral("620.00"));
        QCOMPARE(w.text("Label_total_score(1)"), QStringLiteral("900.00"));
        QCOMPARE(w.text("F4LabelGPA"), QStringLiteral("3.25"));
        QCOMPARE(w.text("F4LabelPR"), QStringLiteral("85.50"));
        QCOMPARE(w.text("F4LabelMeanGpa"), QStringLiteral("2.4397771456"));
        QCOMPARE(w.text("F4LabelSD"), QStringLiteral("0.5519077994"));
        QVERIFY(w.messages.texts.isEmpty());
    }

    void controlsStandWhereTheDesignPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::newRow("title") << "LabelHead(1)" << QRect(360, 360, 5535, 735) << "สรุปคะแนน";
        QTest::newRow("subjects frame") << "Frame4" << QRect(360, 1200, 10335, 1335) << "Frame4";
        QTest::newRow("GPA and PR frame") << "Frame5" << QRect(360, 2640, 10335, 1335) << "";
        QTest::newRow("total frame") << "Frame6" << QRect(360, 4440, 10335, 735) << "";
        QTest::newRow("range frame") << "Frame9" << QRect(360, 5400, 10335, 735) << "";
        QTest::newRow("main earned") << "LabelMyScore(0)" << QRect(6600, 240, 1575, 375) << "";
        QTest::newRow("special full") << "LabelMaxScore(1)" << QRect(8400, 720, 1575, 375) << "";
        QTest::newRow("typed GPA") << "F4LabelGPA" << QRect(3360, 240, 1095, 375) << "";
        QTest::newRow("GPA caption") << "Label_temp(2)" << QRect(240, 240, 3000, 375) << "คะแนนจาก GPA  :";
        QTest::newRow("PR caption") << "Label_temp(3)" << QRect(240, 720, 3000, 375) << "คะแนนจาก PR  :";
        QTest::newRow("range heading") << "Label_temp(6)" << QRect(240, 240, 3135, 375) << "คะแนนสูงสุด-ต่ำสุด ปี 2543";
        QTest::newRow("lowest") << "F4LabelMinLastYear" << QRect(5160, 240, 1215, 375) << "";
        QTest::newRow("highest") << "F4LabelMaxLastYear" << QRect(8400, 240, 1575, 375) << "";
        QTest::newRow("back") << "F4CmdBack" << QRect(7200, 6240, 1935, 495) << "ย้อนกลับ";
        QTest::newRow("first page") << "F4CmdNext" << QRect(9240, 6240, 1935, 495) << "ไปหน้าแรก";
    }

    void controlsStandWhereTheDesignPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        Window w;
        QVERIFY(w.open());
        auto* control = Find<QWidget>(&w.window, name);
        QCOMPARE(GeometryTwips(control), twips);
        if (caption.isEmpty())
            return;
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), caption);
        else
            QCOMPARE(control->property("title").toString(), caption);
    }

    void valueLabelsAreRightAligned()
    {
        Window w;
        QVERIFY(w.open());
        for (const char* name : {"LabelMyScore(3)", "LabelMaxScore(2)", "Label_total_score(0)", "F4LabelGPA",
                                 "F4LabelPR", "F4LabelMaxLastYear"})
            QVERIFY2(Find<QLabel>(&w.window, QString::fromLatin1(name))->alignment() & Qt::AlignRight, name);
        for (const char* name : {"Label_temp(4)", "Label_temp(5)"})
            QCOMPARE(int(Find<QLabel>(&w.window, QString::fromLatin1(name))->alignment() & Qt::AlignHorizontal_Mask),
                     int(Qt::AlignHCenter));
    }

    void lastYearsRange_data()
    {
        QTest::addColumn<QByteArray>("tableName");
        QTest::addColumn<QByteArray>("facCode");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("year");
        // The bundled sample holds 0002 at 738.86 / 608.49 and 0001 (its first
        // row) at 711.72 / 591.22.
        QTest::newRow("row found") << QByteArray("maxminScQor43") << QByteArray("0002") << "738.86" << "608.49" << "2543";
        QTest::newRow("no row") << QByteArray("maxminScQor43") << QByteArray("9999") << "0.00" << "0.00" << "2543";
        QTest::newRow("no table") << QByteArray("maxminScQor44") << QByteArray("0002") << "0.00" << "0.00" << "2544";
        // Spliced into the query, this name would comment the condition out
        // and read the first row's 711.72.
        QTest::newRow("hostile name") << QByteArray("maxminScQor43 --") << QByteArray("0002") << "0.00" << "0.00"
                                      << "25--";
        QTest::newRow("quote in name") << QByteArray("maxminScQor43\"; DROP TABLE SUName; --") << QByteArray("0002")
                                       << "0.00" << "0.00" << "25--";
        QTest::newRow("one character") << QByteArray("x") << QByteArray("0002") << "0.00" << "0.00" << "25x";
        QTest::newRow("null highest") << QByteArray("maxminScQor45") << QByteArray("0002") << "0.00" << "0.00" << "2545";
        QTest::newRow("text lowest") << QByteArray("maxminScQor45") << QByteArray("0003") << "0.00" << "0.00" << "2545";
        QTest::newRow("rounded") << QByteArray("maxminScQor45") << QByteArray("0004") << "700.13" << "600.00" << "2545";
    }

    void lastYearsRange()
    {
        QFETCH(QByteArray, tableName);
        QFETCH(QByteArray, facCode);
        QFETCH(QString, highest);
        QFETCH(QString, lowest);
        QFETCH(QString, year);
        Window w(QByteArray(), tableName + "\r\n2.4397771456\r\n0.5519077994\r\n");
        QVERIFY(AddRangeTable(w.folder.file(QStringLiteral("ScoreRule.mdb")),
                              "CREATE TABLE maxminScQor45 (FacCode TEXT, ScMax REAL, ScMin REAL);"
                              "INSERT INTO maxminScQor45 VALUES ('0002', NULL, 600), ('0003', 700, 'abc'),"
                              " ('0004', 700.125, 599.999);"));
        QVERIFY(w.open());
        w.summary->BuildSummaryPage(WorkedExample(), facCode.toStdString());
        QCOMPARE(w.text("F4LabelMaxLastYear"), highest);
        QCOMPARE(w.text("F4LabelMinLastYear"), lowest);
        auto* yearLabel = Find<QLabel>(&w.window, QStringLiteral("F4LabelYearMaxMin(0)"));
        QCOMPARE(yearLabel->text(), year);
        QVERIFY(w.messages.texts.isEmpty());
        // The rule database still answers as before.
        QVERIFY(w.window.session().ruleDb().hasTable("SUName"));
    }

    void theYearCoversTheYearOfTheHeading()
    {
        Window w(QByteArray(), "maxminScQor44\r\n2.4397771456\r\n0.5519077994\r\n");
        QVERIFY(w.open());
        auto* year = Find<QLabel>(&w.window, QStringLiteral("F4LabelYearMaxMin(0)"));
        QVERIFY(year->isHidden());
        w.summary->BuildSummaryPage(WorkedExample(), "0002");
        QVERIFY(!year->isHidden());
        auto* heading = Find<QLabel>(&w.window, QStringLiteral("Label_temp(6)"));
        // Over the heading's last characters, the "2543" it prints.
        QVERIFY(heading->geometry().contains(year->geometry().center()));
        QVERIFY(year->geometry().left() > heading->geometry().left() + heading->width() / 3);
        QVERIFY(year->geometry().width() < heading->width() / 3);
    }

    void nextOnPageThreeBuildsThePageAndSavesTheDigits()
    {
        Window w(EntriesFile("325", "8550"), "maxminScQor44\r\n2.4397771456\r\n0.5519077994\r\n");
        QVERIFY(w.open());
        auto* gpaDecimals = Find<QLineEdit>(&w.window, QStringLiteral("F3Text_GPA(1)"));
        gpaDecimals->setFocus(Qt::TabFocusReason);
        QTest::keyClick(gpaDecimals, '7');
        // Leaving by the click fills the lone 7 to 70 first.
        w.click("F3CmdNext");
        QCOMPARE(w.window.CurrentPage(), 4);
        QCOMPARE(w.text("F4LabelGPA"), QStringLiteral("3.70"));
        QCOMPARE(w.text("F4LabelPR"), QStringLiteral("85.50"));
        QCOMPARE(w.text("LabelMyScore(2)"), w.text("Label_gpa_sc"));
        // 85.50 is band 18: 50 x 0.90.
        QCOMPARE(w.text("LabelMyScore(3)"), QStringLiteral("45.00"));
        QCOMPARE(w.text("LabelMaxScore(2)"), QStringLiteral("50.00"));
        QCOMPARE(w.text("LabelMaxScore(3)"), QStringLiteral("50.00"));
        // No range table of that name: quietly nothing, the year from the name.
        QCOMPARE(w.text("F4LabelMaxLastYear"), QStringLiteral("0.00"));
        QCOMPARE(w.text("F4LabelMinLastYear"), QStringLiteral("0.00"));
        QCOMPARE(w.text("F4LabelYearMaxMin(0)"), QStringLiteral("2544"));
        QVERIFY(w.messages.texts.isEmpty());
        const QStringList lines = w.folder.lines(QStringLiteral("TamrikTemp.tmp"));
        QCOMPARE(lines.mid(51), (QStringList{QStringLiteral("370"), QStringLiteral("8550")}));
    }

    void aWholeRunFromTheFacultyToTheSummary()
    {
        Window w;
        QVERIFY(w.start());
        // Page 1: faculty 0002 by its code.
        auto* byCode = Find<QRadioButton>(&w.window, QStringLiteral("OptUseID"));
        QTest::mouseClick(byCode, Qt::LeftButton, {}, QPoint(8, byCode->height() / 2));
        w.typeOver(QStringLiteral("F1TxtFacID"), QStringLiteral("0002"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        w.click("F1CmdNext");
        QCOMPARE(w.window.CurrentPage(), 2);
        // Page 2: the two subjects with a minimum, at it.
        w.typeOver(QStringLiteral("Text_SC_main(4)"), QStringLiteral("30"));
        w.typeOver(QStringLiteral("Text_SC_main(7)"), QStringLiteral("30"));
        w.typeOver(QStringLiteral("Text_SC_main(1)"), QStringLiteral("64.5"));
        const QString mainTotal = w.text("Label_main_total_sc");
        const QString specTotal = w.text("Label_spec_total_sc");
        const QString mainMax = w.text("Label_MaxMain");
        const QString specMax = w.text("Label_MaxSP");
        w.click("F2CmdNext");
        QCOMPARE(w.window.CurrentPage(), 3);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("F3Text_GPA(0)"));
        // Page 3: GPA 3.25 and PR 85.50, the focus moving on by itself.
        for (char key : {'3', '2', '5', '8', '5', '5', '0'})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("F3CmdNext"));
        const QString full = w.text("Label_maxGpaPr(0)");
        const QString gpaPoints = w.text("Label_gpa_sc");
        const QString prPoints = w.text("Label_pr_sc");
        w.click("F3CmdNext");
        QCOMPARE(w.window.CurrentPage(), 4);

        const QString earned[] = {mainTotal, specTotal, gpaPoints, prPoints};
        const QString fulls[] = {mainMax, specMax, full, full};
        double earnedSum = 0;
        double fullSum = 0;
        for (int row = 0; row < 4; ++row) {
            // Page 2 shows an empty special part as a plain 0.
            QCOMPARE(w.text(QStringLiteral("LabelMyScore(%1)").arg(row)), QString::number(earned[row].toDouble(), 'f', 2));
            QCOMPARE(w.text(QStringLiteral("LabelMaxScore(%1)").arg(row)), fulls[row]);
            earnedSum += earned[row].toDouble();
            fullSum += fulls[row].toDouble();
        }
        // The totals add the unrounded points: at most a hundredth from the
        // sum of the rounded rows.
        QVERIFY(std::fabs(w.text("Label_total_score(0)").toDouble() - earnedSum) <= 0.02 + 1e-9);
        QCOMPARE(w.text("Label_total_score(1)"), QString::number(fullSum, 'f', 2));
        QCOMPARE(w.text("F4LabelGPA"), QStringLiteral("3.25"));
        QCOMPARE(w.text("F4LabelPR"), QStringLiteral("85.50"));
        QCOMPARE(w.text("F4LabelYearMaxMin(0)"), QStringLiteral("2543"));
        // The bundled sample's range of faculty 0002.
        QCOMPARE(w.text("F4LabelMaxLastYear"), QStringLiteral("738.86"));
        QCOMPARE(w.text("F4LabelMinLastYear"), QStringLiteral("608.49"));
        QVERIFY(w.messages.texts.isEmpty());
        const QStringList lines = w.folder.lines(QStringLiteral("TamrikTemp.tmp"));
        QCOMPARE(lines[3], QStringLiteral("30"));
        QCOMPARE(lines.mid(51), (QStringList{QStringLiteral("325"), QStringLiteral("8550")}));
    }

    void backShowsPageThreeAndFirstPageEnablesChangeUser()
    {
        Window w(EntriesFile("325", "8550"));
        QVERIFY(w.open());
        w.click("F3CmdNext");
        QCOMPARE(w.window.CurrentPage(), 4);
        w.click("F4CmdBack");
        QCOMPARE(w.window.CurrentPage(), 3);
        QCOMPARE(Find<QLineEdit>(&w.window, QStringLiteral("F3Text_GPA(1)"))->text(), QStringLiteral("25"));
        QCOMPARE(Find<QLineEdit>(&w.window, QStringLiteral("F3Text_PR(0)"))->text(), QStringLiteral("85"));

        auto* changeUser = Find<QAction>(&w.window, QStringLiteral("submnuOption(0)"));
        changeUser->setEnabled(false);  // as leaving page 1 for a faculty left it
        w.click("F3CmdNext");
        w.click("F4CmdNext");
        QCOMPARE(w.window.CurrentPage(), 1);
        QVERIFY(changeUser->isEnabled());
    }

    void resetAndNewParametersShowAtOnce()
    {
        Window w;
        QVERIFY(w.open());
        w.summary->BuildSummaryPage(WorkedExample(), "0002");
        w.summary->ResetMyScores();
        for (int row = 0; row < 4; ++row)
            QCOMPARE(w.text(QStringLiteral("LabelMyScore(%1)").arg(row)), QStringLiteral("0"));
        // The full points and totals wait for the next build.
        QCOMPARE(w.text("Label_total_score(0)"), QStringLiteral("620.00"));

        ScoringParams& params = w.window.session().params();
        params.ParamDbMaxMin = "maxminScQor46";
        params.ParamMeanGpa = "2.6";
        params.ParamSD = "0.45";
        w.summary->ShowParams();
        QCOMPARE(w.text("F4LabelMeanGpa"), QStringLiteral("2.6"));
        QCOMPARE(w.text("F4LabelSD"), QStringLiteral("0.45"));
        QCOMPARE(w.text("F4LabelYearMaxMin(0)"), QStringLiteral("2546"));
    }
};

QTEST_MAIN(TestSummaryPage)
#include "test_summarypage.moc"
