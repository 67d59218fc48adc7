// The splash: what it shows, that its load brings up the main window, and
// each way it closes (timer, click, losing the focus) and the clicks that do
// not close it.
#include "frmsplash.h"
#include "programfolder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const char* const NoticeTexts[7] = {
    nullptr,  // the foot notice is the program's own wording
    "โปรแกรมทดลองคำนวณคะแนนจากการสอบคัดเลือก",
    "บุคคลเข้าศึกษาในสถาบันอุดมศึกษา",
    "เพื่อใช้ประกอบการตัดสินใจในการเลือกคณะ",
    "ข้อมูลที่ใช้ในโปรแกรมเป็นข้อมูลจากปีการศึกษา 2543",
    "ดังนั้นในการใช้กับการคัดเลือกในแต่ละปีจะต้องมีการเปลี่ยนแปลง",
    nullptr,
};

// A stand-in main window and a splash loaded over it and shown.
struct Fixture {
    QWidget mainWindow;
    QPointer<frmSplash> splash = new frmSplash();

    Fixture()
    {
        mainWindow.resize(400, 300);
        splash->Load(&mainWindow);
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));
    }
    ~Fixture() { delete splash; }
};

}  // namespace

class TestFrmSplash : public QObject {
    Q_OBJECT
private slots:
    void showsNameVersionPictureAndNotices()
    {
        Fixture f;
        QCOMPARE(f.splash->size(), QSize(488, 286));  // 7320 x 4290 twips
        QVERIFY(f.splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(Find<QLabel>(f.splash, QStringLiteral("lblCompanyProduct"))->text(), QStringLiteral("Tamrik"));
        QCOMPARE(Find<QLabel>(f.splash, QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.4"));
        QCOMPARE(Find<QLabel>(f.splash, QStringLiteral("Image1"))->pixmap().size(), QSize(100, 100));
        for (int i = 0; i < 7; ++i) {
            auto* line = Find<QLabel>(f.splash, QStringLiteral("lblCompany(%1)").arg(i));
            QVERIFY(!line->text().isEmpty());
            if (NoticeTexts[i])
                QCOMPARE(line->text(), QString::fromUtf8(NoticeTexts[i]));
        }
        // Frame1 fills the window with a 120-twip (8-pixel) margin.
        QCOMPARE(Find<QGroupBox>(f.splash, QStringLiteral("Frame1"))->geometry(), QRect(8, 8, 472, 270));
    }

    void loadShowsTheMainWindowAndStartsTheOneShotTimer()
    {
        Fixture f;
        QVERIFY(f.mainWindow.isVisible());
        auto* timer = Find<QTimer>(f.splash, QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 5000);
    }

    void timerIsIdleUntilTheLoad()
    {
        frmSplash splash;
        QVERIFY(!Find<QTimer>(&splash, QStringLiteral("Timer1"))->isActive());
    }

    void closesWhenTheTimerRunsOut()
    {
        Fixture f;
        auto* timer = Find<QTimer>(f.splash, QStringLiteral("Timer1"));
        timer->start(30);  // the same timer, run out sooner
        QTRY_VERIFY_WITH_TIMEOUT(f.splash.isNull(), 2000);
        QVERIFY(f.mainWindow.isVisible());
    }

    void clickOnTheWindowOrFrameCloses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("window margin") << "frmSplash";
        QTest::newRow("frame") << "Frame1";
    }

    void clickOnTheWindowOrFrameCloses()
    {
        QFETCH(QString, target);
        Fixture f;
        QWidget* widget = target == QStringLiteral("frmSplash") ? f.splash.data() : Find<QWidget>(f.splash, target);
        // A corner point: on the margin of the window, on the frame's border area.
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
        QTRY_VERIFY(f.splash.isNull());
        QVERIFY(f.mainWindow.isVisible());
    }

    void clickOnALineOrThePictureDoesNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("picture") << "Image1";
        QTest::newRow("product name") << "lblCompanyProduct";
        QTest::newRow("version") << "lblVersion";
        QTest::newRow("first line") << "lblCompany(1)";
        QTest::newRow("foot line") << "lblCompany(0)";
    }

    void clickOnALineOrThePictureDoesNothing()
    {
        QFETCH(QString, target);
        Fixture f;
        QTest::mouseClick(Find<QWidget>(f.splash, target), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(!f.splash.isNull());
        QVERIFY(f.splash->isVisible());
    }

    void closesWhenTheMainWindowTakesTheFocus()
    {
        Fixture f;
        f.mainWindow.activateWindow();
        QTRY_VERIFY(f.splash.isNull());
        QVERIFY(f.mainWindow.isVisible());
    }
};

QTEST_MAIN(TestFrmSplash)
#include "test_frmsplash.moc"
