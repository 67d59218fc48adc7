// A damaged, changed or odd rule database: a start that is refused says what
// is wrong and leaves no file behind; side files do not matter, nor does UTF-16;
// damage met after the start is a message, never a figure of 0.
#include "frmtamrik.h"
#include "programdriver.h"
#include "ruledatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Runs SQL through a writable connection of its own, as a tool would.
void Exec(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(qPrintable(file), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    QVERIFY2(rc == SQLITE_OK, error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(db);
}

// Deletes rows behind the back of an index that still points at them:
// quick_check does not look that far, a look-up through the index meets a
// damaged database.
void DeleteBehindIndex(const QString& file, const QString& index, const QString& deleteSql)
{
    Exec(file, QStringLiteral("PRAGMA writable_schema=ON; CREATE TABLE keep AS SELECT * FROM sqlite_master "
                              "WHERE name='%1'; DELETE FROM sqlite_master WHERE name='%1';")
                   .arg(index));
    Exec(file, deleteSql + QStringLiteral("; PRAGMA writable_schema=ON; INSERT INTO sqlite_master SELECT * FROM keep;"));
    Exec(file, QStringLiteral("DROP TABLE keep;"));
}

void ZeroRootPage(const QString& file, const char* table)
{
    const auto rows = ruledb::RuleDatabase(file.toStdString())
                          .query(std::string("SELECT rootpage, (SELECT page_size FROM pragma_page_size()) AS size "
                                             "FROM sqlite_master WHERE name='") + table + "';");
    const auto size = static_cast<qint64>(rows.field("size").toNumber());
    QFile out(file);
    QVERIFY(out.open(QIODevice::ReadWrite));
    out.seek((static_cast<qint64>(rows.field("rootpage").toNumber()) - 1) * size);
    out.write(QByteArray(size, '\0'));
}

}  // namespace

class TestDamagedDb : public QObject {
    Q_OBJECT
private slots:
    void refusedStartNamesTheFaultAndWritesNoFile_data()
    {
        QTest::addColumn<QString>("spoil");
        QTest::addColumn<QString>("named");
        QTest::newRow("zeroed page of Zi2Prob") << QStringLiteral("zero Zi2Prob") << QStringLiteral("damaged");
        // The one page the content digest leaves out.
        QTest::newRow("zeroed page of TamrikInfo") << QStringLiteral("zero TamrikInfo") << QStringLiteral("damaged");
        QTest::newRow("FIFO") << QStringLiteral("fifo") << QStringLiteral("regular file");
        QTest::newRow("SUName empty") << QStringLiteral("DELETE FROM SUName;") << QStringLiteral("SUName");
        QTest::newRow("SUName a view") << QStringLiteral("ALTER TABLE SUName RENAME TO S; CREATE VIEW SUName AS "
                                                         "SELECT * FROM S;")
                                       << QStringLiteral("SUName");
        QTest::newRow("null university") << QStringLiteral("UPDATE SUName SET UName = NULL;") << QStringLiteral("UName");
        QTest::newRow("no column Sub8") << QStringLiteral("ALTER TABLE Facsubj DROP COLUMN Sub8;")
                                        << QStringLiteral("Sub8");
        QTest::newRow("10 MB name") << QStringLiteral("UPDATE SUName SET FacName = printf('%.*c', 10000000, 'x') "
                                                      "WHERE rowid = 3;")
                                    << QStringLiteral("FacName");
        // Changed behind the build's back: a lowest score one hundredth up.
        QTest::newRow("content changed") << QStringLiteral("unrecorded UPDATE maxminScQor43 SET ScMin = ScMin + 0.01 "
                                                           "WHERE rowid = 1;")
                                         << QStringLiteral("no longer matches");
        QTest::newRow("text minimum") << QStringLiteral("UPDATE tableCRT SET Sco01 = 'x' WHERE NumSub > 0;")
                                      << QStringLiteral("Sco01: the minimum must be 0 to 100 %");
        QTest::newRow("probability 2") << QStringLiteral("UPDATE Zi2Prob SET Prob = 2 WHERE Zi = '4.000';")
                                       << QStringLiteral("Zi 4.000, Prob: Prob of key 4.000 is not a probability");
        QTest::newRow("null probability") << QStringLiteral("UPDATE Zi2Prob SET Prob = NULL WHERE Zi = '0.000';")
                                          << QStringLiteral("Prob of key 0.000");
        QTest::newRow("no GPA share") << QStringLiteral("DELETE FROM Zi2Prob;") << QStringLiteral("Zi2Prob");
        QTest::newRow("range view") << QStringLiteral("CREATE VIEW maxminScQor44 AS WITH RECURSIVE n(x) AS (SELECT 1 "
                                                      "UNION ALL SELECT x + 1 FROM n) SELECT '0001' AS FacCode, x AS "
                                                      "ScMax, x AS ScMin FROM n;")
                                    << QStringLiteral("maxminScQor44");
    }
    void refusedStartNamesTheFaultAndWritesNoFile()
    {
        QFETCH(QString, spoil);
        QFETCH(QString, named);
        ProgramFolder folder;
        const QString db = folder.file(QStringLiteral("ScoreRule.mdb"));
        if (spoil.startsWith(QLatin1String("zero "))) {
            ZeroRootPage(db, qPrintable(spoil.mid(5)));
        } else if (spoil == QLatin1String("fifo")) {
            QFile::remove(db);
            QCOMPARE(mkfifo(qPrintable(db), 0600), 0);
        } else if (spoil.startsWith(QLatin1String("unrecorded "))) {
            Exec(db, spoil.mid(11));
        } else {
            QVERIFY(folder.changeRuleDb(spoil));
        }

        Program program(folder);
        QVERIFY(!program.window.Load());
        QCOMPARE(program.messages.texts.size(), 1);
        const QString& message = program.messages.texts.first();
        QVERIFY2(message.contains(QStringLiteral("ScoreRule.mdb")) && message.contains(named), qPrintable(message));
        QVERIFY(!folder.exists(QStringLiteral("TamrikTemp.tmp")));
        QVERIFY(!folder.exists(QStringLiteral("param.opt")));
    }

    void sideFilesNeitherStopTheStartNorAppear_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("stray journal") << QStringLiteral("journal");
        QTest::newRow("WAL mode") << QStringLiteral("wal");
    }
    void sideFilesNeitherStopTheStartNorAppear()
    {
        QFETCH(QString, kind);
        ProgramFolder folder;
        const QString db = folder.file(QStringLiteral("ScoreRule.mdb"));
        const QString journal = db + QStringLiteral("-journal");
        if (kind == QLatin1String("journal")) {
            // A journal of a write that never finished: SQLite would roll it back.
            sqlite3* writer = nullptr;
            sqlite3_open(qPrintable(db), &writer);
            sqlite3_exec(writer, "PRAGMA cache_size=1; BEGIN; UPDATE SUName SET FacName = FacName || 'x';", nullptr,
                         nullptr, nullptr);
            QVERIFY(QFile::copy(journal, folder.file(QStringLiteral("saved"))));
            sqlite3_close_v2(writer);
            QVERIFY(QFile::rename(folder.file(QStringLiteral("saved")), journal));
        } else {
            Exec(db, QStringLiteral("PRAGMA journal_mode=WAL;"));
        }
        const QByteArray journalBefore = folder.read(QStringLiteral("ScoreRule.mdb-journal"));

        Program program(folder);
        QVERIFY(program.start());
        QVERIFY2(program.messages.texts.isEmpty(), qPrintable(program.messages.texts.join(QLatin1Char('\n'))));
        program.open(QStringLiteral("0001"));
        QCOMPARE(program.window.currentPage(), 2);
        QCOMPARE(folder.read(QStringLiteral("ScoreRule.mdb-journal")), journalBefore);  // never rolled back
        const QStringList side = QDir(folder.path()).entryList({QStringLiteral("*-wal"), QStringLiteral("*-shm")});
        QVERIFY2(side.isEmpty(), qPrintable(side.join(QLatin1Char(' '))));
    }

    void utf16DatabaseInAFolderWithUriCharacters()
    {
        // Names come back as UTF-8; %, ? and # in the path stay part of it.
        ProgramFolder folder(false);
        const QString odd = folder.file(QStringLiteral("odd %41?#x"));
        QVERIFY(QDir().mkpath(odd));
        const QString db = odd + QStringLiteral("/ScoreRule.mdb");
        Exec(db, QStringLiteral("PRAGMA encoding='UTF-16le'; CREATE TABLE SUName (UName TEXT);"
                                "INSERT INTO SUName VALUES ('จุฬาลงกรณ์มหาวิทยาลัย');"));
        const auto rows = ruledb::RuleDatabase(db.toStdString()).query("SELECT UName FROM SUName;");
        QCOMPARE(QString::fromStdString(rows.field("UName").toText()), QStringLiteral("จุฬาลงกรณ์มหาวิทยาลัย"));
    }

    void damageMetLaterIsAMessageNotAZero()
    {
        ProgramFolder folder;
        const QString db = folder.file(QStringLiteral("ScoreRule.mdb"));
        // Made by other means: no digest tells the start the rows are gone.
        Exec(db, QStringLiteral("UPDATE TamrikInfo SET ContentHash = NULL;"));
        // GPA 3.00 with the default parameters looks up the key 1.015.
        DeleteBehindIndex(db, QStringLiteral("Zi2Prob_Zi"), QStringLiteral("DELETE FROM Zi2Prob WHERE Zi='1.015'"));
        DeleteBehindIndex(db, QStringLiteral("maxminScQor43_FacCode"),
                          QStringLiteral("DELETE FROM maxminScQor43 WHERE FacCode='0001'"));
        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0001"));
        program.enterGpaPr(10);
        auto* gpaInteger = program.get<QLineEdit>(QStringLiteral("F3Text_GPA(0)"));
        auto* gpaDecimals = program.get<QLineEdit>(QStringLiteral("F3Text_GPA(1)"));
        gpaInteger->setText(QStringLiteral("3"));
        gpaDecimals->setText(QStringLiteral("00"));
        QCOMPARE(program.messages.texts.size(), 1);  // once, not on every keystroke
        QVERIFY2(program.messages.texts.last().contains(QStringLiteral("ScoreRule.mdb"))
                     && program.messages.texts.last().contains(QStringLiteral("malformed")),
                 qPrintable(program.messages.texts.last()));
        QCOMPARE(program.text(QStringLiteral("Label_gpa_sc")), QString());
        program.click(QStringLiteral("F3CmdNext"));  // no summary over unknown points
        QCOMPARE(program.window.currentPage(), 3);
        QCOMPARE(program.messages.texts.size(), 2);

        gpaInteger->setText(QStringLiteral("2"));  // key 0.797: sound
        QCOMPARE(program.text(QStringLiteral("Label_gpa_sc")), QStringLiteral("10.64"));
        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.currentPage(), 4);
        QCOMPARE(program.messages.texts.size(), 3);
        QVERIFY2(program.messages.texts.last().contains(QStringLiteral("ScoreRule.mdb")),
                 qPrintable(program.messages.texts.last()));
        QCOMPARE(program.text(QStringLiteral("F4LabelMaxLastYear")), QString());
        QCOMPARE(program.text(QStringLiteral("F4LabelMinLastYear")), QString());
        // Nor a printout with the range left out.
        const QString pdf = folder.file(QStringLiteral("summary.pdf"));
        program.window.setFileChooser([pdf](QWidget*, const QString&, const QString&, const QString&) { return pdf; });
        program.get<QAction>(QStringLiteral("mnuSavePdf"))->trigger();
        QCOMPARE(program.messages.texts.size(), 4);
        QCOMPARE(program.messages.texts.last(),
                 QStringLiteral("ไม่มีข้อมูลเกณฑ์หรือคะแนนสูงสุด-ต่ำสุดของคณะนี้ครบ จึงบันทึก PDF ไม่ได้"));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestDamagedDb)
#include "test_damageddb.moc"
