// "Change User" through the real main window: what it forgets, what it leaves
// alone, and what the next faculty load and saves make of it.
#include "gpaprpage.h"
#include "programdriver.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString EntriesFile = QStringLiteral("TamrikTemp.tmp");

// 53 lines: "code=score" pairs (apart by blanks) over 51 "-1", then the GPA
// and PR digits.
QStringList EntriesLines(const QString& scores, const QString& gpa, const QString& pr)
{
    QStringList lines(51, QStringLiteral("-1"));
    for (const QString& score : scores.split(u' '))
        lines[score.section(u'=', 0, 0).toInt() - 1] = score.section(u'=', 1);
    return lines << gpa << pr;
}

// The texts of the named controls (names apart by blanks).
QStringList Texts(const Program& p, const QString& names)
{
    QStringList texts;
    for (const QString& name : names.split(u' '))
        texts << p.text(name);
    return texts;
}
const QString PageThreeBoxes = QStringLiteral("F3Text_GPA(0) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(1)");
const QString MyScores = QStringLiteral("LabelMyScore(0) LabelMyScore(1) LabelMyScore(2) LabelMyScore(3)");
const QStringList ZeroBoxes = QStringLiteral("0 00 00 00").split(u' ');

}  // namespace

class TestChangeOfUser : public QObject {
    Q_OBJECT
private slots:
    void forgetsTheUserThenSavesAfresh_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("page 1 button") << false;
        QTest::newRow("menu item") << true;
    }

    void forgetsTheUserThenSavesAfresh()
    {
        QFETCH(bool, fromMenu);
        ProgramFolder folder;
        const QStringList lines =
            EntriesLines(QStringLiteral("01=85 04=72.5 41=60"), QStringLiteral("325"), QStringLiteral("8550"));
        folder.write(EntriesFile, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        Program p(folder);
        QVERIFY(p.start());
        // The earlier user's whole run over faculty 0013 (main 01 to 04, special 41).
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("72.50"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(Texts(p, PageThreeBoxes), QStringLiteral("3 25 85 50").split(u' '));
        p.click(QStringLiteral("F3CmdNext"));
        QVERIFY(!Texts(p, MyScores).contains(QStringLiteral("0")));
        p.click(QStringLiteral("F4CmdNext"));
        QCOMPARE(p.window.CurrentPage(), 1);
        const QByteArray fileBefore = folder.read(EntriesFile);
        const QString facName = p.text(QStringLiteral("LabelFacName"));

        if (fromMenu)
            p.get<QAction>(QStringLiteral("submnuOption(0)"))->trigger();
        else
            p.click(QStringLiteral("F1CmdChange"));

        // Scores, GPA and PR digits forgotten; pages 3 and 4 zeroed.
        const UserEntries& entries = p.window.session().entries();
        for (const std::string& score : entries.ScoreByCode)
            QCOMPARE(score, std::string("-1"));
        QCOMPARE(entries.GpaDigits, std::string("00"));
        QCOMPARE(entries.PrDigits, std::string("00"));
        QCOMPARE(Texts(p, PageThreeBoxes), ZeroBoxes);
        auto* page3 = p.get<GpaPrPage>(QStringLiteral("FrameMain(2)"));
        QCOMPARE(page3->GpaScore(), 0.0);
        QCOMPARE(page3->PrScore(), 0.0);
        QCOMPARE(Texts(p, MyScores), QStringList(4, QStringLiteral("0")));
        // Left alone: the file, the faculty, the page.
        QCOMPARE(folder.read(EntriesFile), fileBefore);
        QCOMPARE(p.text(QStringLiteral("LabelFacID")), QStringLiteral("0013"));
        QCOMPARE(p.text(QStringLiteral("LabelFacName")), facName);
        QCOMPARE(p.window.CurrentPage(), 1);

        p.open(QStringLiteral("0013"));
        QCOMPARE(p.window.CurrentPage(), 2);
        QCOMPARE(Texts(p, QStringLiteral("Text_SC_main(1) Text_SC_main(4) Text_sp_sc(1)")), QStringList(3, QString()));
        p.type(QStringLiteral("Text_SC_main(4)"), QStringLiteral("30"));
        p.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("20"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.window.CurrentPage(), 3);
        QCOMPARE(Texts(p, PageThreeBoxes), ZeroBoxes);
        // The rule's codes as accepted (empty boxes as 0), the rest forgotten.
        const QString accepted = QStringLiteral("01=0 02=0 03=0 04=30 41=20");
        QCOMPARE(folder.lines(EntriesFile), EntriesLines(accepted, QStringLiteral("00"), QStringLiteral("00")));
        // Leaving page 3 stores the untouched boxes' texts.
        p.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(p.window.CurrentPage(), 4);
        QCOMPARE(folder.lines(EntriesFile), EntriesLines(accepted, QStringLiteral("000"), QStringLiteral("0000")));
        QVERIFY(p.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestChangeOfUser)
#include "test_changeofuser.moc"
