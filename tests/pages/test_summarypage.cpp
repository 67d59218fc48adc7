// Page 4 through the real main window: the four rows and the totals, last
// year's range (a quiet "0.00" when the range table cannot answer), the year
// text from the table's name, and the page's two buttons. A whole run ending
// here is in test_typicalrun.
#include "programdriver.h"
#include "summarypage.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QString Row(const char* array, int row) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(row); }

}  // namespace

class TestSummaryPage : public QObject {
    Q_OBJECT
private slots:
    void rowsAndTotals()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        // Subjects 540 of 800, an empty special part written "00.00", GPA 35
        // and PR 45 of 50 each.
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
        program.get<SummaryPage>(QStringLiteral("FrameMain(3)"))->BuildSummaryPage(input, "0002");
        const char* earned[] = {"540.00", "0.00", "35.00", "45.00"};
        const char* full[] = {"800.00", "00.00", "50.00", "50.00"};
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(program.text(Row("LabelMyScore", row)), QString::fromLatin1(earned[row]));
            QCOMPARE(program.text(Row("LabelMaxScore", row)), QString::fromLatin1(full[row]));
        }
        // 540 + 0 + 35 + 45 of 800 + 0 + 50 + 50.
        QCOMPARE(program.text(QStringLiteral("Label_total_score(0)")), QStringLiteral("620.00"));
        QCOMPARE(program.text(QStringLiteral("Label_total_score(1)")), QStringLiteral("900.00"));
        QCOMPARE(program.text(QStringLiteral("F4LabelGPA")), QStringLiteral("3.25"));
        QCOMPARE(program.text(QStringLiteral("F4LabelPR")), QStringLiteral("85.50"));
        QVERIFY(program.messages.texts.isEmpty());
    }

    void lastYearsRange_data()
    {
        QTest::addColumn<QByteArray>("tableName");
        QTest::addColumn<QString>("facCode");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("year");
        // The bundled sample holds 0002 at 738.86 / 608.49, 0001 (its first
        // row) at 711.72 / 591.22, and no row of 0037.
        QTest::newRow("row found") << QByteArray("maxminScQor43") << "0002" << "738.86" << "608.49" << "2543";
        QTest::newRow("no row") << QByteArray("maxminScQor43") << "0037" << "0.00" << "0.00" << "2543";
        QTest::newRow("no table") << QByteArray("maxminScQor44") << "0002" << "0.00" << "0.00" << "2544";
        // Spliced into the query, these would comment the condition out and
        // read the first row, or drop a table.
        QTest::newRow("hostile name") << QByteArray("maxminScQor43 --") << "0002" << "0.00" << "0.00" << "25--";
        QTest::newRow("quote in name") << QByteArray("maxminScQor43\"; DROP TABLE SUName; --") << "0002" << "0.00"
                                       << "0.00" << "25--";
        QTest::newRow("one character") << QByteArray("x") << "0002" << "0.00" << "0.00" << "25x";
    }

    void lastYearsRange()
    {
        QFETCH(QByteArray, tableName);
        QFETCH(QString, facCode);
        QFETCH(QString, highest);
        QFETCH(QString, lowest);
        QFETCH(QString, year);
        ProgramFolder folder;
        folder.write(QStringLiteral("param.opt"), tableName + "\r\n2.4397771456\r\n0.5519077994\r\n");
        Program program(folder);
        QVERIFY(program.start());
        program.chooseFaculty(facCode);
        QCOMPARE(program.text(QStringLiteral("LabelFacID")), facCode);
        QVERIFY(program.enterGpaPr(10.0f));
        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.CurrentPage(), 4);
        QCOMPARE(program.text(QStringLiteral("F4LabelMaxLastYear")), highest);
        QCOMPARE(program.text(QStringLiteral("F4LabelMinLastYear")), lowest);
        QCOMPARE(program.text(QStringLiteral("F4LabelYearMaxMin(0)")), year);
        QVERIFY(program.messages.texts.isEmpty());
        QVERIFY(program.window.session().ruleDb().hasTable("SUName"));
    }

    void backShowsPageThreeAndFirstPageEnablesChangeUser()
    {
        ProgramFolder folder;
        folder.write(QStringLiteral("TamrikTemp.tmp"), QByteArray("-1\r\n").repeated(51) + "325\r\n8550\r\n");
        Program program(folder);
        QVERIFY(program.start());
        QVERIFY(program.enterGpaPr(10.0f));
        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.CurrentPage(), 4);
        program.click(QStringLiteral("F4CmdBack"));
        QCOMPARE(program.window.CurrentPage(), 3);
        const QStringList boxes = {program.text(Row("F3Text_GPA", 0)), program.text(Row("F3Text_GPA", 1)),
                                   program.text(Row("F3Text_PR", 0)), program.text(Row("F3Text_PR", 1))};
        QCOMPARE(boxes, QStringLiteral("3 25 85 50").split(u' '));

        // As leaving page 1 for a faculty left it.
        program.get<QAction>(QStringLiteral("submnuOption(0)"))->setEnabled(false);
        program.click(QStringLiteral("F3CmdNext"));
        program.click(QStringLiteral("F4CmdNext"));
        QCOMPARE(program.window.CurrentPage(), 1);
        QVERIFY(program.changeUserEnabled());
    }
};

QTEST_MAIN(TestSummaryPage)
#include "test_summarypage.moc"
