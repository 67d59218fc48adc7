// The all-faculties window over the real main window and the bundled data:
// the ranking is the engine's, edits travel both ways between the window, the
// wizard and the entries file, the filters, the shortlist and its file, the
// exports (CSV, and the shortlist PDF's pages; what the PDFs say is
// tests/printing's), and the keyboard walk through every control.
#include "evaluator.h"
#include "facultyloader.h"
#include "wholetables.h"
#include "facultyfilter.h"
#include "frmallfaculties.h"
#include "listdriver.h"
#include "pdfreader.h"
#include "shortlist.h"
#include "subtotals.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
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
    return evaluator.rank(applicant, {"2.4397771456", "0.5519077994", LoadProbTable(db)}).evaluations(Detail::Needed);
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
            EngineRanking(ApplicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits));
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
        // Sorting by a column orders by its figure, not its text.
        auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
        view->sortByColumn(4, Qt::DescendingOrder);
        for (int r = 1; r < table->rowCount(); ++r)
            QVERIFY(Cell(table, r - 1, 4).toDouble() >= Cell(table, r, 4).toDouble());
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
            if (!Cell(table, r, 9).startsWith(QStringLiteral("✕")) &&
                Cell(table, r, 4).toDouble() < Cell(table, r, 6).toDouble()) {
                SelectFaculty(list, Cell(table, r, 1));
                const QString below = In<QLabel>(list, QStringLiteral("LabelFacultyDetails"))->text();
                const double gap = Cell(table, r, 6).toDouble() - Cell(table, r, 4).toDouble();
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
        QCOMPARE(program.window.CurrentPage(), 3);
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
        QCOMPARE(program.window.CurrentPage(), 2);
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
        const auto rows = [](const std::vector<FacultyEvaluation>& ranked) {
            QStringList out;
            for (const FacultyEvaluation& e : ranked)
                out << QString::fromStdString(e.facCode + ' ' + std::string(ChanceKey(e.chance)) + ' ' +
                                              std::to_string(e.total.earned));
            return out;
        };
        const auto engine = [&rows](const Applicant& applicant) { return rows(EngineRanking(applicant)); };
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
        QCOMPARE(rows(list->evaluations()), engine(zero));
        EditScore(list, QStringLiteral("04"), QStringLiteral("8O"));
        QCOMPARE(program.messages.texts, QStringList{QString::fromUtf8(kScoreRangeMessage.data())});
        QCOMPARE(Cell(scores, ScoreRow(list, QStringLiteral("04")), 2), QStringLiteral("0.00"));
        QCOMPARE(rows(list->evaluations()), engine(zero));

        // Digits no box of page 3 could hold, however they got there.
        auto* prBox = In<QLineEdit>(list, QStringLiteral("TextAllPr"));
        program.window.session().entries().PrDigits = "5a50";
        list->ReloadEntries();
        QVERIFY(prBox->hasAcceptableInput());
        QCOMPARE(rows(list->evaluations()), engine(zero));
        Applicant withPr = zero;
        withPr.Pr = 85.5;
        program.type(prBox, QStringLiteral("85.5"));
        QCOMPARE(rows(list->evaluations()), engine(withPr));
        QTest::keyClick(prBox, Qt::Key_Return);
        QCOMPARE(folder.lines(Entries)[52], QStringLiteral("8550"));
        QCOMPARE(rows(list->evaluations()), engine(withPr));

        QVERIFY(Activate(&program.window));
        program.open(QStringLiteral("0013"));
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("0.00"));
        QCOMPARE(program.messages.texts.size(), 1);
    }

    // An edit in the window moves only its own boxes on the pages: what was
    // typed on page 2 or 3 and not yet taken by Next stays as typed.
    void editsKeepUntakenTypingOnThePages()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        program.open(QStringLiteral("0013"));
        program.type(QStringLiteral("Text_SC_main(1)"), QStringLiteral("71"));
        program.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));
        const QString typed01 = program.text(QStringLiteral("Text_SC_main(1)"));
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        QVERIFY(!typed01.isEmpty());

        EditScore(list, QStringLiteral("04"), QStringLiteral("67.5"));
        program.type(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), QStringLiteral("3.5"));
        QTest::keyClick(In<QLineEdit>(list, QStringLiteral("TextAllGpa")), Qt::Key_Return);
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(4)")), QStringLiteral("67.50"));
        QCOMPARE(program.text(QStringLiteral("Text_SC_main(1)")), typed01);
        QCOMPARE(folder.lines(Entries)[0], QStringLiteral("-1"));

        // On page 3 a PR being typed survives a GPA edited in the window.
        QVERIFY(Activate(&program.window));
        program.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(program.window.CurrentPage(), 3);
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
        QCOMPARE(FacultyFilter::SearchKey(QStringLiteral("คำนวณ")),
                 FacultyFilter::SearchKey(QString::fromUtf8("\xE0\xB8\x84\xE0\xB9\x8D\xE0\xB8\xB2นวณ")));
        // Text pasted from the web often carries zero-width spaces.
        search->setText(QStringLiteral("สถาปัตยกรรม\u200Bศาสตร์"));
        QCOMPARE(table->rowCount(), spaced);
        search->clear();

        // With no scores every faculty with a minimum criterion fails it.
        In<QCheckBox>(list, QStringLiteral("CheckEligibleOnly"))->setChecked(true);
        const int eligible = table->rowCount();
        QVERIFY(eligible > 0 && eligible < 125);
        for (int r = 0; r < eligible; ++r)
            QVERIFY(!Cell(table, r, 9).startsWith(QStringLiteral("✕")));

        // The CSV holds the rows as shown, behind a UTF-8 byte-order mark.
        const QString csv = folder.file(QStringLiteral("list.csv"));
        list->setFileChooser([csv](QWidget*, const QString&, const QString&, const QString&) { return csv; });
        In<QPushButton>(list, QStringLiteral("CmdExportCsv"))->click();
        const QByteArray bytes = folder.read(QStringLiteral("list.csv"));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), eligible + 1);
        QVERIFY(lines[0].startsWith(QStringLiteral("อันดับ,รหัส,มหาวิทยาลัย,คณะ")));
        QVERIFY(lines[1].contains(Cell(table, 0, 1)));
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

    // Every control has a Thai accessible name and Tab reaches it.
    void tabWalksEveryControl()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        const QStringList expected = {QStringLiteral("TableScores"),     QStringLiteral("TextAllGpa"),
                                      QStringLiteral("TextAllPr"),       QStringLiteral("ComboUniverFilter"),
                                      QStringLiteral("TextFacultyFilter"), QStringLiteral("CheckEligibleOnly"),
                                      QStringLiteral("TableFaculties"),  QStringLiteral("CmdAddChoice"),
                                      QStringLiteral("ListChoices"),     QStringLiteral("CmdRemoveChoice"),
                                      QStringLiteral("CmdChoiceUp"),     QStringLiteral("CmdChoiceDown"),
                                      QStringLiteral("TableChoices"),    QStringLiteral("CmdExportCsv"),
                                      QStringLiteral("CmdExportPdf")};
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
        // One window at a time: the menu item brings the open one forward.
        QCOMPARE(OpenList(program), list);
    }
};

QTEST_MAIN(TestAllFaculties)
#include "test_allfaculties.moc"
