// Page 1 through the real main window: the lists, the code box with its check
// and message, the header strip, Next and the two modes. Expected lists and
// counts are read from the bundled database apart from the program's own layer.
#include "programdriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <sqlite3.h>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString Chula = QStringLiteral("จุฬาลงกรณ์มหาวิทยาลัย");
const QString Thammasat = QStringLiteral("มหาวิทยาลัยธรรมศาสตร์");
const QString Mahidol = QStringLiteral("มหาวิทยาลัยมหิดล");
const QString Arts = QStringLiteral("คณะอักษรศาสตร์");
const QString IntlCollege = QStringLiteral("วิทยาลัยนานาชาติ (Int'l College)");
const QStringList NoHeader{QString(), QString(), QString()};

QStringList Column(const ProgramFolder& folder, const QString& sql)
{
    QStringList values;
    sqlite3* db = nullptr;
    const QByteArray path = folder.file(QStringLiteral("ScoreRule.mdb")).toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return values;
}

QStringList FacultiesOf(const ProgramFolder& folder, QString university)
{
    university.replace(QLatin1Char('\''), QStringLiteral("''"));
    return Column(folder, QStringLiteral("SELECT FacName FROM SUName WHERE UName='%1' ORDER BY FacCode").arg(university));
}

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

struct Page1 : Program {
    using Program::Program;
    QComboBox* univer() const { return get<QComboBox>(QStringLiteral("F1ComboUniver")); }
    QComboBox* fac() const { return get<QComboBox>(QStringLiteral("F1ComboFac")); }
    QLineEdit* box() const { return get<QLineEdit>(QStringLiteral("F1TxtFacID")); }
    QWidget* next() const { return get(QStringLiteral("F1CmdNext")); }
    QStringList header() const { return texts("LabelFacID LabelFacName LabelUname"); }
    // The lists, the code box, its button and Next.
    QList<bool> enabled() const
    {
        return {univer()->isEnabled(), fac()->isEnabled(), box()->isEnabled(),
                get(QStringLiteral("F1CmdOkFac"))->isEnabled(), next()->isEnabled()};
    }
    void mode(const char* option) const
    {
        auto* o = get<QRadioButton>(QString::fromLatin1(option));
        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2));  // on the round mark
    }

    // Opens the list by its arrow and clicks the item, as a user picks.
    bool pick(QComboBox* combo, const QString& item) const
    {
        const int index = combo->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 8, combo->height() / 2));
        QAbstractItemView* view = combo->view();
        if (index < 0 || !QTest::qWaitForWindowExposed(view->window()))
            return false;
        const QModelIndex at = view->model()->index(index, 0);
        view->scrollTo(at);
        // The list ignores a click without a move onto the item first.
        const QPoint centre = view->visualRect(at).center();
        QTest::mouseMove(view->viewport(), QPoint(1, 1));
        QTest::mouseMove(view->viewport(), centre);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        return !view->window()->isVisible() && combo->currentText() == item;
    }
};

}  // namespace

class TestFacultyPage : public QObject {
    Q_OBJECT
private slots:
    void startState()
    {
        ProgramFolder folder;
        Page1 p(folder);
        QVERIFY(p.start());
        QVERIFY(p.messages.texts.isEmpty());
        QCOMPARE(Items(p.univer()),
                 Column(folder, QStringLiteral("SELECT UName FROM SUName GROUP BY UName ORDER BY MIN(FacCode)")));
        QCOMPARE(p.univer()->currentText(), Chula);
        QCOMPARE(Items(p.fac()), FacultiesOf(folder, Chula));
        QCOMPARE(p.fac()->currentText(), QString());
        QCOMPARE(p.header(), NoHeader);
        QCOMPARE(p.enabled(), (QList<bool>{true, true, false, false, false}));
    }

    void choosingAFaculty_data()
    {
        QTest::addColumn<QString>("typed");  // empty: picked from the lists
        QTest::addColumn<int>("key");           // the key that leaves the box; 0: its button
        QTest::addColumn<QStringList>("header");  // code, faculty, university
        const QStringList arts{QStringLiteral("0007"), Arts, Chula};
        const QStringList law{QStringLiteral("0018"), QStringLiteral("คณะนิติศาสตร์"), Thammasat};
        const QStringList intl{QStringLiteral("0037"), IntlCollege, Mahidol};
        QTest::newRow("picked, name with a quote") << QString() << 0 << intl;
        QTest::newRow("7 by the button") << QStringLiteral("7") << 0 << arts;
        QTest::newRow("18 by Tab") << QStringLiteral("18") << int(Qt::Key_Tab) << law;
        QTest::newRow("12.6 rounds up") << QStringLiteral("12.6") << 0 << QStringList{QStringLiteral("0013"), QStringLiteral("คณะครุศาสตร์"), Chula};
        QTest::newRow("0037 by Enter, name with a quote") << QStringLiteral("0037") << int(Qt::Key_Return) << intl;
    }

    void choosingAFaculty()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QStringList, header);
        ProgramFolder folder;
        Page1 p(folder);
        QVERIFY(p.start());
        if (typed.isEmpty()) {
            QVERIFY(p.pick(p.univer(), header[2]));
            QVERIFY(p.pick(p.fac(), header[1]));
        } else {
            p.chooseFaculty(typed, key);
        }
        QCOMPARE(p.messages.texts, QStringList{});
        QCOMPARE(p.header(), header);
        QCOMPARE((QStringList{p.box()->text(), p.fac()->currentText(), p.univer()->currentText()}), header);
        QCOMPARE(Items(p.fac()), FacultiesOf(folder, header[2]));
        QVERIFY(p.next()->isEnabled());
    }

    void aCodeWithoutAFacultyIsRefused_data()
    {
        QTest::addColumn<QString>("typed");  // "+1": one above the count
        QTest::addColumn<int>("key");        // the key that leaves the box; 0: its button
        QTest::addColumn<bool>("message");
        const int enter = Qt::Key_Return;
        QTest::newRow("0000") << QStringLiteral("0000") << 0 << true;
        QTest::newRow("abc") << QStringLiteral("abc") << int(Qt::Key_Tab) << true;
        QTest::newRow("one above the count") << QStringLiteral("+1") << 0 << true;
        QTest::newRow("12ab by the button") << QStringLiteral("12ab") << 0 << true;
        QTest::newRow("12ab by Enter") << QStringLiteral("12ab") << enter << true;
        QTest::newRow("empty, silently") << QString() << 0 << false;
        QTest::newRow("empty by Enter, silently") << QString() << enter << false;
    }

    void aCodeWithoutAFacultyIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(bool, message);
        ProgramFolder folder;
        const int count = Column(folder, QStringLiteral("SELECT COUNT(*) FROM SUName")).value(0).toInt();
        Page1 p(folder);
        QVERIFY(p.start());
        // A faculty chosen first, so the refusal has something to take back.
        p.chooseFaculty(QStringLiteral("7"), 0);
        QVERIFY(p.next()->isEnabled());
        p.chooseFaculty(typed == QLatin1String("+1") ? QString::number(count + 1) : typed, key);
        const QString range = QStringLiteral("รหัสคณะมีค่าตั้งแต่ 0001 ถึง ") + QString::number(count);
        QCOMPARE(p.messages.texts, message ? QStringList{range} : QStringList{});
        QCOMPARE(p.box()->text(), QString());
        if (message || key == Qt::Key_Return)
            QCOMPARE(p.focusName(), QStringLiteral("F1TxtFacID"));
        QVERIFY(!p.next()->isEnabled());
        QCOMPARE(p.header(), NoHeader);
    }

    void switchingModesKeepsTheChoiceAndANewUniversityEmptiesIt()
    {
        ProgramFolder folder;
        Page1 p(folder);
        QVERIFY(p.start());
        QVERIFY(p.pick(p.fac(), Arts));
        const QStringList chosen{QStringLiteral("0007"), Arts, Chula};
        for (const bool useCode : {true, false}) {
            p.mode(useCode ? "OptUseID" : "OptNoUseID");
            QCOMPARE(p.get<QRadioButton>(QStringLiteral("OptUseID"))->isChecked(), useCode);
            QCOMPARE(p.enabled(), (QList<bool>{!useCode, !useCode, useCode, useCode, true}));
            QCOMPARE(p.header(), chosen);
            QCOMPARE((QStringList{p.box()->text(), p.fac()->currentText(), p.univer()->currentText()}), chosen);
        }
        QVERIFY(p.pick(p.univer(), Thammasat));
        QCOMPARE(p.fac()->currentText(), QString());
        QCOMPARE(Items(p.fac()), FacultiesOf(folder, Thammasat));
        QCOMPARE(p.box()->text(), QString());
        QCOMPARE(p.header(), NoHeader);
        QVERIFY(!p.next()->isEnabled());
        QVERIFY(p.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestFacultyPage)
#include "test_facultypage.moc"
