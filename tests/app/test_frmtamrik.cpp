// The main window's shell: start-up order, the menus, page switching, closing,
// and what happens when the rule database or the small files are damaged.
#include "frmtamrik.h"
#include "programfolder.h"
#include "recordingmessages.h"

#include <sqlite3.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QStringList FreshEntriesLines()
{
    QStringList lines;
    for (int i = 0; i < 51; ++i)
        lines << QStringLiteral("-1");
    lines << QStringLiteral("000") << QStringLiteral("0000");
    return lines;
}

int VisiblePages(const FrmTamrik& window)
{
    int visible = 0;
    for (int i = 0; i < 4; ++i) {
        auto* frame = Find<QWidget>(&window, QStringLiteral("FrameMain(%1)").arg(i));
        visible += frame->isVisibleTo(window.centralWidget()) ? 1 : 0;
    }
    return visible;
}

}  // namespace

class TestFrmTamrik : public QObject {
    Q_OBJECT
private slots:
    void startsOnPageOneWithFreshFiles()
    {
        ProgramFolder folder;
        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(window.Load());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("F1ComboUniver"));
        QCOMPARE(window.windowTitle(), QStringLiteral("คำนวณคะแนนจากการสอบคัดเลือกบุคคลเข้าศึกษาในสถาบันอุดมศึกษา"));
        QCOMPARE(window.centralWidget()->size(), QSize(759, 520));
        QCOMPARE(window.CurrentPage(), 1);
        QCOMPARE(VisiblePages(window), 1);
        QVERIFY(!Find<QPushButton>(&window, QStringLiteral("F1CmdNext"))->isEnabled());
        for (const char* name : {"LabelFacID", "LabelFacName", "LabelUname"})
            QVERIFY(Find<QLabel>(&window, QString::fromLatin1(name))->text().isEmpty());

        QVERIFY(!Find<QAction>(&window, QStringLiteral("submnuOption(1)"))->isVisible());
        QVERIFY(Find<QAction>(&window, QStringLiteral("submnuOption(0)"))->isEnabled());
        QVERIFY(Find<QAction>(&window, QStringLiteral("submnuOption(2)"))->isSeparator());
        // Names come from the rule database: no label may read them as markup.
        for (const QLabel* label : window.findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        QCOMPARE(Find<QAction>(&window, QStringLiteral("submnuOption(3)"))->text(), QStringLiteral("Exit"));
        QCOMPARE(Find<QAction>(&window, QStringLiteral("submenuAbout"))->text(), QStringLiteral("About"));

        QCOMPARE(folder.lines(QStringLiteral("TamrikTemp.tmp")), FreshEntriesLines());
        QCOMPARE(folder.read(QStringLiteral("param.opt")),
                 QByteArray("maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n"));
    }

    void keepsEntriesLeftByAnAbnormalEnd()
    {
        ProgramFolder folder;
        QStringList lines = FreshEntriesLines();
        lines[3] = QStringLiteral("72.5");
        lines[51] = QStringLiteral("325");
        lines[52] = QStringLiteral("8550");
        folder.write(QStringLiteral("TamrikTemp.tmp"), (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(window.Load());
        QCOMPARE(window.session().entries().ScoreByCode[3], std::string("72.5"));
        QCOMPARE(window.session().entries().GpaDigits, std::string("325"));
        QCOMPARE(window.session().entries().PrDigits, std::string("8550"));
    }

    void pageSwitchingKeepsExactlyOnePageVisible()
    {
        ProgramFolder folder;
        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(window.Load());
        for (int page : {2, 4, 3, 1}) {
            window.ShowPage(page);
            QCOMPARE(window.CurrentPage(), page);
            QCOMPARE(VisiblePages(window), 1);
        }
    }

    void closingAndExitDeleteTheEntriesFile()
    {
        ProgramFolder folder;
        RecordingMessages messages;
        {
            FrmTamrik window(folder.path(), folder.fallback(), messages);
            QVERIFY(window.Load());
            window.show();
            QVERIFY(folder.exists(QStringLiteral("TamrikTemp.tmp")));
            window.close();
            QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp")));
        }
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        int exits = 0;
        window.setExitAction([&exits] { ++exits; });
        QVERIFY(window.Load());
        QVERIFY(folder.exists(QStringLiteral("TamrikTemp.tmp")));
        Find<QAction>(&window, QStringLiteral("submnuOption(3)"))->trigger();
        QCOMPARE(exits, 1);
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp")));
    }

    void refusesAnUnusableRuleDatabase_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QByteArray() << false << QStringLiteral("ScoreRule.mdb");
        QTest::newRow("not a database") << QByteArray("this is not a database\n") << true << QStringLiteral("ScoreRule.mdb");
        QTest::newRow("empty file") << QByteArray() << true << QStringLiteral("ScoreRule.mdb");
    }

    void refusesADatabaseWithoutItsTables()
    {
        ProgramFolder folder(false);
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(qPrintable(folder.file(QStringLiteral("ScoreRule.mdb"))), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE Other (x TEXT);", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);

        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(!window.Load());
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains(QStringLiteral("SUName")), qPrintable(messages.texts.first()));
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp")));
    }

    void refusesAnUnusableRuleDatabase()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(QString, expected);
        ProgramFolder folder(false);
        if (present)
            folder.write(QStringLiteral("ScoreRule.mdb"), content);
        const QByteArray entries = QByteArray("85\r\n").repeated(51) + "325\r\n8550\r\n";
        folder.write(QStringLiteral("TamrikTemp.tmp"), entries);

        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(!window.Load());
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains(expected), qPrintable(messages.texts.first()));
        QCOMPARE(folder.read(QStringLiteral("TamrikTemp.tmp")), entries);
        QVERIFY(!folder.exists(QStringLiteral("param.opt")));
    }

    void damagedSmallFilesFallBackAndGoOn()
    {
        ProgramFolder folder;
        folder.write(QStringLiteral("param.opt"), "maxminScQor44\r\n");
        folder.write(QStringLiteral("TamrikTemp.tmp"), "85\r\nabc\r\n");
        // Saves cut short by a kill, and a file of the user's own.
        for (const char* name : {"TamrikTemp.tmp.0123abcd.new", "param.opt.89abcdef.new", "param.opt.mine.new"})
            folder.write(QString::fromLatin1(name), "x");
        RecordingMessages messages;
        FrmTamrik window(folder.path(), folder.fallback(), messages);
        QVERIFY(window.Load());
        QVERIFY(messages.texts.isEmpty());
        const ScoringParams& params = window.session().params();
        QCOMPARE(params.ParamDbMaxMin, std::string("maxminScQor44"));
        QCOMPARE(params.ParamMeanGpa, std::string("2.4397771456"));
        QCOMPARE(params.ParamSD, std::string("0.5519077994"));
        const UserEntries& entries = window.session().entries();
        QCOMPARE(entries.ScoreByCode[0], std::string("85"));
        QCOMPARE(entries.ScoreByCode[1], std::string("-1"));
        QCOMPARE(entries.ScoreByCode[50], std::string("-1"));
        QCOMPARE(entries.GpaDigits, std::string("000"));
        QCOMPARE(entries.PrDigits, std::string("0000"));
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp.0123abcd.new")));
        QVERIFY(!folder.exists(QStringLiteral("param.opt.89abcdef.new")));
        QVERIFY(folder.exists(QStringLiteral("param.opt.mine.new")));
    }
};

QTEST_MAIN(TestFrmTamrik)
#include "test_frmtamrik.moc"
