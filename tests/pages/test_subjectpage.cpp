// Page 2 through the real main window: rows laid out for the bundled kinds of
// faculty, the score boxes with their range check, Enter, the check with
// Next, Back, and a rule database broken on purpose. A whole run with its live
// subtotals, scores and the entries file is the typical-run test's.
#include "colours.h"
#include "programdriver.h"
#include "subjectpage.h"
#include "twips.h"

#include <QFontMetrics>
#include <QLabel>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QString M(int row) { return Indexed("Text_SC_main", row); }
QString S(int row) { return Indexed("Text_sp_sc", row); }
const QString Brace = QStringLiteral("F2LabelSign6174");
const QString Next = QStringLiteral("F2CmdNext");
const QString RangeMessage = QStringLiteral(" คะแนนต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 100 ");

struct Page2 : Program {
    using Program::Program;
    SubjectPage* page() const { return get<SubjectPage>(QStringLiteral("FrameMain(1)")); }
    QLineEdit* box(const QString& name) const { return get<QLineEdit>(name); }
    int top(const QString& name) const { return geometryTwips(get(name)).top(); }
    QString shown(const QString& name) const { return get(name)->isVisible() ? text(name) : QStringLiteral("-"); }
    QStringList totals() const { return texts("Label_main_total_sc Label_spec_total_sc"); }
    // Every control of page 2 as the user would see it.
    QStringList snapshot() const
    {
        QStringList all;
        for (const QWidget* w : page()->findChildren<QWidget*>()) {
            const QRect g = geometryTwips(w);
            all << QStringLiteral("%1|%2|%3|%4,%5|%6").arg(w->objectName(), Caption(w)).arg(w->isHidden())
                       .arg(g.left()).arg(g.top()).arg(background(w).name());
        }
        return all;
    }
};

}  // namespace

class TestSubjectPage : public QObject {
    Q_OBJECT
private slots:
    void layoutForEachKindOfFaculty_data()
    {
        QTest::addColumn<QString>("code");
        // Main rows "code name minimum", special rows with their weight, then
        // the three condition lines; "-" is a hidden one, '|' parts a row.
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("mainTops");
        QTest::addColumn<QList<int>>("specialTops");
        QTest::addColumn<QList<int>>("braceAndWeight");  // tops; empty: no pair
        QTest::addColumn<int>("condTop");
        const QString calc = QStringLiteral("วิชาที่ใช้คำนวณคะแนน คือ ");
        const QStringList main3{QStringLiteral("01 ภาษาไทย 0"), QStringLiteral("02 สังคมศึกษา 0"), QStringLiteral("03 ภาษาอังกฤษ 0")};
        const QString pair = QStringLiteral("45 ปฏิบัติดนตรีไทย 0 -|46 ปฏิบัติดนตรีสากล 0 -|-|-");
        QTest::newRow("0002 seven main, no special, criteria") << QStringLiteral("0002")
            << main3 + QStringLiteral("04 คณิตศาสตร์ 1 30|07 ฟิสิกส์ 0|08 เคมี 0|09 ชีววิทยา 30|-|"
                                      "วิชา 04 ต้องมากกว่า 30 %; วิชา 09 ต้องมากกว่า 30 %; ").split(u'|')
                     + QStringList{calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 07 ; 08 ; 09 ; ")}
            << QList<int>{665, 1090, 1515, 1940, 2365, 2790, 3215} << QList<int>{} << QList<int>{} << 600;
        QTest::newRow("0059 pair on rows 1-2") << QStringLiteral("0059")
            << main3 + (QStringLiteral("04 คณิตศาสตร์ 1 0|") + pair).split(u'|')
                     + QStringList{calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 45 ; 46 ; ")}
            << QList<int>{665, 1090, 1515, 1940} << QList<int>{605, 970} << QList<int>{495, 855} << 4320;
        QTest::newRow("0015 pair on rows 2-3") << QStringLiteral("0015")
            << main3 + (QStringLiteral("47 ทฤษฎีดนตรี 0 15|") + pair).split(u'|')
                     + QStringList{calc + QStringLiteral("01 ; 02 ; 03 ; 47 ; 45 ; 46 ; ")}
            << QList<int>{665, 1090, 1515} << QList<int>{605, 970, 1335} << QList<int>{870, 1230} << 4320;
    }

    void layoutForEachKindOfFaculty()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, mainTops);
        QFETCH(QList<int>, specialTops);
        QFETCH(QList<int>, braceAndWeight);
        QFETCH(int, condTop);
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(code);
        QCOMPARE(p.window.currentPage(), 2);
        QVERIFY(p.messages.texts.isEmpty());
        // The shown column headings are condensed to fit by the time the page is up.
        for (const QString& name : Words("Label12(0) Label12(1) Label12(2) Label12(3) Label9(0) Label9(1) Label2 "
                                         "Label6 Label10")) {
            const auto* heading = p.get<QLabel>(name);
            QVERIFY2(!heading->isVisible() || QFontMetrics(heading->font()).horizontalAdvance(heading->text()) <=
                         heading->contentsRect().width(),
                     qPrintable(name));
        }
        QStringList shown;
        const QChar sp = QLatin1Char(' ');
        for (int r = 1; r < p.page()->NextMainRow(); ++r)
            shown << p.text(Indexed("Label_SubID", r)) + sp + p.text(Indexed("Label_NAME_SUBJ", r)) + sp +
                         p.text(Indexed("Label_main_min", r));
        for (int r = 1; r < p.page()->NextSpecRow(); ++r)
            shown << p.text(Indexed("Label_SubjID_Sp", r)) + sp + p.text(Indexed("Label_name_sp", r)) + sp +
                         p.text(Indexed("Label_spec_min", r)) + sp + p.shown(Indexed("Label_spec_W", r));
        for (int i = 0; i < 3; ++i)
            shown << p.shown(Indexed("Label_Con", i));
        QCOMPARE(shown, captions);
        QCOMPARE(p.totals(), Words("0 0"));

        // Tops of the shown controls of an array; a row's labels sit 10 below its box.
        auto tops = [&p](const char* base, int rows, int below) {
            QList<int> found;
            for (int r = 0; r < rows; ++r) {
                if (p.get(Indexed(base, r))->isVisible())
                    found << p.top(Indexed(base, r)) - below;
            }
            return found;
        };
        QCOMPARE(tops("Text_SC_main", 8, 0), mainTops);
        QCOMPARE(tops("Label_SubID", 8, 10), mainTops);
        QCOMPARE(tops("Text_sp_sc", 4, 0), specialTops);
        QCOMPARE(tops("Label_spec_min", 4, 10), specialTops);
        const QList<int> pairTops{p.top(Brace), p.top(QStringLiteral("F2LabelWsign"))};
        QCOMPARE(p.get(Brace)->isVisible() ? pairTops : QList<int>(), braceAndWeight);
        QCOMPARE(p.get(QStringLiteral("FrameSpecSUBJ"))->isVisible(), !specialTops.isEmpty());
        QCOMPARE(geometryTwips(p.get(QStringLiteral("FrameCond"))), QRect(5280, condTop, 5775, 1695));
    }

    void aSecondLoadStartsFromTheTemplate()
    {
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0002"));
        p.type(M(7), QStringLiteral("85"));
        p.click(QStringLiteral("F2CmdBack"));
        p.open(QStringLiteral("0015"));
        for (int r = 4; r < 8; ++r) {
            QVERIFY(p.box(M(r))->isHidden());
            QCOMPARE(p.box(M(r))->text(), QString());
            QCOMPARE(background(p.box(M(r))), Colour::White);
            QCOMPARE(p.text(Indexed("Label_main_min", r)), QStringLiteral("0"));
        }
        QCOMPARE(p.top(Brace), 870);

        p.click(QStringLiteral("F2CmdBack"));
        p.open(QStringLiteral("0059"));
        QVERIFY(p.box(S(3))->isHidden());
        QCOMPARE(p.text(Indexed("Label_spec_W", 3)), QStringLiteral("0"));
        QCOMPARE(p.top(Brace), 495);
        // The rule's weights, as the rule load works them out.
        QCOMPARE(p.texts("Label_WMain Label_MaxMain Label_MaxSP F2LabelWsign"), Words("60 400.00 200.00 30.00"));
        QVERIFY(p.messages.texts.isEmpty());
    }

    void restoredScoresTabOrderAndBack()
    {
        ProgramFolder folder;
        // Left by a run that ended abnormally: 01 at 0, a score typed as 0,
        // 02 beyond any score, and 04.
        folder.writeLines(QStringLiteral("TamrikTemp.tmp"), EntriesLines(QStringLiteral("01=0 02=9999 04=72.5")));
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.texts("Text_SC_main(1) Text_SC_main(2) Text_SC_main(4) Text_sp_sc(1)"),
                 (QStringList{QStringLiteral("0.00"), QString(), QStringLiteral("72.50"), QString()}));
        QCOMPARE(background(p.box(M(1))), Colour::PaleYellow);
        QCOMPARE(background(p.box(M(2))), Colour::White);
        QCOMPARE(p.totals(), Words("72.50 0"));
        // The page comes up on the first empty box; Tab takes the restored boxes last.
        const QStringList tabs{M(2), M(3), S(1), Next, QStringLiteral("F2CmdBack"), M(1), M(4), M(2)};
        QStringList walked{p.focusName()};
        while (walked.size() < tabs.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << p.focusName();
        }
        QCOMPARE(walked, tabs);
        // Not a Tab: Qt's own select-all on Tab must not stand in for the page's.
        p.box(M(4))->setFocus(Qt::OtherFocusReason);
        QCOMPARE(p.box(M(4))->selectedText(), QStringLiteral("72.50"));

        // Back forgets what was typed since the last Next.
        p.type(M(4), QStringLiteral("90"));
        p.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(p.window.currentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QVERIFY(p.box(M(4))->isHidden());
        QCOMPARE(p.page()->MainTotalScore(), 0.0);
        p.click(QStringLiteral("F1CmdNext"));
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("72.50"));
        QVERIFY(p.messages.texts.isEmpty());
    }

    void leavingABox_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");  // empty: rejected with the message
        QTest::addColumn<QString>("to");
        const QString c13 = QStringLiteral("0013"), s55 = QStringLiteral("55"), s5500 = QStringLiteral("55.00");
        QTest::newRow("101 by Tab") << c13 << M(2) << QStringLiteral("101") << int(Qt::Key_Tab) << QString() << M(2);
        QTest::newRow("-1 by Enter") << c13 << M(2) << QStringLiteral("-1") << int(Qt::Key_Return) << QString() << M(2);
        QTest::newRow("8O, no number") << c13 << M(2) << QStringLiteral("8O") << int(Qt::Key_Tab) << QString() << M(2);
        QTest::newRow("abc, no number") << c13 << M(2) << QStringLiteral("abc") << int(Qt::Key_Return) << QString() << M(2);
        QTest::newRow("75. with blanks") << c13 << M(2) << QStringLiteral(" 75. ") << int(Qt::Key_Tab) << QStringLiteral("75.00") << M(3);
        QTest::newRow("Enter, last main to first special") << c13 << M(4) << s55 << int(Qt::Key_Return) << s5500 << S(1);
        QTest::newRow("Enter, last main to Next, no special")
            << QStringLiteral("0002") << M(7) << s55 << int(Qt::Key_Return) << s5500 << Next;
    }

    void leavingABox()
    {
        QFETCH(QString, code);
        QFETCH(QString, from);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(QString, to);
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(code);
        // While the message is up another window holds the focus, as a box does.
        p.messages.whileShown = [&p](const QString&) {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.close();
            p.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p.window));
        };
        p.type(from, typed);
        QTest::keyClick(p.box(from), Qt::Key(key));
        QTRY_COMPARE(p.focusName(), to);
        QCOMPARE(p.messages.texts, shown.isEmpty() ? QStringList{RangeMessage} : QStringList{});
        QCOMPARE(p.box(from)->text(), shown);
        QCOMPARE(background(p.box(from)), shown.isEmpty() ? Colour::White : Colour::PaleYellow);
        if (shown.isEmpty())
            QCOMPARE(p.totals(), Words("0.00 0"));
        QCOMPARE(p.window.currentPage(), 2);  // Enter on the last box does not press Next
    }

    void refusedScoreHoldsBackTheClickThatLeftIt()
    {
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0005"));  // no criteria: Next alone decides the page
        p.type(M(1), QStringLiteral("101"));
        p.click(Next);
        QCOMPARE(p.messages.texts, QStringList{RangeMessage});
        QCOMPARE(p.window.currentPage(), 2);
        QCOMPARE(p.focusName(), M(1));
        // Only that one click: the next one acts.
        p.click(Next);
        QCOMPARE(p.window.currentPage(), 3);

        // A text that is no number is no score: the moment it stands in a
        // box, the box is no longer shown as accepted and counts as empty;
        // never left, it still gets its check from Next.
        p.click(QStringLiteral("F3CmdBack"));
        p.type(M(1), QStringLiteral("75"));
        QTest::keyClick(p.box(M(1)), Qt::Key_Tab);
        QCOMPARE(background(p.box(M(1))), Colour::PaleYellow);
        QCOMPARE(p.totals()[0], QStringLiteral("75.00"));
        p.box(M(1))->setText(QStringLiteral("8O"));
        QCOMPARE(background(p.box(M(1))), Colour::White);
        QCOMPARE(p.totals()[0], QStringLiteral("0.00"));
        p.get<QAbstractButton>(Next)->click();
        QCOMPARE(p.messages.texts, (QStringList{RangeMessage, RangeMessage}));
        QCOMPARE(p.window.currentPage(), 2);
        QCOMPARE(p.box(M(1))->text(), QString());
        QCOMPARE(p.focusName(), M(1));
    }

    // The minimums of single subjects are the typical run's.
    void nextChecksTheRuleOf01And02()
    {
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0008"));
        QCOMPARE(p.shown(QStringLiteral("Label_Con(0)")), QStringLiteral("วิชา 01 และ 02 คะแนนรวมต้องมากกว่า 30% "));
        p.type(M(1), QStringLiteral("29.99"));
        p.type(M(2), QStringLiteral("30"));
        p.click(Next);
        QCOMPARE(p.messages.texts,
                 QStringList{QStringLiteral("  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ")});
        QCOMPARE(p.window.currentPage(), 1);
    }

    // The whole rule is read before the page changes: a fault found late (a
    // subject code out of range) leaves the page as the last faculty left it.
    void aBrokenRuleStaysOnPageOne()
    {
        ProgramFolder folder;
        QVERIFY(folder.changeRuleDb(
            QStringLiteral("INSERT INTO SubjectTable (SubCod, SubName, SubTyp) VALUES ('52', 'x', 1);"
                           "UPDATE Facsubj SET Sub5='52' WHERE FacCode='0013'")));
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0002"));
        p.click(QStringLiteral("F2CmdBack"));
        const QStringList before = p.snapshot();
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.messages.texts.size(), 1);
        const QString& message = p.messages.texts[0];
        QVERIFY2(message.contains(QStringLiteral("0013")) && message.contains(QStringLiteral("52")), qPrintable(message));
        QCOMPARE(p.window.currentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QCOMPARE(p.texts("LabelFacID F1TxtFacID"), Words("0013 0013"));
        QVERIFY(p.get(QStringLiteral("F1CmdNext"))->isEnabled());
        QCOMPARE(p.snapshot(), before);
    }
};

QTEST_MAIN(TestSubjectPage)
#include "test_subjectpage.moc"
