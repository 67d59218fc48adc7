// The parameter dialog on its own: its layout, the checks when a box is left,
// OK and Cancel, and what reaches param.opt.
#include "dialogparameter.h"
#include "entrybox.h"
#include "programfolder.h"
#include "recordingmessages.h"
#include "scoringparams.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString MeanMessage = QStringLiteral("ค่า Mean GPA จะต้องมากกว่า 0 และน้อยกว่า 4 เสมอ");
const QString SDMessage = QStringLiteral("ค่า SD จะต้องมากกว่า 0 และน้อยกว่า 1 เสมอ");
const QByteArray DefaultFile("maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n");

// One dialog over a fresh folder that already holds the default param.opt.
struct Fixture {
    ProgramFolder folder{false};
    RecordingMessages messages;
    ScoringParams params;
    QPointer<DialogParameter> dialog;

    Fixture()
    {
        folder.write(QStringLiteral("param.opt"), DefaultFile);
        dialog = new DialogParameter(params, folder.path().toStdString(), messages);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
    }
    ~Fixture() { delete dialog; }

    EntryBox* box(const char* name) const { return Find<EntryBox>(dialog, QString::fromLatin1(name)); }
    QPushButton* button(const char* name) const { return Find<QPushButton>(dialog, QString::fromLatin1(name)); }
};

}  // namespace

class TestDialogParameter : public QObject {
    Q_OBJECT
private slots:
    void laysOutTheMeanAndSDInViewAndTheTableNameBelowIt()
    {
        Fixture f;
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Change Parameter"));
        QCOMPARE(f.dialog->size(), QSize(406, 112));  // 6090 x 1680 twips
        QCOMPARE(f.box("TextMeanGpa")->text(), QStringLiteral("2.4397771456"));
        QCOMPARE(f.box("TextSD")->text(), QStringLiteral("0.5519077994"));
        QCOMPARE(f.box("TextDbMaxMin")->text(), QStringLiteral("maxminScQor43"));
        QCOMPARE(Find<QLabel>(f.dialog, QStringLiteral("Label1(2)"))->text(), QStringLiteral("แก้ไขค่า x และ SD"));
        QCOMPARE(Find<QLabel>(f.dialog, QStringLiteral("Label3"))->text(),
                 QStringLiteral("แก้ไขชื่อตาราง คะแนนสูงสุด-ต่ำสุด"));
        QCOMPARE(Find<QLabel>(f.dialog, QStringLiteral("Label2"))->text(), QStringLiteral("  ชื่อตาราง"));
        for (const char* name : {"Label3", "Label2", "TextDbMaxMin"}) {
            QWidget* hidden = Find<QWidget>(f.dialog, QString::fromLatin1(name));
            QVERIFY2(hidden->y() >= f.dialog->height(), name);
        }
        for (const char* name : {"TextMeanGpa", "TextSD", "OKButton", "CancelButton"}) {
            QWidget* shown = Find<QWidget>(f.dialog, QString::fromLatin1(name));
            QVERIFY2(f.dialog->rect().contains(shown->geometry()), name);
        }
        // Each bar lies over the x of its label and is a line, not a box.
        for (const char* pair : {"Line1(0)|Label1(0)", "Line1(1)|Label1(2)"}) {
            const QStringList names = QString::fromLatin1(pair).split(QLatin1Char('|'));
            auto* line = Find<QFrame>(f.dialog, names[0]);
            auto* label = Find<QLabel>(f.dialog, names[1]);
            QCOMPARE(line->height(), 1);
            QVERIFY(line->width() > 0);
            QVERIFY(label->geometry().contains(line->geometry()));
        }
    }

    void tabsFromOKThroughEveryBoxIncludingTheUnseenOne()
    {
        Fixture f;
        QCOMPARE(QApplication::focusWidget(), f.button("OKButton"));
        const char* order[] = {"CancelButton", "TextMeanGpa", "TextSD", "TextDbMaxMin", "OKButton"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        QVERIFY(f.messages.texts.isEmpty());
    }

    void checksABoxWhenItIsLeft_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("mean 4 refused") << "TextMeanGpa" << "4" << false;
        QTest::newRow("mean 3.99 accepted") << "TextMeanGpa" << "3.99" << true;
        QTest::newRow("mean blank 2.5x reads 2.5") << "TextMeanGpa" << " 2.5x" << true;
        QTest::newRow("mean 0 refused") << "TextMeanGpa" << "0" << false;
        QTest::newRow("mean without a number refused") << "TextMeanGpa" << "abc" << false;
        QTest::newRow("mean negative refused") << "TextMeanGpa" << "-1" << false;
        QTest::newRow("sd 1 refused") << "TextSD" << "1" << false;
        QTest::newRow("sd 0.999 accepted") << "TextSD" << "0.999" << true;
        QTest::newRow("sd 0 refused") << "TextSD" << "0" << false;
        QTest::newRow("sd without a number refused") << "TextSD" << "abc" << false;
    }

    void checksABoxWhenItIsLeft()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        Fixture f;
        EntryBox* box = Find<EntryBox>(f.dialog, boxName);
        const QString before = box->text();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);

        if (accepted) {
            QVERIFY(f.messages.texts.isEmpty());
            QCOMPARE(box->text(), typed);
            QVERIFY(!box->hasFocus());
        } else {
            const QString message = boxName == QStringLiteral("TextSD") ? SDMessage : MeanMessage;
            QCOMPARE(f.messages.texts, QStringList{message});
            QCOMPARE(box->text(), before);
            QVERIFY(box->hasFocus());
        }
        // Leaving a box stores nothing: only OK does.
        QCOMPARE(f.params.ParamMeanGpa, std::string("2.4397771456"));
        QCOMPARE(f.params.ParamSD, std::string("0.5519077994"));
        QCOMPARE(f.folder.read(QStringLiteral("param.opt")), DefaultFile);
    }

    void refusedBoxRestoresTheLastAcceptedValueNotTheFirstText()
    {
        Fixture f;
        f.params.ParamMeanGpa = "3.1";  // as an earlier OK of another opening would have left it
        EntryBox* mean = f.box("TextMeanGpa");
        mean->setFocus();
        mean->selectAll();
        QTest::keyClicks(mean, QStringLiteral("7"));
        f.box("TextSD")->setFocus();
        QCOMPARE(mean->text(), QStringLiteral("3.1"));
        QVERIFY(mean->hasFocus());
        QCOMPARE(f.messages.texts.size(), 1);
    }

    void okStoresTheTextsAsTypedThenWritesTheFile()
    {
        Fixture f;
        QSignalSpy accepted(f.dialog.data(), &DialogParameter::parametersAccepted);
        QByteArray fileWhenAnnounced;
        connect(f.dialog.data(), &DialogParameter::parametersAccepted, this,
                [&] { fileWhenAnnounced = f.folder.read(QStringLiteral("param.opt")); });
        f.box("TextMeanGpa")->setText(QStringLiteral(" 2.5x"));
        f.box("TextSD")->setText(QStringLiteral("0.60"));
        f.box("TextDbMaxMin")->setText(QStringLiteral("maxminScQor44"));
        QTest::mouseClick(f.button("OKButton"), Qt::LeftButton);

        QCOMPARE(accepted.count(), 1);
        QCOMPARE(fileWhenAnnounced, DefaultFile);  // the pages hear of it before the file is written
        QCOMPARE(f.params.ParamMeanGpa, std::string(" 2.5x"));
        QCOMPARE(f.params.ParamSD, std::string("0.60"));
        QCOMPARE(f.params.ParamDbMaxMin, std::string("maxminScQor44"));
        QCOMPARE(f.folder.read(QStringLiteral("param.opt")), QByteArray("maxminScQor44\r\n 2.5x\r\n0.60\r\n"));
        QVERIFY(f.messages.texts.isEmpty());
        QTRY_VERIFY(f.dialog.isNull());  // closed and deleted
    }

    void okWithAnUncheckedValueFromTheFileDoesNothing_data()
    {
        QTest::addColumn<QString>("mean");
        QTest::addColumn<QString>("sd");
        QTest::newRow("mean 4") << "4" << "0.5";
        QTest::newRow("sd 1") << "2.5" << "1";
        QTest::newRow("mean empty") << "" << "0.5";
    }

    void okWithAnUncheckedValueFromTheFileDoesNothing()
    {
        QFETCH(QString, mean);
        QFETCH(QString, sd);
        Fixture f;
        // Set by the program, as a hand-edited param.opt would show: no box was left.
        f.box("TextMeanGpa")->setText(mean);
        f.box("TextSD")->setText(sd);
        QSignalSpy accepted(f.dialog.data(), &DialogParameter::parametersAccepted);
        f.button("OKButton")->click();

        QCOMPARE(accepted.count(), 0);
        QVERIFY(f.messages.texts.isEmpty());
        QVERIFY(!f.dialog.isNull());
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.params.ParamMeanGpa, std::string("2.4397771456"));
        QCOMPARE(f.folder.read(QStringLiteral("param.opt")), DefaultFile);
    }

    void cancelAndEscChangeNothing_data()
    {
        QTest::addColumn<bool>("useEsc");
        QTest::newRow("cancel button") << false;
        QTest::newRow("esc key") << true;
    }

    void cancelAndEscChangeNothing()
    {
        QFETCH(bool, useEsc);
        Fixture f;
        QSignalSpy accepted(f.dialog.data(), &DialogParameter::parametersAccepted);
        EntryBox* mean = f.box("TextMeanGpa");
        mean->setFocus();
        mean->selectAll();
        QTest::keyClicks(mean, QStringLiteral("3.5"));
        f.box("TextSD")->setFocus();  // accepted on leaving, not stored
        if (useEsc)
            QTest::keyClick(f.box("TextSD"), Qt::Key_Escape);
        else
            QTest::mouseClick(f.button("CancelButton"), Qt::LeftButton);

        QTRY_VERIFY(f.dialog.isNull());
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(f.params.ParamMeanGpa, std::string("2.4397771456"));
        QCOMPARE(f.folder.read(QStringLiteral("param.opt")), DefaultFile);
    }

    void aFileThatCannotBeWrittenIsReportedAndTheValuesStay()
    {
        Fixture f;
        // A folder that does not exist cannot take the file.
        DialogParameter* dialog = new DialogParameter(f.params, (f.folder.path() + QStringLiteral("/missing")).toStdString(),
                                                      f.messages);
        QPointer<DialogParameter> guard(dialog);
        dialog->show();
        Find<EntryBox>(dialog, QStringLiteral("TextSD"))->setText(QStringLiteral("0.7"));
        Find<QPushButton>(dialog, QStringLiteral("OKButton"))->click();

        QCOMPARE(f.params.ParamSD, std::string("0.7"));
        QCOMPARE(f.messages.texts.size(), 1);
        QVERIFY(f.messages.texts[0].contains(QStringLiteral("param.opt")));
        QTRY_VERIFY(guard.isNull());
    }
};

QTEST_MAIN(TestDialogParameter)
#include "test_dialogparameter.moc"
