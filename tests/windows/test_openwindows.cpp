// The splash, About and parameter dialog over the real main window: how each
// closes, one About at a time that outlives the main window, the dialog's
// checks, and what its OK and Cancel (pressed with Enter) leave in param.opt
// and on pages 3 and 4.
#include "dialogparameter.h"
#include "entrybox.h"
#include "frmabout.h"
#include "frmsplash.h"
#include "programdriver.h"
#include "programtexts.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QList<frmAbout*> OpenAboutWindows()
{
    QList<frmAbout*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<frmAbout*>(w); about && about->isVisible())
            open << about;
    return open;
}

const QString Mean = QStringLiteral("ค่า Mean GPA จะต้องมากกว่า 0 และน้อยกว่า 4 เสมอ");
const QString SD = QStringLiteral("ค่า SD จะต้องมากกว่า 0 และน้อยกว่า 1 เสมอ");
const QByteArray DefaultParamFile("maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n");
const char* const ParamLabels =
    "F3LabelMeanGPA F4LabelMeanGpa F3LabelSD F4LabelSD F4LabelYearMaxMin(0) F4LabelYearMaxMin(1)";

}  // namespace

class TestOpenWindows : public QObject {
    Q_OBJECT
private slots:
    void splashCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("timer runs out") << "timer";
        QTest::newRow("main window activated") << "activate";
        QTest::newRow("splash clicked") << "click";
    }

    void splashCloses()
    {
        QFETCH(QString, how);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.window.Load());
        QPointer<frmSplash> splash = new frmSplash();
        splash->Load(&p.window);
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));
        auto* timer = Find<QTimer>(splash, QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());

        if (how == QStringLiteral("timer"))
            timer->start(30);  // the same timer, run out sooner
        else if (how == QStringLiteral("activate"))
            p.window.activateWindow();
        else
            QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(3, 3));
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 1000);
        QVERIFY(p.window.isVisible());
    }

    void aboutIsOneWindowClosedByEnterOrEsc_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("esc") << int(Qt::Key_Escape);
    }

    void aboutIsOneWindowClosedByEnterOrEsc()
    {
        QFETCH(int, key);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        auto* item = p.get<QAction>(QStringLiteral("submenuAbout"));
        item->trigger();
        QPointer<frmAbout> about = OpenAboutWindows().value(0);
        QVERIFY(about && QTest::qWaitForWindowActive(about));
        QVERIFY(!QApplication::activeModalWidget());
        // The bundled database records its year and build date.
        const QString dataLine = Find<QLabel>(about, QStringLiteral("lblDataInfo"))->text();
        QVERIFY(dataLine.startsWith(QStringLiteral("ข้อมูลปีการศึกษา 2543 สร้างเมื่อ 20")));
        QVERIFY(!dataLine.contains(unverifiedText()));

        // The menu brings the open one forward instead of a second.
        p.window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &p.window);
        item->trigger();
        QCOMPARE(OpenAboutWindows(), QList<frmAbout*>{about});
        QTRY_COMPARE(QApplication::activeWindow(), about.data());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(about.isNull());
        item->trigger();
        QCOMPARE(OpenAboutWindows().size(), 1);
        delete OpenAboutWindows().first();
    }

    // A database without a content digest is used, and About says so.
    void aboutSaysWhenTheDataCannotBeVerified_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("line");
        QTest::newRow("no digest") << QStringLiteral("UPDATE TamrikInfo SET ContentHash = NULL;")
                                   << QStringLiteral("ข้อมูลปีการศึกษา 2543 สร้างเมื่อ 20");
        QTest::newRow("no build record") << QStringLiteral("DROP TABLE TamrikInfo;") << QString();
    }
    void aboutSaysWhenTheDataCannotBeVerified()
    {
        QFETCH(QString, sql);
        QFETCH(QString, line);
        ProgramFolder folder;
        QVERIFY(folder.changeRuleDb(sql));
        Program p(folder);
        QVERIFY(p.start());
        p.get<QAction>(QStringLiteral("submenuAbout"))->trigger();
        QPointer<frmAbout> about = OpenAboutWindows().value(0);
        QVERIFY(about);
        const QString dataLine = Find<QLabel>(about, QStringLiteral("lblDataInfo"))->text();
        QVERIFY2(dataLine.startsWith(line) && dataLine.endsWith(QStringLiteral("(ไม่ได้ตรวจสอบ)")), qPrintable(dataLine));
        delete about;
    }

    void aboutStaysOpenWhenTheMainWindowCloses()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.window.openAboutWindow();
        QPointer<frmAbout> about = OpenAboutWindows().value(0);
        QVERIFY(about);
        bool aboutOpenAfterMain = false;
        // The closes run inside the application's own loop, which ends only
        // when the last window has closed.
        QTimer::singleShot(0, &p.window, [&] {
            p.window.close();
            QTimer::singleShot(50, about, [&] {
                aboutOpenAfterMain = about->isVisible();
                QTest::keyClick(Find<QPushButton>(about, QStringLiteral("cmdOK")), Qt::Key_Return);
            });
        });
        QTimer safety;  // a hung close fails instead of blocking
        connect(&safety, &QTimer::timeout, this, [] { QApplication::exit(2); });
        safety.start(5000);
        QApplication::setQuitOnLastWindowClosed(true);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOpenAfterMain);
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp")));
        QTRY_VERIFY(about.isNull());
    }

    void dialogChecksABoxWhenItIsLeft_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byOk");  // left by a click on OK, else by Tab
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::newRow("mean 4") << "TextMeanGpa" << "4" << false << Mean;
        QTest::newRow("mean 3.99") << "TextMeanGpa" << "3.99" << false << QString();
        QTest::newRow("mean blank 2.5x") << "TextMeanGpa" << " 2.5x" << false << QString();
        QTest::newRow("mean 0") << "TextMeanGpa" << "0" << false << Mean;
        QTest::newRow("mean abc") << "TextMeanGpa" << "abc" << false << Mean;
        QTest::newRow("sd 1") << "TextSD" << "1" << false << SD;
        QTest::newRow("sd 0.999") << "TextSD" << "0.999" << false << QString();
        // The click that left a refused box does nothing else: nothing saved, the dialog stays.
        QTest::newRow("mean 5 by OK") << "TextMeanGpa" << "5" << true << Mean;
    }

    void dialogChecksABoxWhenItIsLeft()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(bool, byOk);
        QFETCH(QString, message);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.window.openParameterDialog();
        auto* dialog = p.window.findChild<DialogParameter*>();
        // A transient reads as active while its parent is: wait for the dialog itself.
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        if (byOk)
            Program::type(Find<EntryBox>(dialog, QStringLiteral("TextSD")), QStringLiteral("0.7"));
        auto* box = Find<EntryBox>(dialog, boxName);
        const QString before = box->text();
        Program::type(box, typed);
        if (byOk)
            QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("OKButton")), Qt::LeftButton);
        else
            QTest::keyClick(box, Qt::Key_Tab);

        // Refused: the message, the last accepted text back, the focus kept.
        QCOMPARE(p.messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(box->text(), message.isEmpty() ? typed : before);
        QCOMPARE(box->hasFocus(), !message.isEmpty());
        // Leaving a box stores nothing: only OK does.
        const ScoringParams& params = p.window.session().params();
        QCOMPARE(params.ParamMeanGpa + '|' + params.ParamSD, std::string("2.4397771456|0.5519077994"));
        QCOMPARE(folder.read(QStringLiteral("param.opt")), DefaultParamFile);
    }

    void dialogOkWritesAndShowsCancelLeavesAlone_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("labels");  // ParamLabels' texts; YearMaxMin(1) is filled only by OK
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("pagesFirst");  // pages 3 and 4 shown before the dialog, or first after it
        for (const bool pagesFirst : {true, false}) {
            const char* when = pagesFirst ? "pages shown before" : "pages shown after";
            QTest::addRow("ok, %s", when) << "OKButton" << " 2.5x| 2.5x|0.6|0.6|2544|2544"
                                          << QByteArray("maxminScQor44\r\n 2.5x\r\n0.6\r\n") << pagesFirst;
            QTest::addRow("cancel, %s", when) << "CancelButton"
                                              << "2.4397771456|2.4397771456|0.5519077994|0.5519077994|2543|"
                                              << DefaultParamFile << pagesFirst;
        }
    }

    void dialogOkWritesAndShowsCancelLeavesAlone()
    {
        QFETCH(QString, button);
        QFETCH(QString, labels);
        QFETCH(QByteArray, file);
        QFETCH(bool, pagesFirst);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        // Pages 3 and 4 shown once, then back to page 1.
        const auto showPagesThreeAndFour = [&p] {
            QVERIFY(p.enterGpaPr(10.0f));
            p.click(QStringLiteral("F3CmdNext"));
            QCOMPARE(p.window.currentPage(), 4);
        };
        if (pagesFirst) {
            showPagesThreeAndFour();
            p.click(QStringLiteral("F4CmdNext"));
            QCOMPARE(p.window.currentPage(), 1);
        }
        p.window.openParameterDialog();
        QPointer<DialogParameter> dialog = p.window.findChild<DialogParameter*>();
        Find<EntryBox>(dialog, QStringLiteral("TextMeanGpa"))->setText(QStringLiteral(" 2.5x"));
        Find<EntryBox>(dialog, QStringLiteral("TextSD"))->setText(QStringLiteral("0.6"));
        Find<EntryBox>(dialog, QStringLiteral("TextDbMaxMin"))->setText(QStringLiteral("maxminScQor44"));
        // Pressed with Enter once it has the focus, as the keyboard reaches it.
        QTRY_COMPARE(QApplication::activeWindow(), dialog.data());
        Find<QPushButton>(dialog, button)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        QTRY_VERIFY(dialog.isNull());
        if (!pagesFirst)
            showPagesThreeAndFour();
        QCOMPARE(p.texts(ParamLabels).join(u'|'), labels);
        QCOMPARE(folder.read(QStringLiteral("param.opt")), file);
        QCOMPARE(p.messages.texts, QStringList());
    }
};

QTEST_MAIN(TestOpenWindows)
#include "test_openwindows.moc"
