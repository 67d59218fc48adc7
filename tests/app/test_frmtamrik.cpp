// The main window's shell: start-up, Exit, and what happens when
// the rule database or the small files are damaged.
#include "frmtamrik.h"
#include "programfolder.h"
#include "recordingmessages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

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
        QCOMPARE(window.centralWidget()->size(), QSize(759, 520));
        QCOMPARE(window.currentPage(), 1);
        QVERIFY(!Find<QAction>(&window, QStringLiteral("submnuOption(1)"))->isVisible());
        QVERIFY(Find<QAction>(&window, QStringLiteral("submnuOption(0)"))->isEnabled());
        // Names come from the rule database: no label may read them as markup.
        for (const QLabel* label : window.findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        QVERIFY(folder.exists(QStringLiteral("TamrikTemp.tmp")) && folder.exists(QStringLiteral("param.opt")));
    }

    // Closing the window does the same: the About test closes it from the event loop.
    void exitDeletesTheEntriesFile()
    {
        ProgramFolder folder;
        RecordingMessages messages;
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
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::addColumn<QString>("sql");          // made with this SQL instead
        QTest::addColumn<QString>("expected");
        const QString file = QStringLiteral("ScoreRule.mdb");
        QTest::newRow("missing") << QByteArray() << QString() << file;
        QTest::newRow("empty file") << QByteArray("") << QString() << file;
        QTest::newRow("without its tables") << QByteArray() << QStringLiteral("CREATE TABLE Other (x TEXT);")
                                            << QStringLiteral("SUName");
    }

    void refusesAnUnusableRuleDatabase()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        ProgramFolder folder(false);
        if (!content.isNull())
            folder.write(QStringLiteral("ScoreRule.mdb"), content);
        if (!sql.isEmpty())
            QVERIFY(folder.changeRuleDb(sql));
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

    // Read line by line in test_files; here: the start goes on, silently.
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
        QCOMPARE(window.session().params().ParamDbMaxMin, std::string("maxminScQor44"));
        QCOMPARE(window.session().params().ParamSD, std::string("0.5519077994"));
        QCOMPARE(window.session().entries().ScoreByCode[0], std::string("85"));
        QCOMPARE(window.session().entries().ScoreByCode[1], std::string("-1"));
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp.0123abcd.new")));
        QVERIFY(!folder.exists(QStringLiteral("param.opt.89abcdef.new")));
        QVERIFY(folder.exists(QStringLiteral("param.opt.mine.new")));
    }
};

QTEST_MAIN(TestFrmTamrik)
#include "test_frmtamrik.moc"
