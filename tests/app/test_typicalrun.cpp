// A whole run through the real window, as an applicant makes it: faculty by
// its code, subject scores, GPA and PR typed with the keyboard, the Next
// buttons, and every figure of the summary checked against a working done by
// hand. Also: a failed minimum, Back from every page, a second faculty that
// shares subjects, the entries file after each save, and a restart after the
// program was killed.
//
// Faculty 0013 of the bundled data (คณะครุศาสตร์, จุฬาลงกรณ์มหาวิทยาลัย):
//   main 01 02 03 04, special 41; tableSUM 01..04 and 41 with Sco05 20000,
//   TotSco 6000; criteria 04 > 30 %, 41 > 20 %; range row 448.71 / 366.60.
//   MaxMain = 4 × 100 = 400.00; WMain = 90 / (6000 / 10) × 400 = 60;
//   weight of 41 = (20000 / 100 × 90) / 600 = 30; MaxSP = (90 − 60) / 60 × 400
//   = 200.00; ScorePerPercent = 400 / 60 = 6.6666665 in single precision.
// Scores 75, 68.5, 80.25, 55 and 62:
//   main running total 75.00 → 143.50 → 223.75 → 278.75;
//   special 62 / 60 × 400 / 100 × 30 = 124.00.
// GPA 3.25: z = (3.25 − 2.4397771456) / 0.5519077994 = 1.46804, key 1.468,
//   Φ(1.468) = 0.928948, points 6.6666665 × 5 × 0.928948 = 30.96 of 33.33;
//   as typed, 3 (key 1.015, Φ 0.844947) gives 28.16 and 3.2 (key 1.377,
//   Φ 0.915744) 30.52.
// PR 85.50: band 18 (85.01–90.00), 0.90, points 6.6666665 × 5 × 0.9 = 30.00.
// Composite ((124 + 278.75) + 30.9649) + 29.99999 = 463.71;
// highest possible 200 + 400 + 33.33 + 33.33 = 666.66.
#include "programdriver.h"

#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString Entries = QStringLiteral("TamrikTemp.tmp");
// Subjects 01, 02, 03, 04 and 41 of faculty 0013, as typed.
const QStringList Scores = Words("75 68.5 80.25 55 62");
const QString SavedScores = QStringLiteral("01=75 02=68.5 03=80.25 04=55 41=62");

// Types the five scores of faculty 0013, each box left with Enter; returns
// the subtotals "main|special" seen as each score was typed, before its box was left.
QStringList TypeScores(const Program& program, const QStringList& scores)
{
    QStringList totals;
    const QStringList boxes = Words("Text_SC_main(1) Text_SC_main(2) Text_SC_main(3) Text_SC_main(4) Text_sp_sc(1)");
    for (int i = 0; i < boxes.size(); ++i) {
        program.type(boxes[i], scores[i]);
        totals << program.texts("Label_main_total_sc Label_spec_total_sc").join(u'|');
        QTest::keyClick(program.get<QLineEdit>(boxes[i]), Qt::Key_Return);
    }
    return totals;
}

// Types GPA 3.25 and PR 85.50 where page 3 puts the focus on arrival, the
// GPA integer box, one key at a time: the page moves the focus on by itself
// and the GPA points follow every key.
void TypeGpaAndPr(const Program& program)
{
    QCOMPARE(program.focusName(), Indexed("F3Text_GPA", 0));
    const QStringList focus = Words("F3Text_GPA(1) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(0) F3Text_PR(1) F3Text_PR(1) "
                                    "F3CmdNext");
    const QStringList points = Words("28.16 30.52 30.96 30.96 30.96 30.96 30.96");
    for (int i = 0; i < focus.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), "3258550"[i]);
        QCOMPARE(program.focusName(), focus[i]);
        QCOMPARE(program.text(QStringLiteral("Label_gpa_sc")), points[i]);
    }
}

}  // namespace

class TestTypicalRun : public QObject {
    Q_OBJECT
private slots:
    void fromFacultyToSummary()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());

        program.open(QStringLiteral("0013"));
        QCOMPARE(program.window.currentPage(), 2);
        QCOMPARE(program.text(QStringLiteral("LabelFacName")), QStringLiteral("คณะครุศาสตร์"));
        QCOMPARE(TypeScores(program, Scores), Words("75.00|0 143.50|0 223.75|0 278.75|0 278.75|124.00"));
        QCOMPARE(program.focusName(), QStringLiteral("F2CmdNext"));
        QCOMPARE(program.text(Indexed("Text_SC_main", 2)), QStringLiteral("68.50"));

        program.click(QStringLiteral("F2CmdNext"));
        QVERIFY(program.messages.texts.isEmpty());
        QCOMPARE(program.window.currentPage(), 3);
        QCOMPARE(folder.lines(Entries), EntriesLines(SavedScores));

        TypeGpaAndPr(program);
        QCOMPARE(program.focusName(), QStringLiteral("F3CmdNext"));
        QCOMPARE(program.texts("Label_gpa_sc Label_pr_sc Label_maxGpaPr(0)"), Words("30.96 30.00 33.33"));

        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.currentPage(), 4);
        QCOMPARE(program.texts("LabelMyScore(0) LabelMyScore(1) LabelMyScore(2) LabelMyScore(3) "
                                             "Label_total_score(0) F4LabelGPA F4LabelPR"),
                 Words("278.75 124.00 30.96 30.00 463.71 3.25 85.50"));
        QCOMPARE(program.texts("LabelMaxScore(0) LabelMaxScore(1) LabelMaxScore(2) LabelMaxScore(3) "
                                             "Label_total_score(1)"),
                 Words("400.00 200.00 33.33 33.33 666.66"));
        QCOMPARE(program.texts("F4LabelMeanGpa F4LabelSD F4LabelYearMaxMin(0) F4LabelMaxLastYear "
                                             "F4LabelMinLastYear"),
                 Words("2.4397771456 0.5519077994 2543 448.71 366.60"));
        QCOMPARE(folder.lines(Entries), EntriesLines(SavedScores, QStringLiteral("325"), QStringLiteral("8550")));
        QVERIFY(program.messages.texts.isEmpty());

        // Back from every page, then forward again: nothing typed is lost.
        program.click(QStringLiteral("F4CmdBack"));
        QCOMPARE(program.window.currentPage(), 3);
        QCOMPARE(program.text(Indexed("F3Text_PR", 1)), QStringLiteral("50"));
        program.click(QStringLiteral("F3CmdBack"));
        QCOMPARE(program.window.currentPage(), 2);
        QCOMPARE(program.text(Indexed("Text_sp_sc", 1)), QStringLiteral("62.00"));
        program.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(program.window.currentPage(), 1);
        QVERIFY(program.changeUserEnabled());
        QCOMPARE(program.text(QStringLiteral("LabelFacID")), QStringLiteral("0013"));
    }

    void failedMinimumReturnsToPageOne()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0013"));
        TypeScores(program, Words("75 68.5 80.25 25 15"));
        program.click(QStringLiteral("F2CmdNext"));

        QCOMPARE(program.messages.texts,
                 (QStringList{QStringLiteral("   วิชา 04 คณิตศาสตร์ 1 ไม่ผ่านเกณฑ์ขั้นต่ำ 30 % "),
                              QStringLiteral("   วิชา 41 ความถนัดทางวิชาชีพครู ไม่ผ่านเกณฑ์ขั้นต่ำ 20 % ")}));
        QCOMPARE(program.window.currentPage(), 1);
        QVERIFY(!program.changeUserEnabled());
        QVERIFY(program.get(Indexed("Text_SC_main", 1))->isHidden());
        // Each box was saved as it was left, so the all-faculties window could follow.
        QCOMPARE(folder.lines(Entries), EntriesLines(QStringLiteral("01=75 02=68.5 03=80.25 04=25 41=15")));

        program.click(QStringLiteral("F1CmdNext"));
        QCOMPARE(program.texts("Text_SC_main(4) Text_sp_sc(1)"), Words("25.00 15.00"));
    }

    void secondFacultyThenARestartAfterAKill()
    {
        ProgramFolder folder;
        {
            Program program(folder);
            QVERIFY(program.start());
            // Faculty 0013 from page 1 to the summary, as in the working above.
            program.open(QStringLiteral("0013"));
            TypeScores(program, Scores);
            program.click(QStringLiteral("F2CmdNext"));
            TypeGpaAndPr(program);
            for (const char* next : {"F3CmdNext", "F4CmdNext"})
                program.click(QString::fromLatin1(next));
            // 0059 counts 01 to 04 as well, and the either-of pair 45/46.
            program.open(QStringLiteral("0059"));
            QCOMPARE(program.window.currentPage(), 2);
            QCOMPARE(program.texts("Text_SC_main(1) Text_SC_main(2) Text_SC_main(3) Text_SC_main(4) "
                                   "Label_main_total_sc Text_sp_sc(1)"),
                     (Words("75.00 68.50 80.25 55.00 278.75") << QString()));
            QCOMPARE(program.focusName(), Indexed("Text_sp_sc", 1));
            // Destroyed without being closed, as when the process is killed:
            // the entries file stays behind.
            program.window.hide();
        }
        QVERIFY(folder.exists(Entries));

        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0013"));
        QCOMPARE(program.texts("Text_SC_main(3) Text_sp_sc(1) Label_spec_total_sc"), Words("80.25 62.00 124.00"));
        program.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(program.window.currentPage(), 3);
        QCOMPARE(program.texts("F3Text_GPA(0) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(1) Label_gpa_sc Label_pr_sc"),
                 Words("3 25 85 50 30.96 30.00"));
        QCOMPARE(program.focusName(), QStringLiteral("F3CmdNext"));
    }
};

QTEST_MAIN(TestTypicalRun)
#include "test_typicalrun.moc"
