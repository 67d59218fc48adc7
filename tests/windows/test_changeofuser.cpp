// "Change User" through the real main window: what it forgets, what it leaves
// alone, what the next faculty load and saves make of it, and that a run
// killed right after it hands nothing of the last user to the next start.
#include "frmallfaculties.h"
#include "gpaprpage.h"
#include "programdriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableView>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString EntriesFile = QStringLiteral("TamrikTemp.tmp");
const QString ChoicesFile = QStringLiteral("TamrikChoices.tmp");
const char* const PageThreeBoxes = "F3Text_GPA(0) F3Text_GPA(1) F3Text_PR(0) F3Text_PR(1)";
const char* const MyScores = "LabelMyScore(0) LabelMyScore(1) LabelMyScore(2) LabelMyScore(3)";

}  // namespace

class TestChangeOfUser : public QObject {
    Q_OBJECT
private slots:
    void forgetsTheUserThenSavesAfresh_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("page 1 button") << false;
        QTest::newRow("menu item") << true;
    }

    void forgetsTheUserThenSavesAfresh()
    {
        QFETCH(bool, fromMenu);
        ProgramFolder folder;
        folder.writeLines(EntriesFile, EntriesLines(QStringLiteral("01=85 04=72.5 41=60"), QStringLiteral("325"),
                                                    QStringLiteral("8550")));
        Program p(folder);
        QVERIFY(p.start());
        // The earlier user's whole run over faculty 0013 (main 01 to 04, special 41).
        p.open(QStringLiteral("0013"));
        for (const char* next : {"F2CmdNext", "F3CmdNext", "F4CmdNext"})
            p.click(QString::fromLatin1(next));
        QCOMPARE(p.window.currentPage(), 1);
        QVERIFY(!p.texts(MyScores).contains(QStringLiteral("0")));
        const QStringList header = p.texts("LabelFacID LabelFacName");

        if (fromMenu)
            p.get<QAction>(QStringLiteral("submnuOption(0)"))->trigger();
        else
            p.click(QStringLiteral("F1CmdChange"));

        // Scores, GPA and PR digits forgotten; pages 3 and 4 zeroed.
        const UserEntries& entries = p.window.session().entries();
        for (const std::string& score : entries.ScoreByCode)
            QCOMPARE(score, std::string("-1"));
        QCOMPARE(entries.GpaDigits + entries.PrDigits, std::string("0000"));
        QCOMPARE(p.texts(PageThreeBoxes), Words("0 00 00 00"));
        auto* page3 = p.get<GpaPrPage>(QStringLiteral("FrameMain(2)"));
        QCOMPARE(page3->GpaScore() + page3->PrScore(), 0.0);
        QCOMPARE(p.texts(MyScores), Words("0 0 0 0"));
        // On disk at once; the faculty and the page left alone.
        QCOMPARE(folder.lines(EntriesFile), EntriesLines(QString(), QStringLiteral("00"), QStringLiteral("00")));
        QCOMPARE(p.texts("LabelFacID LabelFacName"), header);
        QCOMPARE(p.window.currentPage(), 1);

        p.open(QStringLiteral("0013"));
        QCOMPARE(p.texts("Text_SC_main(1) Text_SC_main(4) Text_sp_sc(1)"), QStringList(3, QString()));
        p.type(QStringLiteral("Text_SC_main(4)"), QStringLiteral("30"));
        p.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("20"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.window.currentPage(), 3);
        QCOMPARE(p.texts(PageThreeBoxes), Words("0 00 00 00"));
        // The scores as accepted (empty boxes hold none), the rest forgotten.
        const QString accepted = QStringLiteral("04=30 41=20");
        QCOMPARE(folder.lines(EntriesFile), EntriesLines(accepted, QStringLiteral("00"), QStringLiteral("00")));
        // Leaving page 3 stores the untouched boxes' texts.
        p.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(p.window.currentPage(), 4);
        QCOMPARE(folder.lines(EntriesFile), EntriesLines(accepted));
        QVERIFY(p.messages.texts.isEmpty());
    }

    void aKilledRunHandsNothingOn()
    {
        ProgramFolder folder;
        folder.writeLines(EntriesFile, EntriesLines(QStringLiteral("01=75 02=68.5 03=80.25 04=55 41=62"),
                                                    QStringLiteral("325"), QStringLiteral("8550")));
        folder.writeLines(ChoicesFile, Words("0013 0002"));
        Program last(folder);
        QVERIFY(last.start());
        last.get<QAction>(QStringLiteral("mnuAllFaculties"))->trigger();
        FrmAllFaculties* list = last.window.allFaculties();
        QVERIFY(list);
        auto* university = Find<QComboBox>(list, QStringLiteral("ComboUniverFilter"));
        auto* search = Find<QLineEdit>(list, QStringLiteral("TextFacultyFilter"));
        auto* eligible = Find<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"));
        university->setCurrentIndex(2);
        search->setText(QStringLiteral("แพทย์"));
        eligible->click();
        const int shownBefore = Find<QTableView>(list, QStringLiteral("TableFaculties"))->model()->rowCount();

        last.click(QStringLiteral("F1CmdChange"));
        QCOMPARE(university->currentText(), QStringLiteral("ทุกมหาวิทยาลัย"));
        QCOMPARE(search->text(), QString());
        QVERIFY(!eligible->isChecked());
        QVERIFY(Find<QTableView>(list, QStringLiteral("TableFaculties"))->model()->rowCount() > shownBefore);
        const QStringList emptiedGpaPr = {Find<QLineEdit>(list, QStringLiteral("TextAllGpa"))->text(),
                                          Find<QLineEdit>(list, QStringLiteral("TextAllPr"))->text()};
        QVERIFY(!emptiedGpaPr.contains(QStringLiteral("3.25")) && !emptiedGpaPr.contains(QStringLiteral("85.50")));

        // Killed there: the next start finds only what is on disk now.
        ProgramFolder next;
        for (const QString& name : {EntriesFile, ChoicesFile})
            if (folder.exists(name))
                next.write(name, folder.read(name));
        Program p(next);
        QVERIFY(p.start());
        QCOMPARE(next.lines(EntriesFile), EntriesLines(QString(), QStringLiteral("00"), QStringLiteral("00")));
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.texts("Text_SC_main(1) Text_SC_main(2) Text_SC_main(3) Text_SC_main(4) Text_sp_sc(1)"),
                 QStringList(5, QString()));
        QVERIFY(p.enterGpaPr(1.0F));
        QCOMPARE(p.texts(PageThreeBoxes), Words("0 00 00 00"));
        p.get<QAction>(QStringLiteral("mnuAllFaculties"))->trigger();
        FrmAllFaculties* shown = p.window.allFaculties();
        QVERIFY(shown);
        QCOMPARE(shown->shortlist().size(), std::size_t(0));
        const QAbstractItemModel* scores = Find<QTableView>(shown, QStringLiteral("TableScores"))->model();
        for (int row = 0; row < scores->rowCount(); ++row)
            QCOMPARE(scores->index(row, 2).data().toString(), QString());
        QCOMPARE((QStringList{Find<QLineEdit>(shown, QStringLiteral("TextAllGpa"))->text(),
                              Find<QLineEdit>(shown, QStringLiteral("TextAllPr"))->text()}),
                 emptiedGpaPr);
        QVERIFY(p.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestChangeOfUser)
#include "test_changeofuser.moc"
