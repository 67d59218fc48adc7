// The entries file saved by the session: a run of failed saves is told once,
// and a new run after a good save is told again. The data folder is made
// unusable by putting a file in its place, which fails for root too.
#include "recordingmessages.h"
#include "session.h"
#include "tempfolder.h"

#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void failedSavesAreToldOncePerRun()
    {
        test::TempFolder temp;
        const std::filesystem::path data = temp.path() / "data";
        RecordingMessages messages;
        Session session(messages, data);
        session.entries().GpaDigits = "325";

        test::WriteBytes(data, "not a folder");
        session.SaveEntriesFile();
        session.SaveEntriesFile();
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts[0].contains(QStringLiteral("TamrikTemp.tmp")));

        std::filesystem::remove(data);
        std::filesystem::create_directory(data);
        session.SaveEntriesFile();
        QVERIFY(std::filesystem::exists(data / "TamrikTemp.tmp"));
        QCOMPARE(messages.texts.size(), 1);

        std::filesystem::remove_all(data);
        test::WriteBytes(data, "not a folder");
        session.SaveEntriesFile();
        QCOMPARE(messages.texts.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
