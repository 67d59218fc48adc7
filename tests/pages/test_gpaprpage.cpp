// Page 3 driven through the real main window: the automatic focus moves, the
// points that follow every keystroke, the filling and range checks when a box
// is left, entering the page with remembered digits, and Back.
#include "frmtamrik.h"
#include "gpaprpage.h"
#include "programfolder.h"
#include "recordingmessages.h"
#include "thaifonts.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString GpaMessage = QStringLiteral("GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4");
const QString PrMessage = QStringLiteral("PR จะต้องมากกว่า 0 และน้อยกว่า 100");

// Points for a GPA worked out from the normal distribution itself: the
// z-score with the default mean and SD, rounded to the three decimals of the
// table's keys, the upper-half probability 0.5 erfc(-z / sqrt 2) taken in
// single precision and mirrored for a negative z.
double ExpectedGpaPoints(float scorePerPercent, double gpa)
{
    const double z = (static_cast<double>(static_cast<float>(gpa)) - 2.4397771456) / 0.5519077994;
    const double key = std::round(std::fabs(z) * 1000.0) / 1000.0;
    float p = static_cast<float>(0.5 * std::erfc(-key / std::sqrt(2.0)));
    if (z < 0 && key > 0)
        p = 1.0f - p;
    return static_cast<double>(scorePerPercent) * 5.0 * static_cast<double>(p);
}

// A PR of two decimals falls in band ceil(hundredths / 500); each band is
// worth a twentieth of the share.
double ExpectedPrPoints(float scorePerPercent, int hundredths)
{
    const int band = (hundredths + 499) / 500;
    return static_cast<double>(scorePerPercent) * 5.0 * static_cast<double>(static_cast<float>(band / 20.0));
}

// A label showing points: two decimals, at least `integerDigits` before the
// point, within half a hundredth of the value worked out here.
void CheckPoints(const QString& shown, double expected, int integerDigits = 1)
{
    const int point = shown.indexOf(QLatin1Char('.'));
    QVERIFY2(point >= integerDigits && shown.size() == point + 3, qPrintable(shown));
    QVERIFY2(std::fabs(shown.toDouble() - expected) <= 0.005 + 1e-9,
             qPrintable(shown + QStringLiteral(" for ") + QString::number(expected, 'f', 6)));
}

const char* const BoxNames[] = {"F3Text_GPA(0)", "F3Text_GPA(1)", "F3Text_PR(0)", "F3Text_PR(1)"};

// The texts of the four boxes, in the order of BoxNames.
QStringList Texts(const char* gpaInteger, const char* gpaDecimals, const char* prInteger, const char* prDecimals)
{
    return {QString::fromUtf8(gpaInteger), QString::fromUtf8(gpaDecimals), QString::fromUtf8(prInteger),
            QString::fromUtf8(prDecimals)};
}

QString FocusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// The window over a fresh program folder, on page 3 as page 2 leaves it
// after an accepted check.
class Page3 {
public:
    explicit Page3(const QByteArray& entriesFile = QByteArray())
    {
        if (!entriesFile.isEmpty())
            folder.write(QStringLiteral("TamrikTemp.tmp"), entriesFile);
    }

    bool enter(float scorePerPercent = 10.0f)
    {
        if (!window.Load())
            return false;
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        page = qobject_cast<GpaPrPage*>(window.findChild<QWidget*>(QStringLiteral("FrameMain(2)")));
        if (!page)
            return false;
        page->EnterGpaPrPage(scorePerPercent);
        window.ShowPage(3);
        page->FocusFirstControl();
        return true;
    }

    QLineEdit* box(const char* name) const { return Find<QLineEdit>(&window, QString::fromLatin1(name)); }
    QString text(const char* name) const { return Find<QLabel>(&window, QString::fromLatin1(name))->text(); }
    QPushButton* button(const char* name) const { return Find<QPushButton>(&window, QString::fromLatin1(name)); }
    void type(char key) { QTest::keyClick(QApplication::focusWidget(), key); }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const char* name : BoxNames)
            texts << box(name)->text();
        return texts;
    }
    // Sets the four boxes with the focus elsewhere, then moves it into the
    // box `name` and out again to F3CmdBack: only that box is left.
    void leaveBox(const QStringList& texts, const QString& name)
    {
        button("F3CmdNext")->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 4; ++i)
            box(BoxNames[i])->setText(texts[i]);
        Find<QLineEdit>(&window, name)->setFocus(Qt::TabFocusReason);
        button("F3CmdBack")->setFocus(Qt::OtherFocusReason);
    }

    ProgramFolder folder;
    RecordingMessages messages;
    FrmTamrik window{folder.path(), folder.fallback(), messages};
    GpaPrPage* page = nullptr;
};

QByteArray EntriesFile(const char* gpaDigits, const char* prDigits)
{
    return QByteArray("-1\r\n").repeated(51) + gpaDigits + "\r\n" + prDigits + "\r\n";
}

}  // namespace

class TestGpaPrPage : public QObject {
    Q_OBJECT
private slots:
    // The program's own faces: where the year of the note stands depends on them.
    void initTestCase() { InstallThaiFonts(); }

    void controlsStandWhereTheDesignPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("text");
        const int right = Qt::AlignRight, left = Qt::AlignLeft, centre = Qt::AlignCenter;
        QTest::newRow("GPA integer") << "F3Text_GPA(0)" << QRect(2160, 360, 495, 420) << 1 << right << "0";
        QTest::newRow("GPA decimals") << "F3Text_GPA(1)" << QRect(2760, 360, 495, 420) << 2 << left << "00";
        QTest::newRow("PR integer") << "F3Text_PR(0)" << QRect(2160, 360, 495, 420) << 2 << right << "00";
        QTest::newRow("PR decimals") << "F3Text_PR(1)" << QRect(2760, 360, 495, 420) << 2 << left << "00";
        QTest::newRow("GPA points") << "Label_gpa_sc" << QRect(5760, 360, 1575, 420) << 0 << centre << "0.00";
        QTest::newRow("GPA full") << "Label_maxGpaPr(0)" << QRect(8280, 360, 1575, 420) << 0 << centre << "50.00";
        QTest::newRow("PR full") << "Label_maxGpaPr(1)" << QRect(8280, 360, 1575, 420) << 0 << centre << "50.00";
        QTest::newRow("title") << "LabelHead(0)" << QRect(240, 360, 5535, 735) << 0 << left << "GPA และ PR";
        QTest::newRow("GPA row") << "Frame1" << QRect(240, 1680, 10695, 1095) << 0 << 0 << "";
        QTest::newRow("PR row") << "Frame3" << QRect(240, 4440, 10695, 975) << 0 << 0 << "";
        QTest::newRow("points heading") << "Label3(2)" << QRect(6000, 1200, 1575, 420) << 0 << centre << "คะแนน 5%";
        QTest::newRow("full heading") << "Label3(1)" << QRect(8520, 1200, 1575, 420) << 0 << centre << "คะแนนเต็ม";
        QTest::newRow("note") << "F3LabelMeanGgpSdComment" << QRect(240, 3240, 5655, 570) << 0 << left
                              << "** หมายเหตุ ข้อมูล x เฉลี่ย และ SD เป็นข้อมูลที่ได้จากการคัดเลือก ประจำปีการศึกษา 2543    "
                                 "ดังนั้น ข้อมูลที่ใช้จริง อาจมีการเปลี่ยนแปลง";
        QTest::newRow("back") << "F3CmdBack" << QRect(7200, 6240, 1935, 495) << 0 << 0 << "ย้อนกลับ";
        QTest::newRow("next") << "F3CmdNext" << QRect(9240, 6240, 1935, 495) << 0 << 0 << "หน้าต่อไป";
    }

    void controlsStandWhereTheDesignPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(int, maxLength);
        QFETCH(int, alignment);
        QFETCH(QString, text);
        Page3 p;
        QVERIFY(p.enter());
        auto* control = Find<QWidget>(&p.window, name);
        QCOMPARE(GeometryTwips(control), twips);
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(box->maxLength(), maxLength);
            QCOMPARE(int(box->alignment() & Qt::AlignHorizontal_Mask), alignment);
            QCOMPARE(box->text(), text);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment & Qt::AlignHorizontal_Mask);
            QCOMPARE(label->text(), text);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        }
    }

    void typingMovesTheFocusAndThePointsFollow()
    {
        Page3 p;
        QVERIFY(p.enter());
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(0)"));

        // The page works with ScorePerPercent 10, so a share is worth 50.
        p.type('3');
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, 3.00));
        p.type('2');
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, 3.20));
        p.type('5');
        QCOMPARE(FocusName(), QStringLiteral("F3Text_PR(0)"));
        CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, 3.25));
        QCOMPARE(p.box("F3Text_GPA(0)")->text(), QStringLiteral("3"));
        QCOMPARE(p.box("F3Text_GPA(1)")->text(), QStringLiteral("25"));
        QCOMPARE(p.page->GpaScore(), ExpectedGpaPoints(10, 3.25));

        for (char key : {'8', '5', '5', '0'})
            p.type(key);
        QCOMPARE(FocusName(), QStringLiteral("F3CmdNext"));
        QCOMPARE(p.box("F3Text_PR(0)")->text(), QStringLiteral("85"));
        QCOMPARE(p.box("F3Text_PR(1)")->text(), QStringLiteral("50"));
        // 85.50 is band 18 of 20: 50 x 0.90.
        QCOMPARE(p.text("Label_pr_sc"), QStringLiteral("45.00"));
        QCOMPARE(p.button("F3CmdNext")->isDown(), false);
        QCOMPARE(p.window.CurrentPage(), 3);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void enterMovesOnWithoutCounting_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        // In the integer box of the GPA, Enter is a key like any other.
        QTest::newRow("GPA integer") << "F3Text_GPA(0)" << "F3Text_GPA(1)";
        QTest::newRow("GPA decimals") << "F3Text_GPA(1)" << "F3Text_PR(0)";
        QTest::newRow("PR integer") << "F3Text_PR(0)" << "F3Text_PR(1)";
        QTest::newRow("PR decimals") << "F3Text_PR(1)" << "F3CmdNext";
    }

    void enterMovesOnWithoutCounting()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        Page3 p;
        QVERIFY(p.enter());
        auto* box = Find<QLineEdit>(&p.window, from);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(FocusName(), to);
        if (from == QStringLiteral("F3Text_GPA(0)"))
            return;
        // Enter left the counter alone: one key now does not move on, a
        // second one does.
        box->setFocus(Qt::TabFocusReason);
        p.type('1');
        QCOMPARE(FocusName(), from);
        p.type('2');
        QCOMPARE(FocusName(), to);
    }

    void theKeyCounterOutlivesAMouseClick_data()
    {
        QTest::addColumn<int>("earlierKeys");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("one key kept from before") << 1 << "F3Text_PR(0)";
        QTest::newRow("no key before") << 0 << "F3Text_GPA(1)";
    }

    void theKeyCounterOutlivesAMouseClick()
    {
        QFETCH(int, earlierKeys);
        QFETCH(QString, focusAfter);
        Page3 p;
        QVERIFY(p.enter());
        QLineEdit* decimals = p.box("F3Text_GPA(1)");
        decimals->setFocus(Qt::TabFocusReason);
        if (earlierKeys == 1) {
            p.type('7');
            QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        }
        QTest::mouseClick(p.box("F3Text_PR(1)"), Qt::LeftButton);
        QCOMPARE(FocusName(), QStringLiteral("F3Text_PR(1)"));
        QTest::mouseClick(decimals, Qt::LeftButton);
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        QTest::keyClick(decimals, Qt::Key_Backspace);
        QCOMPARE(FocusName(), focusAfter);
    }

    void leavingABoxFillsIt_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QStringList>("before");  // GPA(0), GPA(1), PR(0), PR(1)
        QTest::addColumn<QStringList>("after");
        QTest::newRow("GPA lone decimal") << "F3Text_GPA(1)" << Texts("3", "5", "00", "00") << Texts("3", "50", "00", "00");
        QTest::newRow("GPA integer empty") << "F3Text_GPA(0)" << Texts("", "50", "00", "00") << Texts("0", "50", "00", "00");
        QTest::newRow("GPA decimals empty") << "F3Text_GPA(1)" << Texts("2", "", "00", "00") << Texts("2", "00", "00", "00");
        QTest::newRow("GPA lone letter") << "F3Text_GPA(1)" << Texts("2", "a", "00", "00") << Texts("2", "a", "00", "00");
        QTest::newRow("GPA zero") << "F3Text_GPA(1)" << Texts("0", "00", "00", "00") << Texts("0", "00", "00", "00");
        QTest::newRow("PR lone integer") << "F3Text_PR(0)" << Texts("0", "00", "7", "25") << Texts("0", "00", "07", "25");
        QTest::newRow("PR lone decimal") << "F3Text_PR(1)" << Texts("0", "00", "85", "5") << Texts("0", "00", "85", "50");
        QTest::newRow("PR both lone") << "F3Text_PR(1)" << Texts("0", "00", "7", "5") << Texts("0", "00", "07", "50");
        QTest::newRow("PR lone letter") << "F3Text_PR(1)" << Texts("0", "00", "85", "x") << Texts("0", "00", "85", "x");
        QTest::newRow("PR integer empty") << "F3Text_PR(0)" << Texts("0", "00", "", "") << Texts("0", "00", "00", "");
    }

    void leavingABoxFillsIt()
    {
        QFETCH(QString, left);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Page3 p;
        QVERIFY(p.enter());
        p.leaveBox(before, left);
        QCOMPARE(p.boxTexts(), after);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void bothEmptyPrBoxesBecomeZeroWithoutAMessage()
    {
        Page3 p;
        QVERIFY(p.enter());
        p.box("F3Text_PR(0)")->clear();
        p.box("F3Text_PR(1)")->clear();
        p.box("F3Text_PR(0)")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusName(), QStringLiteral("F3CmdNext"));
        QCOMPARE(p.box("F3Text_PR(0)")->text(), QStringLiteral("00"));
        QCOMPARE(p.box("F3Text_PR(1)")->text(), QStringLiteral("00"));
        QCOMPARE(p.text("Label_pr_sc"), QStringLiteral("0.00"));
        QCOMPARE(p.page->PrScore(), 0.0);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void outOfRangeEmptiesTheBoxLeft_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("message");
        QTest::newRow("GPA 4.01 decimals") << "F3Text_GPA(1)" << Texts("4", "01", "00", "00") << GpaMessage;
        QTest::newRow("GPA 4.01 integer") << "F3Text_GPA(0)" << Texts("4", "01", "00", "00") << GpaMessage;
        QTest::newRow("GPA 5") << "F3Text_GPA(0)" << Texts("5", "00", "00", "00") << GpaMessage;
        QTest::newRow("GPA negative") << "F3Text_GPA(0)" << Texts("-", "50", "00", "00") << GpaMessage;
        QTest::newRow("PR negative") << "F3Text_PR(0)" << Texts("0", "00", "-5", "00") << PrMessage;
    }

    void outOfRangeEmptiesTheBoxLeft()
    {
        QFETCH(QString, left);
        QFETCH(QStringList, before);
        QFETCH(QString, message);
        Page3 p;
        QVERIFY(p.enter());
        // Out of range, the live points are nothing while the user reads the message.
        const char* points = left.startsWith(QStringLiteral("F3Text_GPA")) ? "Label_gpa_sc" : "Label_pr_sc";
        QString pointsWhileShown;
        p.messages.whileShown = [&](const QString&) { pointsWhileShown = p.text(points); };
        p.leaveBox(before, left);
        QCOMPARE(p.messages.texts, QStringList{message});
        QCOMPARE(pointsWhileShown, QStringLiteral("0.00"));
        QCOMPARE(Find<QLineEdit>(&p.window, left)->text(), QString());
        QCOMPARE(FocusName(), left);
    }

    void typingAGpaAboveFourEndsInTheMessage()
    {
        Page3 p;
        QVERIFY(p.enter());
        p.type('4');
        p.type('0');
        p.type('1');
        // 4.01 is above 4: no points, and leaving the decimals empties them.
        QCOMPARE(p.messages.texts, QStringList{GpaMessage});
        QCOMPARE(p.box("F3Text_GPA(1)")->text(), QString());
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        // What stands now is 4. with no decimals, which is 4.00.
        CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, 4.0));
    }

    void enteringRefillsTheBoxesAndComputesTheShares_data()
    {
        QTest::addColumn<QByteArray>("gpaDigits");
        QTest::addColumn<QByteArray>("prDigits");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<double>("gpa");  // 0: no share
        QTest::addColumn<QString>("prLabel");
        // PR labels: band 20 is the whole 50; 4.75 is band 1, 2.5 points, shown
        // with two integer places on entering.
        QTest::newRow("3.25 and 99.50") << QByteArray("325") << QByteArray("9950") << Texts("3", "25", "99", "50") << 3.25
                                        << "50.00";
        QTest::newRow("4.00 only") << QByteArray("400") << QByteArray("0000") << Texts("4", "00", "00", "00") << 4.0
                                   << "0.00";
        QTest::newRow("99.99 only") << QByteArray("000") << QByteArray("9999") << Texts("0", "00", "99", "99") << 0.0
                                    << "50.00";
        QTest::newRow("PR 04.75") << QByteArray("000") << QByteArray("0475") << Texts("0", "00", "04", "75") << 0.0
                                  << "02.50";
        QTest::newRow("nothing remembered") << QByteArray("000") << QByteArray("0000") << Texts("0", "00", "00", "00")
                                            << 0.0 << "0.00";
        // A longer integer part from the file stands whole in its box.
        QTest::newRow("GPA 00.25") << QByteArray("0025") << QByteArray("0000") << Texts("00", "25", "00", "00") << 0.25
                                   << "0.00";
    }

    void enteringRefillsTheBoxesAndComputesTheShares()
    {
        QFETCH(QByteArray, gpaDigits);
        QFETCH(QByteArray, prDigits);
        QFETCH(QStringList, boxes);
        QFETCH(double, gpa);
        QFETCH(QString, prLabel);
        Page3 p(EntriesFile(gpaDigits.constData(), prDigits.constData()));
        QVERIFY(p.enter());
        QCOMPARE(p.boxTexts(), boxes);
        if (gpa > 0)
            CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, gpa));
        else
            QCOMPARE(p.text("Label_gpa_sc"), QStringLiteral("0.00"));
        QCOMPARE(p.text("Label_pr_sc"), prLabel);
        QCOMPARE(p.text("Label_maxGpaPr(0)"), QStringLiteral("50.00"));
        QCOMPARE(p.text("Label_maxGpaPr(1)"), QStringLiteral("50.00"));
        QCOMPARE(p.text("F3LabelMeanGPA"), QStringLiteral("2.4397771456"));
        QCOMPARE(p.text("F3LabelSD"), QStringLiteral("0.5519077994"));
    }

    void aLongerRememberedTextStandsUntilItIsTypedOver()
    {
        Page3 p(EntriesFile("0025", "0000"));
        QVERIFY(p.enter());
        QLineEdit* integer = p.box("F3Text_GPA(0)");
        QCOMPARE(integer->text(), QStringLiteral("00"));
        integer->setFocus(Qt::TabFocusReason);
        p.type('3');
        QCOMPARE(integer->text(), QStringLiteral("3"));
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(1)"));
        // Typed again, the box takes one character as before.
        QCOMPARE(integer->maxLength(), 1);
        CheckPoints(p.text("Label_gpa_sc"), ExpectedGpaPoints(10, 3.25));
    }

    void thePrLabelDropsItsSecondPlaceAtTheNextChange()
    {
        Page3 p(EntriesFile("000", "0475"));
        QVERIFY(p.enter());
        QCOMPARE(p.text("Label_pr_sc"), QStringLiteral("02.50"));
        p.box("F3Text_PR(1)")->setText(QStringLiteral("76"));
        QCOMPARE(p.text("Label_pr_sc"), QStringLiteral("2.50"));
        QCOMPARE(p.page->PrScore(), ExpectedPrPoints(10, 476));
    }

    void tabOrderPutsTheButtonsFirstForRememberedDigits_data()
    {
        QTest::addColumn<QByteArray>("gpaDigits");
        QTest::addColumn<QByteArray>("prDigits");
        QTest::addColumn<QStringList>("visits");
        const QStringList boxesFirst = QStringLiteral(
            "F3Text_GPA(0) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(1) F3CmdNext F3CmdBack F3Text_GPA(0)").split(u' ');
        const QStringList buttonsFirst = QStringLiteral(
            "F3CmdNext F3CmdBack F3Text_GPA(0) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(1) F3CmdNext").split(u' ');
        QTest::newRow("nothing remembered") << QByteArray("000") << QByteArray("0000") << boxesFirst;
        QTest::newRow("GPA and PR remembered") << QByteArray("325") << QByteArray("9950") << buttonsFirst;
        QTest::newRow("PR only") << QByteArray("000") << QByteArray("0475") << buttonsFirst;
    }

    void tabOrderPutsTheButtonsFirstForRememberedDigits()
    {
        QFETCH(QByteArray, gpaDigits);
        QFETCH(QByteArray, prDigits);
        QFETCH(QStringList, visits);
        Page3 p(EntriesFile(gpaDigits.constData(), prDigits.constData()));
        QVERIFY(p.enter());
        QStringList seen{FocusName()};
        for (int i = 1; i < visits.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << FocusName();
        }
        QCOMPARE(seen, visits);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void theTabOrderIsSetAgainOnEachEntry()
    {
        Page3 p(EntriesFile("325", "9950"));
        QVERIFY(p.enter());
        QCOMPARE(FocusName(), QStringLiteral("F3CmdNext"));
        // Change of user forgets the digits; the next entry starts at the boxes.
        p.window.session().entries().GpaDigits = "00";
        p.window.session().entries().PrDigits = "00";
        p.page->EnterGpaPrPage(10);
        p.page->FocusFirstControl();
        QCOMPARE(FocusName(), QStringLiteral("F3Text_GPA(0)"));
    }

    void enteringSavesTheEntriesFile()
    {
        Page3 p;
        QVERIFY(p.window.Load());
        // What page 2 remembered just before it entered page 3.
        p.window.session().entries().ScoreByCode[0] = "85";
        p.window.session().entries().PrDigits = "8550";
        auto* page = qobject_cast<GpaPrPage*>(Find<QWidget>(&p.window, QStringLiteral("FrameMain(2)")));
        page->EnterGpaPrPage(10);
        const QStringList lines = p.folder.lines(QStringLiteral("TamrikTemp.tmp"));
        QCOMPARE(lines.size(), 53);
        QCOMPARE(lines[0], QStringLiteral("85"));
        QCOMPARE(lines[52], QStringLiteral("8550"));
    }

    void backTakesTheDigitsAndSavesThem()
    {
        Page3 p;
        QVERIFY(p.enter());
        p.type('3');
        p.type('5');
        // The decimal box is left by the click on Back: its lone 5 is 50 first.
        QTest::mouseClick(p.button("F3CmdBack"), Qt::LeftButton);
        QCOMPARE(p.window.CurrentPage(), 2);
        QCOMPARE(p.window.session().entries().GpaDigits, std::string("350"));
        QCOMPARE(p.window.session().entries().PrDigits, std::string("0000"));
        const QStringList lines = p.folder.lines(QStringLiteral("TamrikTemp.tmp"));
        QCOMPARE(lines.mid(51), (QStringList{QStringLiteral("350"), QStringLiteral("0000")}));
    }

    void resetAndNewParametersShowAtOnce()
    {
        Page3 p(EntriesFile("325", "8550"));
        QVERIFY(p.enter());
        QVERIFY(p.page->GpaScore() > 0);
        p.page->ResetBoxes();
        QCOMPARE(p.boxTexts(), Texts("0", "00", "00", "00"));
        QCOMPARE(p.text("Label_gpa_sc"), QStringLiteral("0.00"));
        QCOMPARE(p.text("Label_pr_sc"), QStringLiteral("0.00"));
        QCOMPARE(p.page->GpaScore(), 0.0);
        QCOMPARE(p.page->PrScore(), 0.0);

        auto* year = Find<QLabel>(&p.window, QStringLiteral("F4LabelYearMaxMin(1)"));
        QVERIFY(!year->isVisible());
        ScoringParams& params = p.window.session().params();
        params.ParamDbMaxMin = "maxminScQor44";
        params.ParamMeanGpa = " 2.5x";
        params.ParamSD = "0.5";
        p.page->ShowParams();
        QCOMPARE(p.text("F3LabelMeanGPA"), QStringLiteral(" 2.5x"));
        QCOMPARE(p.text("F3LabelSD"), QStringLiteral("0.5"));
        QCOMPARE(year->text(), QStringLiteral("2544"));
        QVERIFY(year->isVisible());
        // It covers the year of the note, inside the note.
        auto* note = Find<QLabel>(&p.window, QStringLiteral("F3LabelMeanGgpSdComment"));
        QVERIFY(note->geometry().contains(year->geometry()));
        QVERIFY(year->geometry().width() < note->width() / 4);

        // The next keystroke converts with the new mean 2.5 and SD 0.5: GPA 3
        // is z = 1 exactly.
        p.box("F3Text_GPA(0)")->setText(QStringLiteral("3"));
        CheckPoints(p.text("Label_gpa_sc"), 50.0 * static_cast<float>(0.5 * std::erfc(-1.0 / std::sqrt(2.0))));
    }
};

QTEST_MAIN(TestGpaPrPage)
#include "test_gpaprpage.moc"
