// The all-faculties window over the real main window and the bundled data:
// the ranking is the engine's, edits travel both ways between the window, the
// wizard and the entries file, the filters, the shortlist and its file, the
// exports (CSV, and the shortlist PDF's pages; what the PDFs say is
// tests/printing's), and the keyboard walk through every control.
#include "evaluator.h"
#include "facultyloader.h"
#include "wholetables.h"
#include "facultiesmodel.h"
#include "facultyfilter.h"
#include "searchkey.h"
#include "frmallfaculties.h"
#include "listdriver.h"
#include "pdfreader.h"
#include "shortlist.h"
#include "subtotals.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString Entries = QStringLiteral("TamrikTemp.tmp");
const QString Choices = QStringLiteral("TamrikChoices.tmp");

QAbstractItemModel* Faculties(FrmAllFaculties* list) { return In<QTableView>(list, QStringLiteral("TableFaculties"))->model(); }

// A figure cell as a number, its partial mark aside.
double Figure(const QAbstractItemModel* model, int row, int column)
{
    return Cell(model, row, column).remove(QStringLiteral("≥")).toDouble();
}

// Each subject code's score typed into its cell in turn.
void EditScores(FrmAllFaculties* list, const QStringList& codes, const QStringList& scores)
{
    for (int i = 0; i < codes.size(); ++i)
        EditScore(list, codes[i], scores[i]);
}

// The bundled faculties as the engine ranks them for an applicant, as
// tamrik-calc does.
std::vector<FacultyEvaluation> EngineRanking(const Applicant& applicant)
{
    ruledb::RuleDatabase db(ProgramFolder::bundledRuleDb().toStdString());
    const Evaluator evaluator(loadFaculties(db, "maxminScQor43"));
    return evaluator.rank(applicant, {"2.4397771456", "0.5519077994", loadProbTable(db)}).evaluations(Detail::Needed);
}

void SelectFaculty(FrmAllFaculties* list, const QString& code)
{
    auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        if (Cell(view->model(), r, 1) == code) {
            view->setCurrentIndex(view->model()->index(r, 0));
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no row for ") + code));
}

}  // namespace

class TestAllFaculties : public QObject {
    Q_OBJECT
private slots:
    // Scores 75, 68.5, 80.25, 55, 62 of faculty 0013, GPA 3.25, PR 85.50:
    // the table holds every faculty in the engine's order, with its figures.
    void ranksEveryFacultyAsTheEngineDoes()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        EditScores(list, Words("01 02 03 04 41"), Words("75 68.5 80.25 55 62"));
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.25"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllPr")), QStringLiteral("85.5"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllPr")), Qt::Key_Return);
        QVERIFY(program.messages.texts.isEmpty());

        const UserEntries& entries = program.window.session().entries();
        QCOMPARE(QString::fromStdString(entries.GpaDigits), QStringLiteral("325"));
        QCOMPARE(QString::fromStdString(entries.PrDigits), QStringLiteral("8550"));
        const auto expected =
            EngineRanking(applicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits));
        const QAbstractItemModel* table = Faculties(list);
        QCOMPARE(table->rowCount(), static_cast<int>(expected.size()));
        QCOMPARE(table->rowCount(), 125);
        for (int r = 0; r < table->rowCount(); ++r) {
            QCOMPARE(Cell(table, r, 0), QString::number(r + 1));
            QCOMPARE(Cell(table, r, 1), QString::fromStdString(expected[r].facCode));
        }
        // The worked faculty of the typical run, with its figures and label.
        SelectFaculty(list, QStringLiteral("0013"));
        const int row = In<QTableView>(list, QStringLiteral("TableFaculties"))->currentIndex().row();
        QCOMPARE(Cell(table, row, 4), QStringLiteral("463.71"));
        QCOMPARE(Cell(table, row, 5), QStringLiteral("666.66"));
        QCOMPARE(Cell(table, row, 6), QStringLiteral("366.60"));
        QCOMPARE(Cell(table, row, 7), QStringLiteral("448.71"));
        QVERIFY(Cell(table, row, 9).startsWith(QStringLiteral("▲▲ ")));
        // A faculty using a subject not typed yet: its figures are marked partial, in the table and the details.
        int partial = 0;
        while (partial < table->rowCount() && !Cell(table, partial, 4).startsWith(QStringLiteral("≥")))
            ++partial;
        QVERIFY(partial < table->rowCount());
        QVERIFY(Cell(table, partial, 9).startsWith(QStringLiteral("… ")) || Cell(table, partial, 9).startsWith(QStringLiteral("✕ ")));
        QVERIFY(Cell(table, partial, 8).isEmpty() || Cell(table, partial, 8).startsWith(QStringLiteral("≥")));
        SelectFaculty(list, Cell(table, partial, 1));
        QVERIFY(In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text().contains(QStringLiteral("(ยังไม่ครบ: เป็นคะแนนเท่าที่มี)")));
        // Sorting by a column orders by its figure, not its text.
        auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
        view->sortByColumn(4, Qt::DescendingOrder);
        for (int r = 1; r < table->rowCount(); ++r)
            QVERIFY(Figure(table, r - 1, 4) >= Figure(table, r, 4));
        // While a score is being typed the table shows what it would give; Escape gives it up.
        const auto composite0013 = [&] {
            for (int r = 0; r < table->rowCount(); ++r) {
                if (Cell(table, r, 1) == QStringLiteral("0013"))
                    return Cell(table, r, 4);
            }
            return QString();
        };
        auto* scoresView = In<QTableView>(list, QStringLiteral("TableScores"));
        const QModelIndex cell41 = scoresView->model()->index(ScoreRow(list, QStringLiteral("41")), 2);
        scoresView->setFocus();
        scoresView->setCurrentIndex(cell41);
        scoresView->edit(cell41);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("72"));
        QCOMPARE(composite0013(), QStringLiteral("483.71"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCOMPARE(composite0013(), QStringLiteral("463.71"));
        QCOMPARE(folder.lines(Entries)[40], QStringLiteral("62"));
        SelectFaculty(list, QStringLiteral("0013"));

        const QString details = In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text();
        QVERIFY2(details.contains(QStringLiteral("0013")), qPrintable(details));
        QVERIFY2(details.contains(QStringLiteral("2543: 366.60-448.71")), qPrintable(details));
        // Below last year's lowest, the details say how far.
        for (int r = 0; r < table->rowCount(); ++r) {
            if (!Cell(table, r, 9).startsWith(QStringLiteral("✕")) && Figure(table, r, 4) < Figure(table, r, 6)) {
                SelectFaculty(list, Cell(table, r, 1));
                const QString below = In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text();
                const double gap = Figure(table, r, 6) - Figure(table, r, 4);
                QVERIFY2(below.contains(QStringLiteral("ขาดอีก %1 คะแนน").arg(gap, 0, 'f', 2)), qPrintable(below));
                // A score being typed moves the details with the table; Escape puts them back.
                const QModelIndex cell01 = scoresView->model()->index(ScoreRow(list, QStringLiteral("01")), 2);
                scoresView->setFocus();
                scoresView->setCurrentIndex(cell01);
                scoresView->edit(cell01);
                auto* typing = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                QVERIFY(typing);
                typing->selectAll();
                QTest::keyClicks(typing, QStringLiteral("100"));
                QVERIFY2(In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text() != below, qPrintable(below));
                QTest::keyClick(typing, Qt::Key_Escape);
                QCoreApplication::processEvents();
                QCOMPARE(In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text(), below);
                return;
            }
        }
        QFAIL("no faculty below last year's lowest");
    }

    // A score edited in the window shows on page 2 and in the entries file;
    // one typed on page 2 shows in the window; the range rule and its message
    // are page 2's; Enter on a faculty opens its page 2.
    void editsTravelBothWays()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0013"));
        FrmAllFaculties* list = OpenList(program);

        EditScore(list, QStringLiteral("04"), QStringLiteral("67.5"));
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("67.50"));
        QCOMPARE(folder.lines(Entries)[3], QStringLiteral("67.5"));
        const auto composites = [list] {
            QStringList column;
            for (int r = 0; r < Faculties(list)->rowCount(); ++r)
                column << Cell(Faculties(list), r, 1) + Cell(Faculties(list), r, 4);
            return column;
        };
        // A score refused on Enter takes back the ranking its typing showed.
        const QStringList at675 = composites();
        EditScore(list, QStringLiteral("04"), QStringLiteral("150"));  // "15" on the way ranks while typed
        QCOMPARE(program.messages.texts, QStringList{QString::fromUtf8(kScoreRangeMessage.data())});
        QCOMPARE(folder.lines(Entries)[3], QStringLiteral("67.5"));
        QCOMPARE(composites(), at675);

        QVERIFY(Activate(&program.window));
        program.type(QStringLiteral("Text_SC_main(1)"), QStringLiteral("71"));
        program.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));
        program.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(program.window.currentPage(), 3);
        const QAbstractItemModel* scores = In<QTableView>(list, QStringLiteral("TableScores"))->model();
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("01")), 2), QStringLiteral("71.00"));
        QCOMPARE(folder.lines(Entries)[0], QStringLiteral("71"));

        // GPA typed in the window is on page 3's boxes, so leaving page 3 keeps it.
        QVERIFY(Activate(list));
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.5"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        QCOMPARE(program.text(QStringLiteral("F3Text_GPA(0)")) + program.text(QStringLiteral("F3Text_GPA(1)")),
                 QStringLiteral("350"));
        program.click(QStringLiteral("F3CmdBack"));
        QCOMPARE(folder.lines(Entries)[51], QStringLiteral("350"));
        // A GPA refused on leaving takes back the ranking its typing showed.
        const QStringList at350 = composites();
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("4."));
        QVERIFY(composites() != at350);  // "4." ranks as 4.00 while typed
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), '5');
        QCOMPARE(composites(), at350);  // 4.5 would be refused: what is remembered ranks
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        QCOMPARE(program.messages.texts.last(), QStringLiteral("GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4"));
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextAllGpa"))->text(), QStringLiteral("3.50"));
        QCOMPARE(composites(), at350);

        // Enter on a faculty while a GPA is being typed on page 3 keeps that GPA.
        QVERIFY(Activate(&program.window));
        program.click(QStringLiteral("F2CmdNext"));
        program.type(QStringLiteral("F3Text_GPA(1)"), QStringLiteral("75"));
        const QString typed = program.text(QStringLiteral("F3Text_GPA(0)")) + program.text(QStringLiteral("F3Text_GPA(1)"));
        QVERIFY(typed != QStringLiteral("350"));
        QVERIFY(Activate(list));
        SelectFaculty(list, QStringLiteral("0002"));
        auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(program.window.currentPage(), 2);
        QCOMPARE(program.text(QStringLiteral("LabelFacID")), QStringLiteral("0002"));
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(1)")), QStringLiteral("71.00"));
        QCOMPARE(folder.lines(Entries)[51], typed);
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextAllGpa"))->text().remove(QLatin1Char('.')), typed);
    }

    // The window's own entries are the engine's: a typed 0 is a score of 0,
    // as page 2 and tamrik-calc count it, and page 2 shows it back; a text
    // that is no number is refused with page 2's message; the table ranks
    // what is remembered or a value its box accepts, and a box refilled from
    // remembered digits never holds text it refuses.
    void theWindowRanksWhatItsBoxesHold()
    {
        ProgramFolder folder;
        Program program(folder);
        FrmAllFaculties* list = program.start() ? OpenList(program) : nullptr;
        QVERIFY(list);
        const auto row = [](const std::string& code, Chance chance, double total) {
            return QString::fromStdString(code + ' ' + std::string(chanceKey(chance)) + ' ' + std::to_string(total));
        };
        const auto shown = [&row, list] {
            QStringList out;
            const FacultiesModel& ranked = list->ranking();
            for (int r = 0; r < ranked.rowCount(); ++r)
                out << row(ranked.record(r).facCode, ranked.score(r).chance, ranked.score(r).total);
            return out;
        };
        const auto engine = [&row](const Applicant& applicant) {
            QStringList out;
            for (const FacultyEvaluation& e : EngineRanking(applicant))
                out << row(e.facCode, e.chance, e.total.earned);
            return out;
        };
        const QAbstractItemModel* scores = In<QTableView>(list, QStringLiteral("TableScores"))->model();

        // tamrik-calc --scores 01=75,02=68.5,03=80.25,04=0,41=62
        const QStringList codes = Words("01 02 03 04 41");
        const QStringList typed = Words("75 68.5 80.25 0 62");
        EditScores(list, codes, typed);
        Applicant zero;
        for (int i = 0; i < codes.size(); ++i)
            zero.Scores[codes[i].toUInt() - 1] = typed[i].toDouble();
        Applicant absent = zero;
        absent.Scores[3].reset();
        QVERIFY(engine(zero) != engine(absent));
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("04")), 2), QStringLiteral("0.00"));
        QCOMPARE(folder.lines(Entries)[3], QStringLiteral("0"));
        QCOMPARE(shown(), engine(zero));
        EditScore(list, QStringLiteral("04"), QStringLiteral("8O"));
        QCOMPARE(program.messages.texts, QStringList{QString::fromUtf8(kScoreRangeMessage.data())});
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("04")), 2), QStringLiteral("0.00"));
        QCOMPARE(shown(), engine(zero));

        // Digits no box of page 3 could hold, however they got there.
        auto* prBox = In<QLineEdit>(list, QStringLiteral("TextAllPr"));
        program.window.session().entries().PrDigits = "5a50";
        list->reloadEntries();
        QVERIFY(prBox->hasAcceptableInput());
        QCOMPARE(shown(), engine(zero));
        Applicant withPr = zero;
        withPr.Pr = 85.5;
        program.type(prBox, QStringLiteral("85.5"));
        QCOMPARE(shown(), engine(withPr));
        QTest::keyClick(prBox, Qt::Key_Return);
        QCOMPARE(folder.lines(Entries)[52], QStringLiteral("8550"));
        QCOMPARE(shown(), engine(withPr));

        QVERIFY(Activate(&program.window));
        program.open(QStringLiteral("0013"));
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("0.00"));
        QCOMPARE(program.messages.texts.size(), 1);
    }

    // The window follows each box of page 2 as it is left; an edit in the
    // window moves only its own boxes on the pages: what is still being
    // typed on page 2 or 3 stays as typed. Back on page 2 takes back what
    // its boxes gave.
    void editsKeepUntakenTypingOnThePages()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0013"));
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        const QAbstractItemModel* scores = In<QTableView>(list, QStringLiteral("TableScores"))->model();
        QVERIFY(Activate(&program.window));
        program.type(QStringLiteral("Text_SC_main(1)"), QStringLiteral("71"));
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("01")), 2), QString());
        program.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));  // 01 is left
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("01")), 2), QStringLiteral("71.00"));
        QCOMPARE(folder.lines(Entries)[0], QStringLiteral("71"));
        QVERIFY(Activate(list));

        EditScore(list, QStringLiteral("04"), QStringLiteral("67.5"));
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.5"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("67.50"));
        QCOMPARE(program.text(QStringLiteral("Text_sp_sc(1)")), QStringLiteral("62"));
        QCOMPARE(folder.lines(Entries)[40], QStringLiteral("-1"));

        // Back: 01, left on the page, is forgotten; 04, edited in the window, stays.
        QVERIFY(Activate(&program.window));
        program.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(folder.lines(Entries)[0], QStringLiteral("-1"));
        QCOMPARE(folder.lines(Entries)[3], QStringLiteral("67.5"));
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("01")), 2), QString());
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("04")), 2), QStringLiteral("67.50"));
        program.open(QStringLiteral("0013"));
        program.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));

        // On page 3 a PR being typed survives a GPA edited in the window.
        QVERIFY(Activate(&program.window));
        program.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(program.window.currentPage(), 3);
        program.type(QStringLiteral("F3Text_PR(0)"), QStringLiteral("85"));
        QVERIFY(Activate(list));
        const auto prBoxes = [&program] {
            return program.text(QStringLiteral("F3Text_PR(0)")) + program.text(QStringLiteral("F3Text_PR(1)"));
        };
        const QString typedPr = prBoxes();
        QVERIFY(typedPr.toInt() != QString::fromStdString(program.window.session().entries().PrDigits).toInt());
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("2.75"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        QCOMPARE(program.text(QStringLiteral("F3Text_GPA(0)")) + program.text(QStringLiteral("F3Text_GPA(1)")),
                 QStringLiteral("275"));
        QCOMPARE(prBoxes(), typedPr);
    }

    void filtersNarrowTheTable()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        const QAbstractItemModel* table = Faculties(list);
        auto* universities = In<QComboBox>(list, QStringLiteral("ComboUniverFilter"));
        QCOMPARE(universities->itemText(0), QStringLiteral("ทุกมหาวิทยาลัย"));

        universities->setCurrentIndex(2);
        const QString chosen = universities->currentText();
        QVERIFY(table->rowCount() > 0 && table->rowCount() < 125);
        for (int r = 0; r < table->rowCount(); ++r)
            QCOMPARE(Cell(table, r, 2), chosen);
        universities->setCurrentIndex(0);
        QCOMPARE(table->rowCount(), 125);

        auto* search = In<QLineEdit>(list, QStringLiteral("TextFacultyFilter"));
        search->setText(QStringLiteral("ทันตแพทย"));
        const int dentistry = table->rowCount();
        QVERIFY(dentistry > 0 && dentistry < 125);
        for (int r = 0; r < dentistry; ++r)
            QVERIFY(Cell(table, r, 3).contains(QStringLiteral("ทันตแพทย")));
        search->setText(QStringLiteral("สถาปัตยกรรม ศาสตร์"));
        const int spaced = table->rowCount();
        search->setText(QStringLiteral("สถาปัตยกรรมศาสตร์"));
        QVERIFY(spaced > 0);
        QCOMPARE(table->rowCount(), spaced);
        // SARA AM typed as one character or as NIKHAHIT + SARA AA is the same text.
        QCOMPARE(searchKey("คำนวณ"), searchKey("\xE0\xB8\x84\xE0\xB9\x8D\xE0\xB8\xB2นวณ"));
        // Text pasted from the web often carries zero-width spaces.
        search->setText(QStringLiteral("สถาปัตยกรรม\u200Bศาสตร์"));
        QCOMPARE(table->rowCount(), spaced);
        search->clear();

        // A minimum on a subject with no score yet fails nothing: 0002 (แพทย์,
        // 04 and biology at 30 %) has scores missing.
        In<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"))->setChecked(true);
        QCOMPARE(table->rowCount(), 125);
        const auto label0002 = [table] {
            for (int r = 0; r < table->rowCount(); ++r) {
                if (Cell(table, r, 1) == QStringLiteral("0002"))
                    return Cell(table, r, 9);
            }
            return QString();
        };
        QCOMPARE(label0002(), QStringLiteral("… คะแนนไม่ครบ"));
        // Only a typed score below its minimum fails.
        EditScores(list, Words("01 02 03 04 07 08"), Words("80 80 80 25 80 80"));
        const int eligible = table->rowCount();
        QVERIFY(eligible > 0 && eligible < 125);
        QVERIFY(label0002().isEmpty());
        for (int r = 0; r < eligible; ++r)
            QVERIFY(!Cell(table, r, 9).startsWith(QStringLiteral("✕")));
        In<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"))->setChecked(false);
        QCOMPARE(label0002(), QStringLiteral("✕ ไม่ผ่านเกณฑ์ขั้นต่ำ"));
        In<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"))->setChecked(true);
        EditScore(list, QStringLiteral("04"), QStringLiteral("30"));
        QCOMPARE(label0002(), QStringLiteral("… คะแนนไม่ครบ"));
        QVERIFY(table->rowCount() > eligible);

        // The CSV holds the rows as shown, behind a UTF-8 byte-order mark.
        const QString csv = folder.file(QStringLiteral("list.csv"));
        list->setFileChooser([csv](QWidget*, const QString&, const QString&, const QString&) { return csv; });
        In<QPushButton>(list, QStringLiteral("CmdExportCsv"))->click();
        const QByteArray bytes = folder.read(QStringLiteral("list.csv"));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), table->rowCount() + 1);
        QVERIFY(lines[0].startsWith(QStringLiteral("อันดับ,รหัส,มหาวิทยาลัย,คณะ")));
        QVERIFY(lines[1].contains(Cell(table, 0, 1)));
    }

    // Typing as on the pages: Enter takes a score and moves to the next
    // subject (the GPA after the last), a refused one stays; a PR past page
    // 3's boxes is refused with page 3's message; re-ranking keeps the
    // table's place and the selected faculty.
    void typingAsOnThePages()
    {
        ProgramFolder folder;
        Program program(folder);
        FrmAllFaculties* list = program.start() ? OpenList(program) : nullptr;
        QVERIFY(list);
        auto* scoresView = In<QTableView>(list, QStringLiteral("TableScores"));
        const QAbstractItemModel* scores = scoresView->model();
        const auto keys = [](const QString& text) {
            for (const QChar c : text)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        };
        const auto enter = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCoreApplication::processEvents();
        };
        scoresView->setFocus();
        scoresView->setCurrentIndex(scores->index(0, 2));
        keys(QStringLiteral("75"));
        enter();
        keys(QStringLiteral("68.5"));
        enter();
        QCOMPARE(Cell(scores, 0, 2), QStringLiteral("75.00"));
        QCOMPARE(Cell(scores, 1, 2), QStringLiteral("68.50"));
        QCOMPARE(scoresView->currentIndex().row(), 2);
        keys(QStringLiteral("150"));
        enter();
        QCOMPARE(program.messages.texts, QStringList{QString::fromUtf8(kScoreRangeMessage.data())});
        QCOMPARE(Cell(scores, 2, 2), QString());
        QCOMPARE(scoresView->currentIndex().row(), 2);
        scoresView->setCurrentIndex(scores->index(scores->rowCount() - 1, 2));
        keys(QStringLiteral("50"));
        enter();
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TextAllGpa"));
        QCOMPARE(folder.lines(Entries)[0] + QLatin1Char(' ') + folder.lines(Entries)[1], QStringLiteral("75 68.5"));

        auto* prBox = In<QLineEdit>(list, QStringLiteral("TextAllPr"));
        for (const QString& refused : {QStringLiteral("101"), QStringLiteral("100")}) {
            program.messages.texts.clear();
            program.type(prBox, refused);
            QCOMPARE(prBox->text(), refused);
            QTest::keyClick(prBox, Qt::Key_Return);
            QCOMPARE(program.messages.texts, QStringList{QStringLiteral("PR จะต้องมากกว่า 0 และน้อยกว่า 100")});
            QCOMPARE(folder.lines(Entries)[52], QStringLiteral("0000"));
            QCOMPARE(prBox->text(), QStringLiteral("00.00"));
        }

        // Far down and scrolled right, the selected faculty and the view stay put while a score is typed.
        auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
        const QString code = Cell(view->model(), 60, 1);
        view->setCurrentIndex(view->model()->index(60, 3));
        view->scrollTo(view->currentIndex(), QAbstractItemView::PositionAtCenter);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        const int across = view->horizontalScrollBar()->value();
        const int down = view->verticalScrollBar()->value();
        QVERIFY(across > 0 && down > 0);
        EditScore(list, QStringLiteral("03"), QStringLiteral("80"));
        QCOMPARE(Cell(view->model(), view->currentIndex().row(), 1), code);
        QCOMPARE(view->horizontalScrollBar()->value(), across);
        QCOMPARE(view->verticalScrollBar()->value(), down);
        QVERIFY(In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text().startsWith(code));
    }

    // The name, every score, the GPA, the PR and the choices kept in a
    // .tamrik file and opened again after a change of user; a damaged file
    // is refused with its name and what is wrong, and changes nothing.
    void shortlistKeptInAFile()
    {
        ProgramFolder folder;
        Program program(folder);
        FrmAllFaculties* list = program.start() ? OpenList(program) : nullptr;
        QVERIFY(list);
        TypeText(In<QLineEdit>(list, QStringLiteral("TextApplicantName")), QStringLiteral("สมชาย  ใจดี"));
        EditScores(list, Words("01 02 41"), Words("75 68.5 62"));
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.25"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllPr")), QStringLiteral("85.5"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllPr")), Qt::Key_Return);
        for (const QString& code : {QStringLiteral("0040"), QStringLiteral("0013")}) {
            SelectFaculty(list, code);
            In<QPushButton>(list, QStringLiteral("CmdAddChoice"))->click();
        }
        const QString kept = folder.file(QStringLiteral("somchai"));  // the suffix is added
        list->setFileChooser([kept](QWidget*, const QString&, const QString&, const QString&) { return kept; });
        In<QPushButton>(list, QStringLiteral("CmdSaveShortlist"))->click();
        const QJsonObject saved = QJsonDocument::fromJson(folder.read(QStringLiteral("somchai.tamrik"))).object();
        QCOMPARE(saved.value(QStringLiteral("format")).toString(), QStringLiteral("tamrik-shortlist"));
        QCOMPARE(saved.value(QStringLiteral("version")).toInt(), 1);
        QCOMPARE(saved.value(QStringLiteral("name")).toString(), QStringLiteral("สมชาย ใจดี"));
        QCOMPARE(saved.value(QStringLiteral("scores")).toObject(),
                 (QJsonObject{{QStringLiteral("01"), QStringLiteral("75")},
                              {QStringLiteral("02"), QStringLiteral("68.5")},
                              {QStringLiteral("41"), QStringLiteral("62")}}));
        QCOMPARE(saved.value(QStringLiteral("gpa")).toString(), QStringLiteral("3.25"));
        QCOMPARE(saved.value(QStringLiteral("pr")).toString(), QStringLiteral("85.50"));
        QCOMPARE(saved.value(QStringLiteral("choices")).toArray(),
                 (QJsonArray{QStringLiteral("0040"), QStringLiteral("0013")}));

        // The next user starts from nothing, then opens the file.
        program.get<QAction>(QStringLiteral("submnuOption(0)"))->trigger();
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextApplicantName"))->text(), QString());
        QCOMPARE(In<QListWidget>(list, QStringLiteral("ListChoices"))->count(), 0);
        QString toOpen = folder.file(QStringLiteral("somchai.tamrik"));
        list->setOpenFileChooser([&toOpen](QWidget*, const QString&, const QString&) { return toOpen; });
        In<QPushButton>(list, QStringLiteral("CmdOpenShortlist"))->click();
        QVERIFY(program.messages.texts.isEmpty());
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextApplicantName"))->text(), QStringLiteral("สมชาย ใจดี"));
        const QStringList entries = folder.lines(Entries);
        QCOMPARE(entries.mid(0, 2) + entries.mid(40, 1) + entries.mid(51, 2), Words("75 68.5 62 325 8550"));
        QCOMPARE(folder.lines(Choices), Words("0040 0013"));
        QCOMPARE(In<QListWidget>(list, QStringLiteral("ListChoices"))->count(), 2);
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextAllPr"))->text(), QStringLiteral("85.50"));
        QVERIFY(Activate(&program.window));
        program.open(QStringLiteral("0013"));
        QCOMPARE(program.text(QStringLiteral("Text_sp_sc(1)")), QStringLiteral("62.00"));
        QVERIFY(Activate(list));

        const QByteArray good = folder.read(QStringLiteral("somchai.tamrik"));
        const QByteArray entriesBefore = folder.read(Entries);
        const QByteArray choicesBefore = folder.read(Choices);
        const auto with = [&good](const char* key, const QJsonValue& value) {
            QJsonObject root = QJsonDocument::fromJson(good).object();
            root.insert(QString::fromUtf8(key), value);
            return QJsonDocument(root).toJson();
        };
        const std::pair<QByteArray, QString> damaged[] = {
            {good.left(good.size() / 2), QStringLiteral("ไม่ใช่ JSON")},
            {with("format", QStringLiteral("other")), QStringLiteral("ไม่ใช่ไฟล์อันดับที่เลือกของ Tamrik")},
            {with("version", 2), QStringLiteral("ไฟล์รุ่น 2")},
            {with("scores", QJsonObject{{QStringLiteral("04"), QStringLiteral("150")}}), QStringLiteral("คะแนนวิชา 04")},
            {with("scores", QJsonObject{{QStringLiteral("04"), QStringLiteral("8O")}}), QStringLiteral("คะแนนวิชา 04")},
            {with("scores", QJsonObject{{QStringLiteral("52"), QStringLiteral("50")}}), QStringLiteral("รหัสวิชา \"52\"")},
            {with("gpa", QStringLiteral("4.5")), QStringLiteral("GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4")},
            {with("pr", QStringLiteral("101")), QStringLiteral("PR จะต้องมากกว่า 0 และน้อยกว่า 100")},
            {with("choices", QJsonArray{QStringLiteral("13")}), QStringLiteral("รหัสคณะ \"13\"")},
            {with("choices", QJsonArray{QStringLiteral("0013"), QStringLiteral("0013")}), QStringLiteral("อยู่ในอันดับที่เลือกไว้แล้ว")},
            {with("choices", QJsonArray{QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("0003"),
                                        QStringLiteral("0004"), QStringLiteral("0005")}),
             QStringLiteral("เลือกได้ไม่เกิน 4 อันดับ")},
            {with("name", 7), QStringLiteral("ชื่อผู้สมัคร")},
        };
        for (const auto& [bytes, problem] : damaged) {
            folder.write(QStringLiteral("bad.tamrik"), bytes);
            toOpen = folder.file(QStringLiteral("bad.tamrik"));
            program.messages.texts.clear();
            In<QPushButton>(list, QStringLiteral("CmdOpenShortlist"))->click();
            QCOMPARE(program.messages.texts.size(), 1);
            const QString message = program.messages.texts[0];
            QVERIFY2(message.startsWith(QStringLiteral("เปิดไฟล์ bad.tamrik ไม่ได้: ")) && message.contains(problem),
                     qPrintable(message));
            QCOMPARE(folder.read(Entries), entriesBefore);
            QCOMPARE(folder.read(Choices), choicesBefore);
        }
        QCOMPARE(In<QLineEdit>(list, QStringLiteral("TextApplicantName"))->text(), QStringLiteral("สมชาย ใจดี"));
    }

    // Four at most, in order, moved up and down, kept in a file that outlives
    // a killed run, removed at close and by Change User.
    void shortlistOfFour()
    {
        ProgramFolder folder;
        const QStringList codes = {QStringLiteral("0005"), QStringLiteral("0013"), QStringLiteral("0040"),
                                   QStringLiteral("0077"), QStringLiteral("0100")};
        {
            Program program(folder);
            QVERIFY(program.start());
            FrmAllFaculties* list = OpenList(program);
            for (const QString& code : codes) {
                SelectFaculty(list, code);
                In<QPushButton>(list, QStringLiteral("CmdAddChoice"))->click();
            }
            QCOMPARE(program.messages.texts, QStringList{QStringLiteral("เลือกได้ไม่เกิน 4 อันดับ")});
            auto* choices = In<QListWidget>(list, QStringLiteral("ListChoices"));
            QCOMPARE(choices->count(), 4);
            choices->setCurrentRow(3);
            In<QPushButton>(list, QStringLiteral("CmdChoiceUp"))->click();
            choices->setCurrentRow(0);
            In<QPushButton>(list, QStringLiteral("CmdChoiceDown"))->click();
            QCOMPARE(folder.lines(Choices), (QStringList{codes[1], codes[0], codes[3], codes[2]}));
            QVERIFY(choices->item(0)->text().startsWith(QStringLiteral("อันดับ 1  0013")));
            auto* compare = In<QTableWidget>(list, QStringLiteral("TableChoices"));
            QCOMPARE(compare->columnCount(), 4);
            QCOMPARE(compare->item(0, 0)->text(), QStringLiteral("0013"));
            // Scores that move a choice's figures move them in the comparison too.
            EditScores(list, Words("01 02 03 04 41"), Words("75 68.5 80.25 55 62"));
            QString composite;
            for (int r = 0; r < Faculties(list)->rowCount(); ++r) {
                if (Cell(Faculties(list), r, 1) == codes[1])
                    composite = Cell(Faculties(list), r, 4);
            }
            QVERIFY(!composite.isEmpty());
            QCOMPARE(compare->item(3, 0)->text(), composite);

            // The shortlist PDF: a comparison page, then one page per choice.
            const QString pdf = folder.file(QStringLiteral("choices.pdf"));
            list->setFileChooser([pdf](QWidget*, const QString&, const QString&, const QString&) { return pdf; });
            In<QPushButton>(list, QStringLiteral("CmdExportPdf"))->click();
            QCOMPARE(PdfPages(pdf), 5);
            QVERIFY(PdfText(pdf).contains(QStringLiteral("0077")));
            // Each choice's page lists its rule's rows with the scores typed.
            QVERIFY(PdfText(pdf).contains(QStringLiteral("80.25")));

            choices->setCurrentRow(3);
            In<QPushButton>(list, QStringLiteral("CmdRemoveChoice"))->click();
            QCOMPARE(folder.lines(Choices), (QStringList{codes[1], codes[0], codes[3]}));
            // The program is killed here: nothing runs at close.
            program.window.setAttribute(Qt::WA_DeleteOnClose, false);
            folder.write(QStringLiteral("keep"), folder.read(Choices));
        }
        folder.write(Choices, folder.read(QStringLiteral("keep")));
        Program restarted(folder);
        QVERIFY(restarted.start());
        FrmAllFaculties* list = OpenList(restarted);
        auto* choices = In<QListWidget>(list, QStringLiteral("ListChoices"));
        QCOMPARE(choices->count(), 3);
        QVERIFY(choices->item(2)->text().startsWith(QStringLiteral("อันดับ 3  0077")));

        restarted.get<QAction>(QStringLiteral("submnuOption(0)"))->trigger();
        QCOMPARE(choices->count(), 0);
        QVERIFY(!folder.exists(Choices));

        SelectFaculty(list, codes[4]);
        In<QPushButton>(list, QStringLiteral("CmdAddChoice"))->click();
        QVERIFY(folder.exists(Choices));
        restarted.window.close();
        QVERIFY(!folder.exists(Choices));
        QVERIFY(!folder.exists(Entries));
    }

    // A GPA still being typed when the program ends is not taken: no entries
    // file is left behind for the next user.
    void endingTakesNothingBeingTyped()
    {
        ProgramFolder folder;
        {
            Program program(folder);
            FrmAllFaculties* list = program.start() ? OpenList(program) : nullptr;
            QVERIFY(list);
            program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.5"));
            program.window.close();
            QVERIFY(!folder.exists(Entries));
        }
        QVERIFY(!folder.exists(Entries));
    }

    // Every control has a Thai accessible name and Tab reaches it; every
    // button shows its own Alt+letter, which works; the legend and the name
    // box are on the walk.
    void tabWalksEveryControl()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        // With a choice, the list and the comparison show.
        SelectFaculty(list, QStringLiteral("0013"));
        In<QPushButton>(list, QStringLiteral("CmdAddChoice"))->click();
        const QStringList expected = Words(
            "TextApplicantName TableScores TextAllGpa TextAllPr ComboUniverFilter TextFacultyFilter CheckEligibleOnly "
            "CmdLegend TableFaculties ScrollFacultyDetails CmdAddChoice CmdShowChoices ListChoices CmdRemoveChoice CmdChoiceUp "
            "CmdChoiceDown TableChoices CmdSaveShortlist CmdOpenShortlist CmdExportCsv CmdExportPdf");
        In<QWidget>(list, expected[0])->setFocus();
        QStringList walked;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            walked << focused->objectName();
            const QString name = focused->accessibleName();
            QVERIFY2(std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x0E00 && c.unicode() <= 0x0E7F; }),
                     qPrintable(focused->objectName()));
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        QCOMPARE(QApplication::focusWidget()->objectName(), expected[0]);

        QStringList letters;
        QList<QAbstractButton*> buttons;
        for (QPushButton* button : list->findChildren<QPushButton*>())
            buttons << button;
        buttons << In<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"));
        for (const QAbstractButton* button : buttons) {
            const int amp = button->text().indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0, qPrintable(button->objectName()));
            letters << button->text().mid(amp + 1, 1).toUpper();
        }
        QCOMPARE(letters.size(), static_cast<int>(QSet<QString>(letters.begin(), letters.end()).size()));
        QTest::keyClick(list, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TextApplicantName"));
        QTest::keyClick(list, Qt::Key_L, Qt::AltModifier);
        // A mnemonic clicks its button a moment later, as a click shows.
        QWidget* legend = nullptr;
        QVERIFY(QTest::qWaitFor([&] {
            legend = list->findChild<QWidget*>(QStringLiteral("FrmLegend"));
            return legend && legend->isVisible();
        }));
        QStringList shown;
        for (const QLabel* label : legend->findChildren<QLabel*>())
            shown << label->text();
        const QString text = shown.join(QLatin1Char('\n'));
        for (const char* words : {"สูงกว่าคะแนนสูงสุดปีก่อน", "เท่ากับหรือสูงกว่าคะแนนสูงสุดของปีก่อน", "ตั้งแต่ 2%", "ไม่ถึง 2%",
                                  "เกิน 2%", "ไม่มีคะแนนต่ำสุด-สูงสุด", "ไม่นับว่าไม่ผ่านเกณฑ์ขั้นต่ำ",
                                  "ต่ำกว่าเกณฑ์ขั้นต่ำของคณะ", "กล่องสีฟ้า", "เส้นสีดำ", "ไม่ใช่ผลการคัดเลือกจริง"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);
        // One window at a time: the menu item brings the open one forward.
        QCOMPARE(OpenList(program), list);
    }
};

QTEST_MAIN(TestAllFaculties)
#include "test_allfaculties.moc"
