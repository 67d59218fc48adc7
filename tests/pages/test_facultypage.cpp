// Page 1 driven through the real main window: the lists, the code box with
// its check and message, the header strip, Next and the two modes.
#include "colours.h"
#include "facultypage.h"
#include "frmtamrik.h"
#include "programfolder.h"
#include "recordingmessages.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <sqlite3.h>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString Chula = QStringLiteral("จุฬาลงกรณ์มหาวิทยาลัย");
const QString Thammasat = QStringLiteral("มหาวิทยาลัยธรรมศาสตร์");
const QString Mahidol = QStringLiteral("มหาวิทยาลัยมหิดล");
const QString IntlCollege = QStringLiteral("วิทยาลัยนานาชาติ (Int'l College)");

// Reads one column of a query straight from a database file, apart from the
// program's own database layer.
QStringList Column(const QString& dbPath, const QString& sql)
{
    QStringList values;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(dbPath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return values;
}

QStringList FacultiesOf(const QString& dbPath, const QString& university)
{
    QString quoted = university;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return Column(dbPath, QStringLiteral("SELECT FacName FROM SUName WHERE UName='%1' ORDER BY FacCode").arg(quoted));
}

QString RangeMessage(const QString& dbPath)
{
    return QStringLiteral("รหัสคณะมีค่าตั้งแต่ 0001 ถึง ") + Column(dbPath, QStringLiteral("SELECT COUNT(*) FROM SUName")).value(0);
}

// A rule database of the test's own: SUName from the statements given, the
// other tables the start-up asks for present and empty.
bool WriteRuleDb(const QString& path, const QStringList& statements)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    QStringList all{QStringLiteral("CREATE TABLE SUName (UName TEXT, FacName TEXT, FacCode TEXT)")};
    for (const char* table : {"Table12", "Facsubj", "SubjectTable", "tableCRT", "tableSUM", "tb6174", "Zi2Prob"})
        all << QStringLiteral("CREATE TABLE %1 (FacCode TEXT)").arg(QString::fromLatin1(table));
    all << statements;
    for (const QString& sql : all)
        ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The main window over a program folder, shown and active, with page 1's
// controls at hand.
struct Page1 {
    explicit Page1(const ProgramFolder& folder) : window(folder.path(), folder.fallback(), messages) {}

    bool start()
    {
        if (!window.Load())
            return false;
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    template <typename T>
    T* get(const char* name) const
    {
        return Find<T>(&window, QString::fromLatin1(name));
    }
    QComboBox* univer() const { return get<QComboBox>("F1ComboUniver"); }
    QComboBox* fac() const { return get<QComboBox>("F1ComboFac"); }
    QLineEdit* box() const { return get<QLineEdit>("F1TxtFacID"); }
    QPushButton* okFac() const { return get<QPushButton>("F1CmdOkFac"); }
    QPushButton* next() const { return get<QPushButton>("F1CmdNext"); }
    QRadioButton* optUseID() const { return get<QRadioButton>("OptUseID"); }
    QRadioButton* optNoUseID() const { return get<QRadioButton>("OptNoUseID"); }
    QStringList header() const
    {
        return {get<QLabel>("LabelFacID")->text(), get<QLabel>("LabelFacName")->text(),
                get<QLabel>("LabelUname")->text()};
    }

    // A click on the option's round mark, where a user clicks.
    static void choose(QRadioButton* option)
    {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    // Opens the list and clicks the item, as a user picks from it.
    bool pick(QComboBox* combo, const QString& text) const
    {
        const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0)
            return false;
        // The arrow at the right opens the list; the rest is the edit field.
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 8, combo->height() / 2));
        QAbstractItemView* view = combo->view();
        if (!QTest::qWaitForWindowExposed(view->window()))
            return false;
        const QModelIndex item = view->model()->index(index, 0);
        view->scrollTo(item);
        // The pointer moves onto the item before the click, as a hand does.
        // It starts from the corner: a pointer left on the item by an earlier
        // test would not move, and the list ignores a click without a move.
        const QPoint centre = view->visualRect(item).center();
        QTest::mouseMove(view->viewport(), QPoint(1, 1));
        QTest::mouseMove(view->viewport(), centre);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        return !view->window()->isVisible() && combo->currentText() == text;
    }

    // Code mode, the box emptied and focused, then the text typed.
    void typeCode(const QString& text) const
    {
        if (!optUseID()->isChecked())
            choose(optUseID());
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(), Qt::Key_Delete);
        QTest::keyClicks(box(), text);
    }

    // The ways the user leaves the box, each of which runs the code check.
    void leaveBox(const QString& how) const
    {
        if (how == QLatin1String("enter"))
            QTest::keyClick(box(), Qt::Key_Return);
        else if (how == QLatin1String("tab"))
            QTest::keyClick(box(), Qt::Key_Tab);
        else
            QTest::mouseClick(okFac(), Qt::LeftButton);
    }

    RecordingMessages messages;
    FrmTamrik window;
};

}  // namespace

class TestFacultyPage : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheFirstUniversityAndNoFaculty()
    {
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        const QString db = folder.file(QStringLiteral("ScoreRule.mdb"));

        QVERIFY(page.messages.texts.isEmpty());
        QCOMPARE(Items(page.univer()), Column(db, QStringLiteral("SELECT UName FROM SUName GROUP BY UName ORDER BY MIN(FacCode)")));
        QCOMPARE(page.univer()->currentText(), Chula);
        QCOMPARE(Items(page.fac()), FacultiesOf(db, Chula));
        QCOMPARE(page.fac()->count(), 17);
        QCOMPARE(page.fac()->currentText(), QString());
        QCOMPARE(page.header(), QStringList({QString(), QString(), QString()}));
        QVERIFY(page.univer()->isEnabled() && page.fac()->isEnabled());
        QVERIFY(page.univer()->isEditable() && page.fac()->isEditable());
        QCOMPARE(Background(page.univer()), Colour::White);
        QVERIFY(!page.box()->isEnabled());
        QCOMPARE(Background(page.box()), Colour::Grey);
        QCOMPARE(page.box()->maxLength(), 4);
        QVERIFY(page.optNoUseID()->isChecked() && !page.optUseID()->isChecked());
        QVERIFY(!page.okFac()->isEnabled());
        QVERIFY(!page.next()->isEnabled());
        QVERIFY(page.get<QPushButton>("F1CmdChange")->isEnabled());

        const auto* facultyPage = page.get<FacultyPage>("FrameMain(0)");
        QCOMPARE(int(facultyPage->FacCount()), Column(db, QStringLiteral("SELECT COUNT(*) FROM SUName")).value(0).toInt());
        QCOMPARE(page.get<QLabel>("F1Label(3)")->text(), QStringLiteral("เลือกมหาวิทยาลัยและคณะ หรือใส่รหัสคณะ"));
        QCOMPARE(page.get<QLabel>("F1Label(3)")->font().pointSizeF(), 18.0);
        QCOMPARE(page.get<QLabel>("F1Label(4)")->text(), QStringLiteral("รหัสคณะเป็นข้อมูลของการสอบคัดเลือกประจำปีการศึกษา 2543"));
        QCOMPARE(page.get<QGroupBox>("Frame8")->title(), QStringLiteral("รูปแบบการเลือกคณะ"));
        QCOMPARE(page.optNoUseID()->text(), QStringLiteral("ไม่ใช้รหัสคณะ"));
        QCOMPARE(page.optUseID()->text(), QStringLiteral("ใช้รหัสคณะ"));
        QCOMPARE(page.get<QLabel>("F1Label(0)")->text(), QStringLiteral("มหาวิทยาลัย"));
        QCOMPARE(page.get<QLabel>("F1Label(1)")->text(), QStringLiteral("คณะ"));
        QCOMPARE(page.get<QLabel>("F1Label(2)")->text(), QStringLiteral("รหัสคณะ"));
        QCOMPARE(page.okFac()->text(), QStringLiteral("ใช้รหัสนี้"));
        QCOMPARE(page.get<QPushButton>("F1CmdChange")->text(), QStringLiteral("เปลี่ยนผู้ใช้"));
        QCOMPARE(page.next()->text(), QStringLiteral("หน้าต่อไป"));
        QCOMPARE(page.optUseID()->parent(), page.get<QGroupBox>("Frame8"));
        QCOMPARE(page.fac()->parent(), page.get<QFrame>("Frame7"));
        QCOMPARE(page.okFac()->parent(), page.get<QFrame>("Frame2"));
        QCOMPARE(GeometryTwips(page.next()), QRect(9240, 6240, 1935, 495));
        const QRect change = GeometryTwips(page.get<QPushButton>("F1CmdChange"));
        QVERIFY(change.bottom() < GeometryTwips(page.next()).top() && change.left() == 9240);
    }

    void pickingAFacultyFillsTheBoxAndTheHeader_data()
    {
        QTest::addColumn<QString>("university");
        QTest::addColumn<QString>("faculty");
        QTest::addColumn<QString>("code");
        QTest::newRow("first university") << Chula << QStringLiteral("คณะอักษรศาสตร์") << QStringLiteral("0007");
        QTest::newRow("another university") << Thammasat << QStringLiteral("คณะนิติศาสตร์") << QStringLiteral("0018");
        QTest::newRow("name with a quote") << Mahidol << IntlCollege << QStringLiteral("0037");
    }

    void pickingAFacultyFillsTheBoxAndTheHeader()
    {
        QFETCH(QString, university);
        QFETCH(QString, faculty);
        QFETCH(QString, code);
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());

        QVERIFY(page.pick(page.univer(), university));
        QCOMPARE(Items(page.fac()), FacultiesOf(folder.file(QStringLiteral("ScoreRule.mdb")), university));
        QVERIFY(!page.next()->isEnabled());
        QVERIFY(page.pick(page.fac(), faculty));

        QCOMPARE(page.box()->text(), code);
        QCOMPARE(page.header(), QStringList({code, faculty, university}));
        QVERIFY(page.next()->isEnabled());
        const auto* facultyPage = page.get<FacultyPage>("FrameMain(0)");
        QCOMPARE(facultyPage->SelFacCode(), code.toStdString());
        QCOMPARE(facultyPage->facIdText(), code);
        QVERIFY(page.messages.texts.isEmpty());
    }

    void pickingAUniversityEmptiesTheChoice()
    {
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        QVERIFY(page.pick(page.fac(), QStringLiteral("คณะอักษรศาสตร์")));
        QVERIFY(page.next()->isEnabled());

        QVERIFY(page.pick(page.univer(), Thammasat));
        QCOMPARE(page.fac()->currentText(), QString());
        QCOMPARE(Items(page.fac()), FacultiesOf(folder.file(QStringLiteral("ScoreRule.mdb")), Thammasat));
        QCOMPARE(page.box()->text(), QString());
        QCOMPARE(page.header(), QStringList({QString(), QString(), QString()}));
        QVERIFY(!page.next()->isEnabled());
        QCOMPARE(page.get<FacultyPage>("FrameMain(0)")->SelUName(), Thammasat);
    }

    void aTypedCodeChoosesItsFaculty_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("university");
        QTest::addColumn<QString>("faculty");
        QTest::newRow("7 by the button") << QStringLiteral("7") << QStringLiteral("button") << QStringLiteral("0007") << Chula << QStringLiteral("คณะอักษรศาสตร์");
        QTest::newRow("7 by Enter") << QStringLiteral("7") << QStringLiteral("enter") << QStringLiteral("0007") << Chula << QStringLiteral("คณะอักษรศาสตร์");
        QTest::newRow("18 by Tab") << QStringLiteral("18") << QStringLiteral("tab") << QStringLiteral("0018") << Thammasat << QStringLiteral("คณะนิติศาสตร์");
        QTest::newRow("fraction rounds up") << QStringLiteral("12.6") << QStringLiteral("button") << QStringLiteral("0013") << Chula << QStringLiteral("คณะครุศาสตร์");
        QTest::newRow("four digits") << QStringLiteral("0037") << QStringLiteral("enter") << QStringLiteral("0037") << Mahidol << IntlCollege;
    }

    void aTypedCodeChoosesItsFaculty()
    {
        QFETCH(QString, typed);
        QFETCH(QString, leave);
        QFETCH(QString, code);
        QFETCH(QString, university);
        QFETCH(QString, faculty);
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());

        page.typeCode(typed);
        page.leaveBox(leave);

        QVERIFY2(page.messages.texts.isEmpty(), qPrintable(page.messages.texts.join(QLatin1Char('\n'))));
        QCOMPARE(page.box()->text(), code);
        QCOMPARE(page.header(), QStringList({code, faculty, university}));
        QCOMPARE(page.univer()->currentText(), university);
        QCOMPARE(page.fac()->currentText(), faculty);
        QCOMPARE(Items(page.fac()), FacultiesOf(folder.file(QStringLiteral("ScoreRule.mdb")), university));
        QVERIFY(page.next()->isEnabled());
        QCOMPARE(page.get<FacultyPage>("FrameMain(0)")->SelFacCode(), code.toStdString());
    }

    void aCodeWithoutAFacultyIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("leave");
        QTest::newRow("0000") << QStringLiteral("0000") << QStringLiteral("button");
        QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("enter");
        QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("tab");
        QTest::newRow("one above the count") << QString() << QStringLiteral("button");
        QTest::newRow("9999") << QStringLiteral("9999") << QStringLiteral("enter");
        QTest::newRow("number then letters") << QStringLiteral("12ab") << QStringLiteral("button");
        QTest::newRow("number then letters by Enter") << QStringLiteral("12ab") << QStringLiteral("enter");
        QTest::newRow("rounds to zero") << QStringLiteral("0.4") << QStringLiteral("button");
        QTest::newRow("blank") << QStringLiteral(" ") << QStringLiteral("button");
    }

    void aCodeWithoutAFacultyIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, leave);
        ProgramFolder folder;
        const QString db = folder.file(QStringLiteral("ScoreRule.mdb"));
        if (typed.isEmpty())
            typed = QString::number(Column(db, QStringLiteral("SELECT COUNT(*) FROM SUName")).value(0).toInt() + 1);
        Page1 page(folder);
        QVERIFY(page.start());
        // A faculty chosen first, so the refusal has something to take back.
        page.typeCode(QStringLiteral("7"));
        page.leaveBox(QStringLiteral("button"));
        QVERIFY(page.next()->isEnabled());

        page.typeCode(typed);
        page.leaveBox(leave);

        QCOMPARE(page.messages.texts, QStringList{RangeMessage(db)});
        QCOMPARE(page.box()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), page.box());
        QVERIFY(!page.next()->isEnabled());
        QCOMPARE(page.header(), QStringList({QString(), QString(), QString()}));
    }

    void anEmptyBoxChoosesNothingSilently_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::newRow("button") << QStringLiteral("button");
        QTest::newRow("enter") << QStringLiteral("enter");
    }

    void anEmptyBoxChoosesNothingSilently()
    {
        QFETCH(QString, leave);
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        page.typeCode(QStringLiteral("7"));
        page.leaveBox(QStringLiteral("button"));
        QVERIFY(page.next()->isEnabled());

        page.typeCode(QString());
        page.leaveBox(leave);

        QVERIFY(page.messages.texts.isEmpty());
        QCOMPARE(page.header(), QStringList({QString(), QString(), QString()}));
        QVERIFY(!page.next()->isEnabled());
        if (leave == QLatin1String("enter"))
            QCOMPARE(QApplication::focusWidget(), page.box());
    }

    void editingTheBoxTakesBackTheChoice()
    {
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        QVERIFY(page.pick(page.fac(), QStringLiteral("คณะนิเทศศาสตร์")));
        page.choose(page.optUseID());

        // Tab from the options wraps round past the disabled lists to the box,
        // which then selects its whole code.
        QTest::keyClick(page.optUseID(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page.box());
        QCOMPARE(page.box()->selectedText(), QStringLiteral("0012"));

        QTest::keyClicks(page.box(), QStringLiteral("1"));
        QCOMPARE(page.box()->text(), QStringLiteral("1"));
        QCOMPARE(page.header(), QStringList({QString(), QString(), QString()}));
        QVERIFY(!page.next()->isEnabled());
    }

    void switchingModesKeepsTheChoice()
    {
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        QVERIFY(page.pick(page.fac(), QStringLiteral("คณะอักษรศาสตร์")));
        const QStringList chosen{QStringLiteral("0007"), QStringLiteral("คณะอักษรศาสตร์"), Chula};

        page.choose(page.optUseID());
        QVERIFY(page.optUseID()->isChecked() && !page.optNoUseID()->isChecked());
        for (QComboBox* combo : {page.univer(), page.fac()}) {
            QVERIFY(!combo->isEnabled());
            QCOMPARE(Background(combo), Colour::Grey);
        }
        QVERIFY(page.box()->isEnabled());
        QCOMPARE(Background(page.box()), Colour::White);
        QVERIFY(page.okFac()->isEnabled());
        QCOMPARE(page.header(), chosen);
        QCOMPARE(page.box()->text(), QStringLiteral("0007"));
        QVERIFY(page.next()->isEnabled());

        page.choose(page.optNoUseID());
        for (QComboBox* combo : {page.univer(), page.fac()}) {
            QVERIFY(combo->isEnabled());
            QCOMPARE(Background(combo), Colour::White);
        }
        QVERIFY(!page.box()->isEnabled());
        QCOMPARE(Background(page.box()), Colour::Grey);
        QVERIFY(!page.okFac()->isEnabled());
        QCOMPARE(page.header(), chosen);
        QCOMPARE(page.fac()->currentText(), QStringLiteral("คณะอักษรศาสตร์"));
        QVERIFY(page.next()->isEnabled());
        QVERIFY(page.messages.texts.isEmpty());
    }

    void buttonsAnnounceTheirClicks()
    {
        ProgramFolder folder;
        Page1 page(folder);
        QVERIFY(page.start());
        auto* facultyPage = page.get<FacultyPage>("FrameMain(0)");
        QSignalSpy change(facultyPage, &FacultyPage::changeUserClicked);
        QSignalSpy next(facultyPage, &FacultyPage::nextClicked);
        QTest::mouseClick(page.get<QPushButton>("F1CmdChange"), Qt::LeftButton);
        QCOMPARE(change.count(), 1);
        QVERIFY(page.pick(page.fac(), QStringLiteral("คณะอักษรศาสตร์")));
        QTest::mouseClick(page.next(), Qt::LeftButton);
        QCOMPARE(next.count(), 1);
        QCOMPARE(page.get<FacultyPage>("FrameMain(0)")->SelUName(), Chula);
    }

    void namesWithQuotesFindTheirRows()
    {
        ProgramFolder folder(false);
        QVERIFY(WriteRuleDb(folder.file(QStringLiteral("ScoreRule.mdb")),
                            {QStringLiteral("INSERT INTO SUName VALUES ('King''s College', 'Arts', '0001'), "
                                            "('King''s College', 'Dean''s School', '0002'), "
                                            "('O''Neil Institute', 'Law', '0003')")}));
        Page1 page(folder);
        QVERIFY(page.start());
        QCOMPARE(Items(page.univer()), QStringList({QStringLiteral("King's College"), QStringLiteral("O'Neil Institute")}));
        QCOMPARE(Items(page.fac()), QStringList({QStringLiteral("Arts"), QStringLiteral("Dean's School")}));

        QVERIFY(page.pick(page.fac(), QStringLiteral("Dean's School")));
        QCOMPARE(page.header(), QStringList({QStringLiteral("0002"), QStringLiteral("Dean's School"), QStringLiteral("King's College")}));

        QVERIFY(page.pick(page.univer(), QStringLiteral("O'Neil Institute")));
        QCOMPARE(Items(page.fac()), QStringList{QStringLiteral("Law")});

        page.typeCode(QStringLiteral("2"));
        page.leaveBox(QStringLiteral("button"));
        QCOMPARE(page.header(), QStringList({QStringLiteral("0002"), QStringLiteral("Dean's School"), QStringLiteral("King's College")}));
        QCOMPARE(Items(page.fac()), QStringList({QStringLiteral("Arts"), QStringLiteral("Dean's School")}));
        QVERIFY(page.messages.texts.isEmpty());
    }

    void theFacultyCountStopsAtItsLargestValue()
    {
        ProgramFolder folder(false);
        // 40000 faculties, a hundred to a university.
        QVERIFY(WriteRuleDb(folder.file(QStringLiteral("ScoreRule.mdb")),
                            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                                            "INSERT INTO SUName SELECT 'U' || ((i - 1) / 100), 'F' || i, printf('%04d', i) FROM n")}));
        Page1 page(folder);
        QVERIFY(page.start());
        QCOMPARE(int(page.get<FacultyPage>("FrameMain(0)")->FacCount()), 32767);
        QCOMPARE(page.univer()->count(), 400);

        page.typeCode(QStringLiteral("9999"));
        page.leaveBox(QStringLiteral("button"));
        QCOMPARE(page.header(), QStringList({QStringLiteral("9999"), QStringLiteral("F9999"), QStringLiteral("U99")}));

        page.typeCode(QStringLiteral("abc"));
        page.leaveBox(QStringLiteral("button"));
        QCOMPARE(page.messages.texts, QStringList{QStringLiteral("รหัสคณะมีค่าตั้งแต่ 0001 ถึง 32767")});
    }
};

QTEST_MAIN(TestFacultyPage)
#include "test_facultypage.moc"
