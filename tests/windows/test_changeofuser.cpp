// "Change User" through the real main window: what it forgets, what it leaves
// alone, and what the next faculty load and saves make of it.
#include "entrybox.h"
#include "frmtamrik.h"
#include "gpaprpage.h"
#include "programfolder.h"
#include "recordingmessages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString EntriesFile = QStringLiteral("TamrikTemp.tmp");

// 53 lines: slots "code=score" over all "-1", then the GPA and PR digits.
QStringList EntriesLines(const QStringList& scores, const QString& gpa, const QString& pr)
{
    QStringList lines;
    for (int i = 0; i < 51; ++i)
        lines << QStringLiteral("-1");
    for (const QString& score : scores)
        lines[score.section(QLatin1Char('='), 0, 0).toInt() - 1] = score.section(QLatin1Char('='), 1);
    lines << gpa << pr;
    return lines;
}

struct Program {
    ProgramFolder folder;
    RecordingMessages messages;
    std::unique_ptr<FrmTamrik> window;

    // Starts over an entries file left by an earlier user.
    bool start(const QStringList& entries)
    {
        folder.write(EntriesFile, (entries.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        window = std::make_unique<FrmTamrik>(folder.path(), folder.fallback(), messages);
        if (!window->Load())
            return false;
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T* get(const QString& name) const
    {
        return Find<T>(window.get(), name);
    }
    QString label(const QString& name) const { return get<QLabel>(name)->text(); }
    QString box(const QString& name) const { return get<QLineEdit>(name)->text(); }
    void click(const QString& name) const { QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton); }
    void type(const QString& name, const QString& text) const
    {
        auto* box = get<QLineEdit>(name);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    // Faculty 0013 (main 01 to 04, special 41) chosen by its code and loaded.
    void open0013() const
    {
        get<QRadioButton>(QStringLiteral("OptUseID"))->click();
        type(QStringLiteral("F1TxtFacID"), QStringLiteral("0013"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        click(QStringLiteral("F1CmdNext"));
    }
    QStringList pageThreeBoxes() const
    {
        return {box(QStringLiteral("F3Text_GPA(0)")), box(QStringLiteral("F3Text_GPA(1)")),
                box(QStringLiteral("F3Text_PR(0)")), box(QStringLiteral("F3Text_PR(1)"))};
    }
    QStringList myScores() const
    {
        QStringList texts;
        for (int i = 0; i < 4; ++i)
            texts << label(QStringLiteral("LabelMyScore(%1)").arg(i));
        return texts;
    }
    void changeUser(bool fromMenu) const
    {
        if (fromMenu)
            get<QAction>(QStringLiteral("submnuOption(0)"))->trigger();
        else
            click(QStringLiteral("F1CmdChange"));
    }
};

const QStringList EarlierUser = EntriesLines(
    {QStringLiteral("01=85"), QStringLiteral("04=72.5"), QStringLiteral("41=60")}, QStringLiteral("325"),
    QStringLiteral("8550"));

}  // namespace

class TestChangeOfUser : public QObject {
    Q_OBJECT
private slots:
    void forgetsTheUserButNotTheFacultyPageOrFile_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("page 1 button") << false;
        QTest::newRow("menu item") << true;
    }

    void forgetsTheUserButNotTheFacultyPageOrFile()
    {
        QFETCH(bool, fromMenu);
        Program p;
        QVERIFY(p.start(EarlierUser));
        // A whole run of the earlier user: every figure becomes non-zero.
        p.open0013();
        QCOMPARE(p.box(QStringLiteral("Text_SC_main(4)")), QStringLiteral("72.50"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.window->CurrentPage(), 3);
        QCOMPARE(p.pageThreeBoxes(), (QStringList{QStringLiteral("3"), QStringLiteral("25"), QStringLiteral("85"),
                                                  QStringLiteral("50")}));
        p.click(QStringLiteral("F3CmdNext"));
        QVERIFY(!p.myScores().contains(QStringLiteral("0")));
        p.click(QStringLiteral("F4CmdNext"));
        QCOMPARE(p.window->CurrentPage(), 1);
        const QByteArray fileBefore = p.folder.read(EntriesFile);
        const QString header = p.label(QStringLiteral("LabelFacID")) + p.label(QStringLiteral("LabelFacName"));

        p.changeUser(fromMenu);

        const UserEntries& entries = p.window->session().entries();
        for (const std::string& score : entries.ScoreByCode)
            QCOMPARE(score, std::string("-1"));
        QCOMPARE(entries.GpaDigits, std::string("00"));
        QCOMPARE(entries.PrDigits, std::string("00"));
        QCOMPARE(p.pageThreeBoxes(), (QStringList{QStringLiteral("0"), QStringLiteral("00"), QStringLiteral("00"),
                                                  QStringLiteral("00")}));
        auto* page3 = p.get<GpaPrPage>(QStringLiteral("FrameMain(2)"));
        QCOMPARE(page3->GpaScore(), 0.0);
        QCOMPARE(page3->PrScore(), 0.0);
        QCOMPARE(p.myScores(), QStringList(4, QStringLiteral("0")));
        // Left alone: the file, the faculty in the header, the page shown.
        QCOMPARE(p.folder.read(EntriesFile), fileBefore);
        QCOMPARE(p.label(QStringLiteral("LabelFacID")), QStringLiteral("0013"));
        QCOMPARE(p.label(QStringLiteral("LabelFacID")) + p.label(QStringLiteral("LabelFacName")), header);
        QCOMPARE(p.window->CurrentPage(), 1);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void theNextLoadPrefillsNothingAndTheSavesStartAfresh()
    {
        Program p;
        QVERIFY(p.start(EarlierUser));
        p.changeUser(false);
        p.open0013();
        QCOMPARE(p.window->CurrentPage(), 2);
        for (const char* name : {"Text_SC_main(1)", "Text_SC_main(4)", "Text_sp_sc(1)"})
            QCOMPARE(p.box(QString::fromLatin1(name)), QString());

        p.type(QStringLiteral("Text_SC_main(4)"), QStringLiteral("30"));
        p.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("20"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.window->CurrentPage(), 3);
        QCOMPARE(p.pageThreeBoxes(), (QStringList{QStringLiteral("0"), QStringLiteral("00"), QStringLiteral("00"),
                                                  QStringLiteral("00")}));
        // The rule's codes as just accepted (its empty boxes as 0), the rest
        // forgotten, and the digits of the change of user.
        const QStringList accepted{QStringLiteral("01=0"), QStringLiteral("02=0"), QStringLiteral("03=0"),
                                   QStringLiteral("04=30"), QStringLiteral("41=20")};
        QCOMPARE(p.folder.lines(EntriesFile), EntriesLines(accepted, QStringLiteral("00"), QStringLiteral("00")));

        // Leaving page 3 stores the untouched boxes' texts.
        p.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(p.window->CurrentPage(), 4);
        QCOMPARE(p.folder.lines(EntriesFile), EntriesLines(accepted, QStringLiteral("000"), QStringLiteral("0000")));
        QVERIFY(p.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestChangeOfUser)
#include "test_changeofuser.moc"
