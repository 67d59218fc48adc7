// Page 3 through the real main window: typing as people type (digits only, a
// point that moves on, key counts that start afresh), the filling and range
// checks when a box is left, entering with remembered digits, and Back.
//
// The page is entered for 10 points per percent, so each share is worth 50;
// PR points are 50 × band / 20, band = ceil(PR / 5): 4.75 is band 1 (2.50).
#include "programdriver.h"

#include <QDir>

using namespace tamrik::testing;

namespace {

const QString GpaMessage = QStringLiteral("GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4");
const QString PrMessage = QStringLiteral("PR จะต้องมากกว่า 0 และน้อยกว่า 100");

// "a|b|c" as a list; an empty part is an empty text.
QStringList List(const char* parts) { return QString::fromLatin1(parts).split(u'|'); }

const QStringList BoxNames = List("F3Text_GPA(0)|F3Text_GPA(1)|F3Text_PR(0)|F3Text_PR(1)");
const QStringList BoxesFirst =
    List("F3Text_GPA(0)|F3Text_GPA(1)|F3Text_PR(0)|F3Text_PR(1)|F3CmdNext|F3CmdBack|F3Text_GPA(0)");
const QStringList ButtonsFirst =
    List("F3CmdNext|F3CmdBack|F3Text_GPA(0)|F3Text_GPA(1)|F3Text_PR(0)|F3Text_PR(1)|F3CmdNext");

// The window over a fresh program folder (with the PR digits remembered), on
// page 3 as page 2 leaves it.
struct Page3 {
    explicit Page3(const QString& prDigits = QStringLiteral("0000"))
    {
        folder.writeLines(QStringLiteral("TamrikTemp.tmp"), EntriesLines(QString(), QStringLiteral("000"), prDigits));
    }
    bool enter() { return program.start() && program.enterGpaPr(10.0f); }
    static void key(char c) { QTest::keyClick(QApplication::focusWidget(), c); }
    QStringList texts(const QStringList& names) const { return program.texts(names); }
    // Sets the boxes with the focus elsewhere, then moves it through the boxes
    // `left` and on to F3CmdBack: only those boxes are left.
    void leave(const QStringList& boxes, const QStringList& left)
    {
        program.get(QStringLiteral("F3CmdNext"))->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 4; ++i)
            program.get<QLineEdit>(BoxNames[i])->setText(boxes[i]);
        for (const QString& name : left)
            program.get(name)->setFocus(Qt::TabFocusReason);
        program.get(QStringLiteral("F3CmdBack"))->setFocus(Qt::OtherFocusReason);
    }

    ProgramFolder folder;
    Program program{folder};
};

}  // namespace

class TestGpaPrPage : public QObject {
    Q_OBJECT
private slots:
    // Typed as people type a GPA and a PR ("3.25" or "3,25", a stray letter),
    // on arrival, again after page 4 and Back, and again after a click into
    // the GPA box halfway: the same keys always land in the same boxes, and
    // page 4 of faculty 0013 with the README's scores reads 463.71. Every
    // page is left with Enter on its focused Next.
    void typingAsPeopleType_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("3.25 then 85.50") << "3.2585.50";
        QTest::newRow("digits only") << "3258550";
        QTest::newRow("commas") << "3,2585,50";
        QTest::newRow("letters among them") << "3a.25x85.5b0";
    }

    void typingAsPeopleType()
    {
        QFETCH(QString, keys);
        Page3 page;
        Program& p = page.program;
        QVERIFY(p.start());
        p.chooseFaculty(QStringLiteral("0013"));
        p.get(QStringLiteral("F1CmdNext"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(p.window.currentPage(), 2);
        const QStringList scoreBoxes = Words("Text_SC_main(1) Text_SC_main(2) Text_SC_main(3) Text_SC_main(4) Text_sp_sc(1)");
        const QStringList scores = Words("75 68.5 80.25 55 62");
        for (int i = 0; i < scoreBoxes.size(); ++i) {
            p.type(scoreBoxes[i], scores[i]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(Program::focusName(), QStringLiteral("F2CmdNext"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(p.window.currentPage(), 3);

        const auto typeThenNext = [&p](const QString& typed) {
            QCOMPARE(Program::focusName(), BoxNames[0]);
            for (const QChar key : typed)
                QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
            QCOMPARE(p.texts(BoxNames), List("3|25|85|50"));
            QCOMPARE(Program::focusName(), QStringLiteral("F3CmdNext"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(p.window.currentPage(), 4);
            QCOMPARE(p.texts(List("F4LabelGPA|F4LabelPR|Label_total_score(0)")), List("3.25|85.50|463.71"));
        };
        typeThenNext(keys);
        p.click(QStringLiteral("F4CmdBack"));
        typeThenNext(keys);
        p.click(QStringLiteral("F4CmdBack"));
        for (const QChar key : keys.left(3))
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        QTest::mouseClick(p.get(BoxNames[0]), Qt::LeftButton);
        typeThenNext(keys);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void leavingABox_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("before");  // GPA(0), GPA(1), PR(0), PR(1)
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        const QString back = QStringLiteral("F3CmdBack");
        QTest::newRow("PR both empty") << List("F3Text_PR(0)|F3Text_PR(1)") << List("0|00||") << List("0|00|00|00")
                                       << back << QString();
        QTest::newRow("GPA 4.01") << List("F3Text_GPA(1)") << List("4|01|00|00") << List("4||00|00")
                                  << "F3Text_GPA(1)" << GpaMessage;
        QTest::newRow("PR negative") << List("F3Text_PR(0)") << List("0|00|-5|00") << List("0|00||00")
                                     << "F3Text_PR(0)" << PrMessage;
    }

    void leavingABox()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        Page3 p;
        QVERIFY(p.enter());
        p.leave(before, left);
        QCOMPARE(p.texts(BoxNames), after);
        QCOMPARE(Program::focusName(), focus);
        QCOMPARE(p.program.messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void enteringRefillsTheBoxes_data()
    {
        QTest::addColumn<QString>("prDigits");  // the GPA's are 000
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("points");  // GPA, PR, full GPA, full PR
        QTest::addColumn<QStringList>("tabOrder");
        // Entering shows the PR points with two integer places.
        QTest::newRow("PR 04.75") << "0475" << List("0|00|04|75")
                                  << List("0.00|02.50|50.00|50.00") << ButtonsFirst;
        QTest::newRow("nothing remembered") << "0000" << List("0|00|00|00")
                                            << List("0.00|0.00|50.00|50.00") << BoxesFirst;
    }

    void enteringRefillsTheBoxes()
    {
        QFETCH(QString, prDigits);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, points);
        QFETCH(QStringList, tabOrder);
        Page3 p(prDigits);
        QVERIFY(p.enter());
        QCOMPARE(p.texts(BoxNames), boxes);
        QCOMPARE(p.texts(List("Label_gpa_sc|Label_pr_sc|Label_maxGpaPr(0)|Label_maxGpaPr(1)")), points);
        QStringList seen{Program::focusName()};
        while (seen.size() < tabOrder.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << Program::focusName();
        }
        QCOMPARE(seen, tabOrder);
        QVERIFY(p.program.messages.texts.isEmpty());
    }

    void backTakesTheDigitsAndSavesThem()
    {
        Page3 p;
        QVERIFY(p.enter());
        p.key('3');
        p.key('5');
        // The decimal box is left by the click on Back: its lone 5 is 50 first.
        p.program.click(QStringLiteral("F3CmdBack"));
        QCOMPARE(p.program.window.currentPage(), 2);
        QCOMPARE(p.folder.lines(QStringLiteral("TamrikTemp.tmp")), EntriesLines(QString(), QStringLiteral("350")));

        // A folder in the file's place: saving fails, and the user hears of it
        // once per run of failed saves.
        const QString entries = QStringLiteral("TamrikTemp.tmp");
        QDir dir(p.folder.path());
        auto enterAndGoBack = [&p] {
            p.program.enterGpaPr(10.0f);
            p.program.click(QStringLiteral("F3CmdBack"));
        };
        QVERIFY(dir.remove(entries) && dir.mkdir(entries));
        enterAndGoBack();
        enterAndGoBack();
        QCOMPARE(p.program.messages.texts.size(), 1);
        QVERIFY2(p.program.messages.texts[0].contains(entries), qPrintable(p.program.messages.texts[0]));
        QVERIFY(dir.rmdir(entries));
        enterAndGoBack();
        QCOMPARE(p.folder.lines(entries).mid(51), List("350|0000"));
        QVERIFY(dir.remove(entries) && dir.mkdir(entries));
        enterAndGoBack();
        QCOMPARE(p.program.messages.texts.size(), 2);
    }
};

QTEST_MAIN(TestGpaPrPage)
#include "test_gpaprpage.moc"
