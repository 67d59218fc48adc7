// The About window on its own: what it shows and how it closes.
#include "frmabout.h"
#include "programfolder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

struct Fixture {
    QPointer<frmAbout> about = new frmAbout();

    Fixture()
    {
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about));
    }
    ~Fixture() { delete about; }
};

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void showsTheSplashInformationWithItsVersionInLabel1()
    {
        Fixture f;
        QCOMPARE(f.about->windowTitle(), QStringLiteral("About Tamrik"));
        QVERIFY(!f.about->isModal());
        QCOMPARE(f.about->minimumSize(), f.about->maximumSize());  // fixed border
        QCOMPARE(Find<QLabel>(f.about, QStringLiteral("lblCompanyProduct"))->text(), QStringLiteral("Tamrik"));
        QCOMPARE(Find<QLabel>(f.about, QStringLiteral("Label1"))->text(), QStringLiteral("Version 1.0.4"));
        QVERIFY(!f.about->findChild<QLabel*>(QStringLiteral("lblVersion")));
        QCOMPARE(Find<QLabel>(f.about, QStringLiteral("Image1"))->pixmap().size(), QSize(100, 100));
        QCOMPARE(Find<QLabel>(f.about, QStringLiteral("lblCompany(4)"))->text(),
                 QStringLiteral("ข้อมูลที่ใช้ในโปรแกรมเป็นข้อมูลจากปีการศึกษา 2543"));
        auto* ok = Find<QPushButton>(f.about, QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QVERIFY(f.about->rect().contains(ok->geometry()));
        QVERIFY(!ok->geometry().intersects(Find<QGroupBox>(f.about, QStringLiteral("Frame1"))->geometry()));
    }

    void closes_data()
    {
        QTest::addColumn<int>("key");  // 0: a click on cmdOK
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
        QTest::newRow("esc") << int(Qt::Key_Escape);
        QTest::newRow("ok clicked") << 0;
    }

    void closes()
    {
        QFETCH(int, key);
        Fixture f;
        auto* ok = Find<QPushButton>(f.about, QStringLiteral("cmdOK"));
        QCOMPARE(QApplication::focusWidget(), ok);
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else
            QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(f.about.isNull());
    }

    void clickOnTheWindowClosesButNotOnItsContents_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("window margin") << "frmAbout" << true;
        QTest::newRow("frame") << "Frame1" << false;
        QTest::newRow("picture") << "Image1" << false;
        QTest::newRow("notice line") << "lblCompany(3)" << false;
    }

    void clickOnTheWindowClosesButNotOnItsContents()
    {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        Fixture f;
        QWidget* widget = target == QStringLiteral("frmAbout") ? f.about.data() : Find<QWidget>(f.about, target);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
        if (closes) {
            QTRY_VERIFY(f.about.isNull());
        } else {
            QTest::qWait(20);
            QVERIFY(!f.about.isNull());
        }
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frmabout.moc"
