// The splash, the About window and the parameter dialog as the real main
// window meets them: the start-up over it, one window of a kind at a time,
// the dialog filled afresh after a close and its OK reaching pages 3 and 4.
#include "dialogparameter.h"
#include "entrybox.h"
#include "frmabout.h"
#include "frmsplash.h"
#include "frmtamrik.h"
#include "programfolder.h"
#include "recordingmessages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

struct Program {
    ProgramFolder folder;
    RecordingMessages messages;
    FrmTamrik window{folder.path(), folder.fallback(), messages};

    bool start()
    {
        if (!window.Load())
            return false;
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
    QString label(const char* name) const { return Find<QLabel>(&window, QString::fromLatin1(name))->text(); }
    DialogParameter* dialog() const { return window.findChild<DialogParameter*>(); }
    QString dialogText(const char* name) const { return Find<EntryBox>(dialog(), QString::fromLatin1(name))->text(); }
};

QList<frmAbout*> OpenAboutWindows()
{
    QList<frmAbout*> open;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<frmAbout*>(w); about && about->isVisible())
            open << about;
    }
    return open;
}

const char* const ParamLabels[] = {"F3LabelMeanGPA", "F4LabelMeanGpa", "F3LabelSD", "F4LabelSD",
                                   "F4LabelYearMaxMin(0)", "F4LabelYearMaxMin(1)"};

}  // namespace

class TestOpenWindows : public QObject {
    Q_OBJECT
private slots:
    void splashComesUpOverTheStartedWindowAndGoesWhenItIsActivated()
    {
        Program p;
        QVERIFY(p.window.Load());
        QPointer<frmSplash> splash = new frmSplash();
        splash->Load(&p.window);
        QVERIFY(p.window.isVisible());
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));

        p.window.activateWindow();
        QTRY_VERIFY(splash.isNull());
        QVERIFY(p.window.isVisible());
        QCOMPARE(p.window.CurrentPage(), 1);
    }

    void aboutIsOneWindowThatTheMenuBringsForward()
    {
        Program p;
        QVERIFY(p.start());
        auto* item = Find<QAction>(&p.window, QStringLiteral("submenuAbout"));
        item->trigger();
        QCOMPARE(OpenAboutWindows().size(), 1);
        QPointer<frmAbout> about = OpenAboutWindows().first();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(!QApplication::activeModalWidget());

        p.window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &p.window);
        item->trigger();
        QCOMPARE(OpenAboutWindows(), QList<frmAbout*>{about});
        QTRY_COMPARE(QApplication::activeWindow(), about.data());

        // Once closed, the menu makes a new one.
        about->close();
        QTRY_VERIFY(about.isNull());
        item->trigger();
        QCOMPARE(OpenAboutWindows().size(), 1);
        delete OpenAboutWindows().first();
    }

    void aboutStaysOpenWhenTheMainWindowClosesAndTheRunEndsWithIt()
    {
        Program p;
        QVERIFY(p.start());
        p.window.OpenAboutWindow();
        QPointer<frmAbout> about = OpenAboutWindows().value(0);
        QVERIFY(about);
        bool aboutOpenAfterMain = false;
        bool entriesFileGone = false;
        // The closes run inside the application's own loop, which ends only
        // when the last window has closed.
        QTimer::singleShot(0, &p.window, [&] {
            p.window.close();
            entriesFileGone = !p.folder.exists(QStringLiteral("TamrikTemp.tmp"));
            QTimer::singleShot(50, about, [&] {
                aboutOpenAfterMain = about->isVisible();
                QTest::keyClick(Find<QPushButton>(about, QStringLiteral("cmdOK")), Qt::Key_Return);
            });
        });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, this, [] { QApplication::exit(2); });
        safety.start(5000);
        QApplication::setQuitOnLastWindowClosed(true);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOpenAfterMain);
        QVERIFY(entriesFileGone);
        QTRY_VERIFY(about.isNull());
    }

    void parameterDialogIsOneAtATimeAndRefilledAfterAClose()
    {
        Program p;
        QVERIFY(p.start());
        // The hidden menu item still reaches the dialog.
        Find<QAction>(&p.window, QStringLiteral("submnuOption(1)"))->trigger();
        QPointer<DialogParameter> first = p.dialog();
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowActive(first));
        QVERIFY(!first->isModal());
        Find<EntryBox>(first, QStringLiteral("TextMeanGpa"))->setText(QStringLiteral("3.5"));

        p.window.OpenParameterDialog();
        QCOMPARE(p.window.findChildren<DialogParameter*>().size(), 1);
        QCOMPARE(p.dialog(), first.data());
        QCOMPARE(p.dialogText("TextMeanGpa"), QStringLiteral("3.5"));  // kept while it stays open

        QTest::mouseClick(Find<QPushButton>(first, QStringLiteral("CancelButton")), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(p.window.session().params().ParamMeanGpa, std::string("2.4397771456"));

        p.window.OpenParameterDialog();
        QVERIFY(p.dialog());
        QCOMPARE(p.dialogText("TextMeanGpa"), QStringLiteral("2.4397771456"));
        QCOMPARE(p.dialogText("TextSD"), QStringLiteral("0.5519077994"));
        QCOMPARE(p.dialogText("TextDbMaxMin"), QStringLiteral("maxminScQor43"));
    }

    void okShowsTheParametersOnPagesThreeAndFourAtOnce()
    {
        Program p;
        QVERIFY(p.start());
        p.window.OpenParameterDialog();
        QPointer<DialogParameter> dialog = p.dialog();
        Find<EntryBox>(dialog, QStringLiteral("TextMeanGpa"))->setText(QStringLiteral(" 2.5x"));
        Find<EntryBox>(dialog, QStringLiteral("TextSD"))->setText(QStringLiteral("0.6"));
        Find<EntryBox>(dialog, QStringLiteral("TextDbMaxMin"))->setText(QStringLiteral("maxminScQor44"));
        QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("OKButton")), Qt::LeftButton);

        QTRY_VERIFY(dialog.isNull());
        const QString expected[] = {QStringLiteral(" 2.5x"), QStringLiteral(" 2.5x"), QStringLiteral("0.6"),
                                    QStringLiteral("0.6"),   QStringLiteral("2544"),  QStringLiteral("2544")};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(p.label(ParamLabels[i]), expected[i]);
        QCOMPARE(p.folder.read(QStringLiteral("param.opt")), QByteArray("maxminScQor44\r\n 2.5x\r\n0.6\r\n"));
        QCOMPARE(p.window.CurrentPage(), 1);
    }

    void cancelLeavesTheLabelsAndTheFile()
    {
        Program p;
        QVERIFY(p.start());
        QStringList before;
        for (const char* name : ParamLabels)
            before << p.label(name);
        const QByteArray fileBefore = p.folder.read(QStringLiteral("param.opt"));
        p.window.OpenParameterDialog();
        QPointer<DialogParameter> dialog = p.dialog();
        Find<EntryBox>(dialog, QStringLiteral("TextMeanGpa"))->setText(QStringLiteral("3.0"));
        Find<EntryBox>(dialog, QStringLiteral("TextDbMaxMin"))->setText(QStringLiteral("maxminScQor44"));
        QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("CancelButton")), Qt::LeftButton);

        QTRY_VERIFY(dialog.isNull());
        QStringList after;
        for (const char* name : ParamLabels)
            after << p.label(name);
        QCOMPARE(after, before);
        QCOMPARE(p.folder.read(QStringLiteral("param.opt")), fileBefore);
    }
};

QTEST_MAIN(TestOpenWindows)
#include "test_openwindows.moc"
