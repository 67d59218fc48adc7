// Page 4 through the real main window: last year's range, a quiet "0.00"
// when the range table cannot answer, and the year from the table's name. The
// rows, totals and buttons of a whole run are test_typicalrun's.
#include "programdriver.h"

using namespace tamrik::testing;

class TestSummaryPage : public QObject {
    Q_OBJECT
private slots:
    void lastYearsRangeMissing_data()
    {
        QTest::addColumn<QByteArray>("tableName");
        QTest::addColumn<QString>("year");
        // The bundled sample has no row of 0037 in maxminScQor43, and no maxminScQor44.
        QTest::newRow("no row") << QByteArray("maxminScQor43") << "2543";
        QTest::newRow("no table") << QByteArray("maxminScQor44") << "2544";
    }

    void lastYearsRangeMissing()
    {
        QFETCH(QByteArray, tableName);
        QFETCH(QString, year);
        ProgramFolder folder;
        folder.write(QStringLiteral("param.opt"), tableName + "\r\n2.4397771456\r\n0.5519077994\r\n");
        Program program(folder);
        QVERIFY(program.start());
        program.chooseFaculty(QStringLiteral("0037"));
        QCOMPARE(program.text(QStringLiteral("LabelFacID")), QStringLiteral("0037"));
        QVERIFY(program.enterGpaPr(10.0f));
        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.currentPage(), 4);
        QCOMPARE(program.texts("F4LabelMaxLastYear F4LabelMinLastYear F4LabelYearMaxMin(0)"),
                 (QStringList{QStringLiteral("0.00"), QStringLiteral("0.00"), year}));
        QVERIFY(program.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestSummaryPage)
#include "test_summarypage.moc"
