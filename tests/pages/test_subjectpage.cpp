// Page 2 through the real main window: rows laid out for the bundled kinds of
// faculty, the score boxes with their live subtotals and range check, Enter,
// the check with Next, Back, and a rule database broken on purpose. A whole
// run with its scores and the entries file is the typical-run test's.
#include "colours.h"
#include "controls.h"
#include "programdriver.h"
#include "subjectpage.h"
#include "twips.h"

#include <sqlite3.h>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QString N(const char* base, int index) { return ArrayName(QString::fromLatin1(base), index); }
QString M(int row) { return N("Text_SC_main", row); }
QString S(int row) { return N("Text_sp_sc", row); }
const QString Brace = QStringLiteral("F2LabelSign6174");
const QString Next = QStringLiteral("F2CmdNext");
const QString RangeMessage = QStringLiteral(" คะแนนต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 100 ");

bool ChangeRuleDb(const ProgramFolder& folder, const QString& sql)
{
    sqlite3* db = nullptr;
    const QByteArray path = folder.file(QStringLiteral("ScoreRule.mdb")).toUtf8();
    bool ok = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct Page2 : Program {
    using Program::Program;
    SubjectPage* page() const { return get<SubjectPage>(QStringLiteral("FrameMain(1)")); }
    QLineEdit* box(const QString& name) const { return get<QLineEdit>(name); }
    int top(const QString& name) const { return GeometryTwips(get(name)).top(); }
    QString shown(const QString& name) const { return get(name)->isVisible() ? text(name) : QStringLiteral("-"); }
    QStringList totals() const
    {
        return {text(QStringLiteral("Label_main_total_sc")), text(QStringLiteral("Label_spec_total_sc"))};
    }
    // Every control of page 2 as the user would see it.
    QStringList snapshot() const
    {
        QStringList all;
        for (const QWidget* w : page()->findChildren<QWidget*>()) {
            const QRect g = GeometryTwips(w);
            all << QStringLiteral("%1|%2|%3|%4,%5|%6").arg(w->objectName(), Caption(w)).arg(w->isHidden())
                       .arg(g.left()).arg(g.top()).arg(Background(w).name());
        }
        return all;
    }
};

}  // namespace

class TestSubjectPage : public QObject {
    Q_OBJECT
private slots:
    void rowPlaces_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("mainTops");
        QTest::addColumn<QList<int>>("specTops");
        QTest::addColumn<QList<int>>("braceAndWeight");  // tops; empty: no pair
        QTest::addColumn<int>("condTop");
        QTest::newRow("0002 seven main, no special")
            << QStringLiteral("0002") << QList<int>{665, 1090, 1515, 1940, 2365, 2790, 3215} << QList<int>{} << QList<int>{} << 600;
        QTest::newRow("0059 pair on rows 1-2")
            << QStringLiteral("0059") << QList<int>{665, 1090, 1515, 1940} << QList<int>{605, 970} << QList<int>{495, 855} << 4320;
        QTest::newRow("0015 pair on rows 2-3")
            << QStringLiteral("0015") << QList<int>{665, 1090, 1515} << QList<int>{605, 970, 1335} << QList<int>{870, 1230} << 4320;
    }

    void rowPlaces()
    {
        QFETCH(QString, code);
        QFETCH(QList<int>, mainTops);
        QFETCH(QList<int>, specTops);
        QFETCH(QList<int>, braceAndWeight);
        QFETCH(int, condTop);
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(code);
        QCOMPARE(p.window.CurrentPage(), 2);
        QVERIFY(p.messages.texts.isEmpty());
        // Tops of the shown controls of an array; a row's labels sit 10 below its box.
        auto tops = [&p](const char* base, int rows, int below) {
            QList<int> found;
            for (int r = 0; r < rows; ++r) {
                if (p.get(N(base, r))->isVisible())
                    found << p.top(N(base, r)) - below;
            }
            return found;
        };
        QCOMPARE(tops("Text_SC_main", 8, 0), mainTops);
        QCOMPARE(tops("Label_SubID", 8, 10), mainTops);
        QCOMPARE(tops("Text_sp_sc", 4, 0), specTops);
        QCOMPARE(tops("Label_spec_min", 4, 10), specTops);
        const QList<int> pair{p.top(Brace), p.top(QStringLiteral("F2LabelWsign"))};
        QCOMPARE(p.get(Brace)->isVisible() ? pair : QList<int>(), braceAndWeight);
        QCOMPARE(GeometryTwips(p.box(M(1))), QRect(3240, 665, 735, 375));
        QCOMPARE(p.get(QStringLiteral("FrameSpecSUBJ"))->isVisible(), !specTops.isEmpty());
        QCOMPARE(GeometryTwips(p.get(QStringLiteral("FrameCond"))), QRect(5280, condTop, 5775, 1695));
    }

    void ruleCaptions_data()
    {
        QTest::addColumn<QString>("code");
        // Main rows "code name minimum", special rows with their weight ("-"
        // hidden), WMain, MaxMain, MaxSP, pair weight, the condition lines.
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<float>("scorePerPercent");
        const QString calc = QStringLiteral("วิชาที่ใช้คำนวณคะแนน คือ ");
        const QStringList main3{QStringLiteral("01 ภาษาไทย 0"), QStringLiteral("02 สังคมศึกษา 0"), QStringLiteral("03 ภาษาอังกฤษ 0")};
        const QStringList main4 = main3 + QStringList{QStringLiteral("04 คณิตศาสตร์ 1 0")};
        QTest::newRow("0002 seven main, no special, criteria") << QStringLiteral("0002")
            << main3 + QStringList{QStringLiteral("04 คณิตศาสตร์ 1 30"), QStringLiteral("07 ฟิสิกส์ 0"),
                                   QStringLiteral("08 เคมี 0"), QStringLiteral("09 ชีววิทยา 30"),
                                   QStringLiteral("90"), QStringLiteral("700.00"), QStringLiteral("00.00"), QStringLiteral("-"),
                                   QStringLiteral("-"), QStringLiteral("วิชา 04 ต้องมากกว่า 30 %; วิชา 09 ต้องมากกว่า 30 %; "),
                                   calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 07 ; 08 ; 09 ; ")}
            << 7.7777777f;
        QTest::newRow("0008 the 01+02 rule") << QStringLiteral("0008")
            << main4 + QStringList{QStringLiteral("90"), QStringLiteral("400.00"), QStringLiteral("00.00"), QStringLiteral("-"),
                                   QStringLiteral("วิชา 01 และ 02 คะแนนรวมต้องมากกว่า 30% "), QStringLiteral("-"),
                                   calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; ")}
            << 4.4444447f;
        QTest::newRow("0059 pair on rows 1-2") << QStringLiteral("0059")
            << main4 + QStringList{QStringLiteral("45 ปฏิบัติดนตรีไทย 0 -"), QStringLiteral("46 ปฏิบัติดนตรีสากล 0 -"),
                                   QStringLiteral("60"), QStringLiteral("400.00"), QStringLiteral("200.00"), QStringLiteral("30.00"),
                                   QStringLiteral("-"), QStringLiteral("-"), calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 45 ; 46 ; ")}
            << 6.6666665f;
        QTest::newRow("0015 pair on rows 2-3") << QStringLiteral("0015")
            << main3 + QStringList{QStringLiteral("47 ทฤษฎีดนตรี 0 15"), QStringLiteral("45 ปฏิบัติดนตรีไทย 0 -"),
                                   QStringLiteral("46 ปฏิบัติดนตรีสากล 0 -"), QStringLiteral("45"), QStringLiteral("300.00"),
                                   QStringLiteral("300.00"), QStringLiteral("30.00"), QStringLiteral("-"), QStringLiteral("-"),
                                   calc + QStringLiteral("01 ; 02 ; 03 ; 47 ; 45 ; 46 ; ")}
            << 6.6666665f;
    }

    void ruleCaptions()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, captions);
        QFETCH(float, scorePerPercent);
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(code);
        QCOMPARE(p.window.CurrentPage(), 2);
        QStringList shown;
        const QChar sp = QLatin1Char(' ');
        for (int r = 1; r < p.page()->NextMainRow(); ++r)
            shown << p.text(N("Label_SubID", r)) + sp + p.text(N("Label_NAME_SUBJ", r)) + sp + p.text(N("Label_main_min", r));
        for (int r = 1; r < p.page()->NextSpecRow(); ++r) {
            shown << p.text(N("Label_SubjID_Sp", r)) + sp + p.text(N("Label_name_sp", r)) + sp +
                         p.text(N("Label_spec_min", r)) + sp + p.shown(N("Label_spec_W", r));
            // A pair row keeps half the pair weight behind its hidden label.
            if (!p.get(N("Label_spec_W", r))->isVisible())
                QCOMPARE(p.text(N("Label_spec_W", r)), QStringLiteral("15.00"));
        }
        for (const char* name : {"Label_WMain", "Label_MaxMain", "Label_MaxSP"})
            shown << p.text(QString::fromLatin1(name));
        shown << p.shown(QStringLiteral("F2LabelWsign"));
        for (int i = 0; i < 3; ++i)
            shown << p.shown(N("Label_Con", i));
        QCOMPARE(shown, captions);
        QCOMPARE(p.page()->ScorePerPercent(), scorePerPercent);
        QCOMPARE(p.totals(), (QStringList{QStringLiteral("0"), QStringLiteral("0")}));
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
        QCOMPARE(p.page()->NextMainRow(), 4);
        QCOMPARE(p.page()->NextSpecRow(), 4);
        for (int r = 4; r < 8; ++r) {
            QVERIFY(p.box(M(r))->isHidden());
            QCOMPARE(p.box(M(r))->text(), QString());
            QCOMPARE(Background(p.box(M(r))), Colour::White);
            QCOMPARE(p.text(N("Label_main_min", r)), QStringLiteral("0"));
        }
        QCOMPARE(p.top(Brace), 870);
        QCOMPARE(p.page()->CalcSubjCode()[7], std::string("-1"));

        p.click(QStringLiteral("F2CmdBack"));
        p.open(QStringLiteral("0059"));
        QCOMPARE(p.page()->NextSpecRow(), 3);
        QVERIFY(p.box(S(3))->isHidden());
        QCOMPARE(p.text(N("Label_spec_W", 3)), QStringLiteral("0"));
        QCOMPARE(p.top(Brace), 495);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void restoredScoresTabOrderAndBack()
    {
        ProgramFolder folder;
        // Left by a run that ended abnormally: 01 at 0, which is no score, 02
        // beyond any score, and 04.
        QStringList entries(51, QStringLiteral("-1"));
        entries[0] = QStringLiteral("0");
        entries[1] = QStringLiteral("9999");
        entries[3] = QStringLiteral("72.5");
        entries << QStringLiteral("000") << QStringLiteral("0000") << QString();
        folder.write(QStringLiteral("TamrikTemp.tmp"), entries.join(QStringLiteral("\r\n")).toUtf8());
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        QStringList boxes;
        for (const QString& name : {M(1), M(2), M(3), M(4), S(1)}) {
            const QColor colour = Background(p.box(name));
            QVERIFY(colour == Colour::White || colour == Colour::PaleYellow);
            boxes << p.box(name)->text() + (colour == Colour::PaleYellow ? QStringLiteral("*") : QString());
        }
        QCOMPARE(boxes, (QStringList{QString(), QString(), QString(), QStringLiteral("72.50*"), QString()}));
        QCOMPARE(p.totals(), (QStringList{QStringLiteral("72.50"), QStringLiteral("0")}));
        // The page comes up on the first empty box; Tab takes the restored box last.
        const QStringList tabs{M(1), M(2), M(3), S(1), Next, QStringLiteral("F2CmdBack"), M(4), M(1)};
        QStringList walked{p.focusName()};
        while (walked.size() < tabs.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << p.focusName();
        }
        QCOMPARE(walked, tabs);
        // Not a Tab: Qt's own select-all on Tab must not stand in for the page's.
        p.box(M(4))->setFocus(Qt::OtherFocusReason);
        QCOMPARE(p.box(M(4))->selectedText(), QStringLiteral("72.50"));
        QTest::keyClicks(p.box(M(3)), QStringLiteral("1234567"));
        QCOMPARE(p.box(M(3))->text(), QStringLiteral("123456"));

        // Back forgets what was typed since the last Next.
        p.type(M(4), QStringLiteral("90"));
        p.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QVERIFY(p.box(M(4))->isHidden());
        QCOMPARE(p.page()->MainTotalScore(), 0.0);
        p.click(QStringLiteral("F1CmdNext"));
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("72.50"));
        QCOMPARE(p.box(M(3))->text(), QString());
        QVERIFY(p.messages.texts.isEmpty());
    }

    void subtotalsFollowEveryKeystroke()
    {
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        auto totals = [](const char* main, const char* special) {
            return QStringList{QString::fromLatin1(main), QString::fromLatin1(special)};
        };
        p.type(M(1), QStringLiteral("8"));
        QCOMPARE(p.totals(), totals("8.00", "0"));
        QTest::keyClicks(p.box(M(1)), QStringLiteral("5"));
        QCOMPARE(p.totals(), totals("85.00", "0"));
        p.type(M(4), QStringLiteral("7.5"));
        QCOMPARE(p.totals(), totals("92.50", "0"));
        // Weight 30 of 41, main weight 60 and full score 400: score x 2.
        p.type(S(1), QStringLiteral("7"));
        QCOMPARE(p.totals(), totals("92.50", "14.00"));
        QTest::keyClicks(p.box(S(1)), QStringLiteral("5"));
        QCOMPARE(p.totals(), totals("92.50", "150.00"));
        QTest::keyClick(p.box(S(1)), Qt::Key_Backspace);
        QCOMPARE(p.totals(), totals("92.50", "14.00"));
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("7.50"));
        // Each partial sum goes through the caption: 85 + 0.333 counts as 85.33.
        QTest::keyClicks(p.box(M(2)), QStringLiteral("0.333"));
        QCOMPARE(p.totals(), totals("92.83", "14.00"));
        QCOMPARE(p.page()->MainTotalScore(), 92.83);
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
        QTest::newRow("100 by Tab") << c13 << M(2) << QStringLiteral("100") << int(Qt::Key_Tab) << QStringLiteral("100.00") << M(3);
        QTest::newRow("101 by Tab") << c13 << M(2) << QStringLiteral("101") << int(Qt::Key_Tab) << QString() << M(2);
        QTest::newRow("-1 by Enter") << c13 << M(2) << QStringLiteral("-1") << int(Qt::Key_Return) << QString() << M(2);
        QTest::newRow("Enter, main 1") << c13 << M(1) << s55 << int(Qt::Key_Return) << s5500 << M(2);
        QTest::newRow("Enter, last main to first special") << c13 << M(4) << s55 << int(Qt::Key_Return) << s5500 << S(1);
        QTest::newRow("Enter, last special to Next") << c13 << S(1) << s55 << int(Qt::Key_Return) << s5500 << Next;
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
        QCOMPARE(Background(p.box(from)), shown.isEmpty() ? Colour::White : Colour::PaleYellow);
        if (shown.isEmpty())
            QCOMPARE(p.totals(), (QStringList{QStringLiteral("0.00"), QStringLiteral("0")}));
        QCOMPARE(p.window.CurrentPage(), 2);  // Enter on the last box does not press Next
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
        QCOMPARE(p.window.CurrentPage(), 2);
        QCOMPARE(p.focusName(), M(1));
        // Only that one click: the next one acts.
        p.click(Next);
        QCOMPARE(p.window.CurrentPage(), 3);

        // A box never left still gets its range check from Next.
        p.click(QStringLiteral("F3CmdBack"));
        p.box(M(1))->setText(QStringLiteral("150"));
        p.get<QAbstractButton>(Next)->click();
        QCOMPARE(p.messages.texts, (QStringList{RangeMessage, RangeMessage}));
        QCOMPARE(p.window.CurrentPage(), 2);
        QCOMPARE(p.box(M(1))->text(), QString());
        QCOMPARE(p.focusName(), M(1));
    }

    void nextChecksTheMinimums_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("scores");  // box=score
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("01+02 exactly 30 %") << QStringLiteral("0008")
            << QStringList{M(1) + QStringLiteral("=30"), M(2) + QStringLiteral("=30")} << QStringList{};
        QTest::newRow("01+02 below 30 %") << QStringLiteral("0008")
            << QStringList{M(1) + QStringLiteral("=29.99"), M(2) + QStringLiteral("=30")}
            << QStringList{QStringLiteral("  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ")};
        QTest::newRow("two main subjects fail, in row order") << QStringLiteral("0001")
            << QStringList{M(5) + QStringLiteral("=25"), M(4) + QStringLiteral("=29.99")}
            << QStringList{QStringLiteral("   วิชา 04 คณิตศาสตร์ 1 ไม่ผ่านเกณฑ์ขั้นต่ำ 30 % "),
                           QStringLiteral("   วิชา 07 ฟิสิกส์ ไม่ผ่านเกณฑ์ขั้นต่ำ 25.5 % ")};
        QTest::newRow("minimums met exactly") << QStringLiteral("0013")
            << QStringList{M(4) + QStringLiteral("=30"), S(1) + QStringLiteral("=20")} << QStringList{};
    }

    void nextChecksTheMinimums()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, scores);
        QFETCH(QStringList, messages);
        ProgramFolder folder;
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(code);
        for (const QString& score : scores)
            p.type(score.section(QLatin1Char('='), 0, 0), score.section(QLatin1Char('='), 1));
        p.click(Next);
        QCOMPARE(p.messages.texts, messages);
        QCOMPARE(p.window.CurrentPage(), messages.isEmpty() ? 3 : 1);
        QVERIFY(!p.changeUserEnabled());
        QCOMPARE(p.box(M(1))->isHidden(), !messages.isEmpty());
    }

    void aBrokenRuleStaysOnPageOne_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("named");
        QTest::newRow("no Table12 row") << QStringLiteral("DELETE FROM Table12 WHERE FacCode='0013'") << QStringLiteral("Table12");
        QTest::newRow("TotSco 0") << QStringLiteral("UPDATE tableSUM SET TotSco=0 WHERE FacCode='0013'") << QStringLiteral("TotSco");
        QTest::newRow("subject code 52")
            << QStringLiteral("INSERT INTO SubjectTable (SubCod, SubName, SubTyp) VALUES ('52', 'x', 1);"
                              "UPDATE Facsubj SET Sub5='52' WHERE FacCode='0013'") << QStringLiteral("52");
    }

    void aBrokenRuleStaysOnPageOne()
    {
        QFETCH(QString, sql);
        QFETCH(QString, named);
        ProgramFolder folder;
        QVERIFY(ChangeRuleDb(folder, sql));
        Page2 p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0002"));
        p.click(QStringLiteral("F2CmdBack"));
        const QStringList before = p.snapshot();
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.messages.texts.size(), 1);
        QVERIFY2(p.messages.texts[0].contains(QStringLiteral("0013")) && p.messages.texts[0].contains(named),
                 qPrintable(p.messages.texts[0]));
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QCOMPARE((QStringList{p.text(QStringLiteral("LabelFacID")), p.text(QStringLiteral("F1TxtFacID"))}),
                 (QStringList{QStringLiteral("0013"), QStringLiteral("0013")}));
        QVERIFY(p.get(QStringLiteral("F1CmdNext"))->isEnabled());
        QCOMPARE(p.snapshot(), before);
    }
};

QTEST_MAIN(TestSubjectPage)
#include "test_subjectpage.moc"
