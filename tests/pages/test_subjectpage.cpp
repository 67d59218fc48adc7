// Page 2 driven through the real main window: the faculty chosen on page 1 by
// its code, the rows laid out for the bundled data's kinds of faculty, the
// score boxes with their live subtotals, the check with Next and Back, and a
// rule database broken on purpose.
#include "colours.h"
#include "controls.h"
#include "entrybox.h"
#include "frmtamrik.h"
#include "programfolder.h"
#include "recordingmessages.h"
#include "subjectpage.h"
#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <sqlite3.h>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString RangeMessage = QStringLiteral(" คะแนนต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 100 ");
const QString Rule0102Message = QStringLiteral("  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ");

QString N(const char* base, int index) { return ArrayName(QString::fromLatin1(base), index); }
QString M(int row) { return N("Text_SC_main", row); }
QString S(int row) { return N("Text_sp_sc", row); }

// The entries file as a run that ended abnormally leaves it; "04=72.5" puts
// 72.5 in the slot of subject 04.
void WriteEntries(const ProgramFolder& folder, const QStringList& scores)
{
    QStringList lines(51, QStringLiteral("-1"));
    for (const QString& score : scores)
        lines[score.section(QLatin1Char('='), 0, 0).toInt() - 1] = score.section(QLatin1Char('='), 1);
    lines << QStringLiteral("000") << QStringLiteral("0000");
    folder.write(QStringLiteral("TamrikTemp.tmp"), (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

bool ChangeRuleDb(const ProgramFolder& folder, const QString& sql)
{
    sqlite3* db = nullptr;
    const QByteArray path = folder.file(QStringLiteral("ScoreRule.mdb")).toUtf8();
    bool ok = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QString Caption(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return QString();
}

// The main window over a program folder, shown and active, driven as a user.
struct Program {
    explicit Program(const ProgramFolder& folder) : window(folder.path(), folder.fallback(), messages) {}

    bool start()
    {
        if (!window.Load())
            return false;
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    template <typename T = QWidget>
    T* get(const QString& name) const
    {
        return Find<T>(&window, name);
    }
    QString text(const QString& name) const { return Caption(get(name)); }
    EntryBox* box(const QString& name) const { return get<EntryBox>(name); }
    SubjectPage* page() const { return get<SubjectPage>(QStringLiteral("FrameMain(1)")); }
    bool changeUserEnabled() const { return get<QAction>(QStringLiteral("submnuOption(0)"))->isEnabled(); }
    static QString focusName()
    {
        const QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }
    void click(const QString& name) const { QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton); }

    // Page 1 in code mode: the code typed and confirmed with Enter.
    void chooseFaculty(const QString& code) const
    {
        auto* option = get<QRadioButton>(QStringLiteral("OptUseID"));
        // On the round mark: the option's text ends well before its right edge.
        if (!option->isChecked())
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        auto* box = get<EntryBox>(QStringLiteral("F1TxtFacID"));
        type(box, code);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void open(const QString& code) const
    {
        chooseFaculty(code);
        click(QStringLiteral("F1CmdNext"));
    }
    // Clicks into the box and types over its text.
    static void type(QLineEdit* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    // Every control of page 2 as the user would see it.
    QStringList pageSnapshot() const
    {
        QStringList snapshot;
        for (const QWidget* w : page()->findChildren<QWidget*>()) {
            const QRect g = GeometryTwips(w);
            snapshot << QStringLiteral("%1|%2|%3|%4,%5|%6").arg(w->objectName(), Caption(w)).arg(w->isHidden())
                            .arg(g.left()).arg(g.top()).arg(Background(w).name());
        }
        return snapshot;
    }

    RecordingMessages messages;
    FrmTamrik window;
};

}  // namespace

class TestSubjectPage : public QObject {
    Q_OBJECT
private slots:
    void fixedControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<qreal>("points");
        auto row = [](const char* name, const char* caption, QRect place, qreal points) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << place << points;
        };
        row("Label4(3)", "ใส่คะแนนวิชาหลักและวิชาเฉพาะ", {120, 120, 5535, 375}, 18);
        row("Frame_MAIN_subj", "วิชาหลัก", {120, 600, 5055, 5415}, 9.75);
        row("FrameSpecSUBJ", "วิชาเฉพาะ", {5280, 600, 5775, 3735}, 9.75);
        row("F2CmdBack", "ย้อนกลับ", {7200, 6240, 1935, 495}, 9.75);
        row("F2CmdNext", "หน้าต่อไป", {9240, 6240, 1935, 495}, 9.75);
        row("Label12(2)", "รหัสวิชา", {120, 240, 615, 255}, 9.75);
        row("Label12(1)", "ชื่อวิชา", {840, 240, 2295, 255}, 9.75);
        row("Label9(1)", "คะแนน", {3240, 240, 735, 255}, 9.75);
        row("Label2", "เกณฑ์ขั้นต่ำ", {4080, 240, 855, 255}, 9.75);
        row("Label1", "ค่าน้ำหนัก", {360, 3840, 2055, 375}, 14.25);
        row("Label_WMain", "", {2520, 3840, 2415, 375}, 14.25);
        row("Label5(0)", "คะแนนเต็มวิชาหลัก", {240, 4440, 2175, 375}, 14.25);
        row("Label_MaxMain", "", {2520, 4440, 2415, 375}, 14.25);
        row("Label3(0)", "คะแนนที่ได้", {240, 4920, 2175, 375}, 14.25);
        row("Label_main_total_sc", "0", {2520, 4920, 2415, 375}, 14.25);
        row("Label12(3)", "รหัสวิชา", {120, 240, 615, 255}, 9.75);
        row("Label12(0)", "ชื่อวิชา", {840, 240, 2175, 255}, 9.75);
        row("Label9(0)", "คะแนน", {3120, 240, 735, 255}, 9.75);
        row("Label6", "เกณฑ์ขั้นต่ำ", {3960, 240, 855, 255}, 9.75);
        row("Label10", "ค่าน้ำหนัก", {4920, 240, 735, 255}, 9.75);
        row("Label4(1)", "คะแนนเต็มวิชาเฉพาะ", {480, 2640, 2415, 375}, 14.25);
        row("Label_MaxSP", "", {3120, 2640, 2415, 375}, 14.25);
        row("Label8", "คะแนนที่ได้", {840, 3120, 2055, 375}, 14.25);
        row("Label_spec_total_sc", "0", {3120, 3120, 2415, 375}, 14.25);
        row("F2LabelSign6174", "}", {4800, 480, 135, 975}, 36);
        row("F2LabelWsign", "", {4920, 1680, 735, 255}, 9.75);
        row("Label_Con(0)", "", {120, 360, 5535, 255}, 9.75);
        row("Label_Con(1)", "", {120, 600, 5535, 735}, 9.75);
        row("Label_Con(2)", "", {120, 1320, 5535, 255}, 9.75);
        row("Text_SC_main(0)", "", {3240, 240, 735, 375}, 9.75);
        row("Label_main_min(0)", "0", {4080, 240, 855, 255}, 9.75);
        row("Text_sp_sc(0)", "", {3120, 240, 735, 315}, 9.75);
        row("Label_spec_min(0)", "0", {3960, 240, 855, 255}, 9.75);
        row("Label_spec_W(0)", "0", {4920, 240, 735, 255}, 9.75);
    }

    void fixedControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        QFETCH(qreal, points);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        const QWidget* w = p.get(name);
        QCOMPARE(Caption(w), caption);
        QCOMPARE(GeometryTwips(w), place);
        QCOMPARE(w->font().pointSizeF(), points);
    }

    void colours()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        QCOMPARE(TextColour(p.get(QStringLiteral("Label_main_total_sc"))), Colour::DarkRed);
        QCOMPARE(TextColour(p.get(QStringLiteral("Label_spec_total_sc"))), Colour::DarkRed);
        QCOMPARE(Background(p.get(QStringLiteral("Label_Con(0)"))), QColor(255, 192, 128));
        QCOMPARE(Background(p.get(QStringLiteral("Label_Con(1)"))), QColor(255, 224, 192));
        QCOMPARE(Background(p.get(QStringLiteral("Label_Con(2)"))), QColor(255, 255, 192));
        QCOMPARE(Background(p.box(M(3))), Colour::White);
        QCOMPARE(p.box(M(3))->maxLength(), 6);
        QCOMPARE(p.box(S(2))->maxLength(), 6);
        QCOMPARE(p.get(QStringLiteral("F2LabelSign6174"))->font().family(), QStringLiteral("Times New Roman"));
    }

    void rowPlaces_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("mainTops");
        QTest::addColumn<QList<int>>("specTops");
        QTest::addColumn<int>("braceTop");  // 0: no brace
        QTest::addColumn<int>("weightTop");
        QTest::addColumn<int>("condTop");
        QTest::newRow("0002 seven main, no special")
            << QStringLiteral("0002") << QList<int>{665, 1090, 1515, 1940, 2365, 2790, 3215} << QList<int>{} << 0 << 0 << 600;
        QTest::newRow("0013 four main, one special")
            << QStringLiteral("0013") << QList<int>{665, 1090, 1515, 1940} << QList<int>{605} << 0 << 0 << 4320;
        QTest::newRow("0059 pair on rows 1-2")
            << QStringLiteral("0059") << QList<int>{665, 1090, 1515, 1940} << QList<int>{605, 970} << 495 << 855 << 4320;
        QTest::newRow("0067 pair on rows 1-2 and a third special")
            << QStringLiteral("0067") << QList<int>{665, 1090, 1515} << QList<int>{605, 970, 1335} << 495 << 855 << 4320;
        QTest::newRow("0015 pair on rows 2-3")
            << QStringLiteral("0015") << QList<int>{665, 1090, 1515} << QList<int>{605, 970, 1335} << 870 << 1230 << 4320;
    }

    void rowPlaces()
    {
        QFETCH(QString, code);
        QFETCH(QList<int>, mainTops);
        QFETCH(QList<int>, specTops);
        QFETCH(int, braceTop);
        QFETCH(int, weightTop);
        QFETCH(int, condTop);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(code);
        QVERIFY(p.messages.texts.isEmpty());
        QCOMPARE(p.window.CurrentPage(), 2);
        QVERIFY(!p.changeUserEnabled());
        QCOMPARE(p.page()->NextMainRow(), mainTops.size() + 1);
        QCOMPARE(p.page()->NextSpecRow(), specTops.size() + 1);

        for (int r = 1; r < 8; ++r) {
            const bool used = r <= mainTops.size();
            QCOMPARE(p.box(M(r))->isVisible(), used);
            QCOMPARE(p.get(N("Label_SubID", r))->isVisible(), used);
            if (!used)
                continue;
            const int top = mainTops[r - 1];
            QCOMPARE(GeometryTwips(p.box(M(r))), QRect(3240, top, 735, 375));
            QCOMPARE(GeometryTwips(p.get(N("Label_SubID", r))), QRect(120, top + 10, 615, 255));
            QCOMPARE(GeometryTwips(p.get(N("Label_NAME_SUBJ", r))), QRect(840, top + 10, 2295, 315));
            QCOMPARE(GeometryTwips(p.get(N("Label_main_min", r))), QRect(4080, top + 10, 855, 255));
        }
        for (int r = 1; r < 4; ++r) {
            const bool used = r <= specTops.size();
            QCOMPARE(p.box(S(r))->isVisible(), used);
            QCOMPARE(p.get(N("Label_name_sp", r))->isVisible(), used);
            if (!used)
                continue;
            const int top = specTops[r - 1];
            QCOMPARE(GeometryTwips(p.box(S(r))), QRect(3120, top, 735, 315));
            QCOMPARE(GeometryTwips(p.get(N("Label_SubjID_Sp", r))), QRect(120, top + 10, 615, 255));
            QCOMPARE(GeometryTwips(p.get(N("Label_name_sp", r))), QRect(840, top + 10, 2175, 315));
            QCOMPARE(GeometryTwips(p.get(N("Label_spec_min", r))), QRect(3960, top + 10, 855, 255));
            QCOMPARE(GeometryTwips(p.get(N("Label_spec_W", r))), QRect(4920, top + 10, 735, 255));
        }
        // The template rows never show.
        for (const QString& name : {M(0), S(0), N("Label_SubID", 0), N("Label_NAME_SUBJ", 0), N("Label_SubjID_Sp", 0)})
            QVERIFY2(p.get(name)->isHidden(), qPrintable(name));

        QCOMPARE(p.get(QStringLiteral("F2LabelSign6174"))->isVisible(), braceTop != 0);
        QCOMPARE(p.get(QStringLiteral("F2LabelWsign"))->isVisible(), braceTop != 0);
        if (braceTop != 0) {
            QCOMPARE(GeometryTwips(p.get(QStringLiteral("F2LabelSign6174"))), QRect(4800, braceTop, 135, 975));
            QCOMPARE(GeometryTwips(p.get(QStringLiteral("F2LabelWsign"))), QRect(4920, weightTop, 735, 255));
        }
        QCOMPARE(p.get(QStringLiteral("FrameSpecSUBJ"))->isVisible(), !specTops.isEmpty());
        QCOMPARE(GeometryTwips(p.get(QStringLiteral("FrameCond"))), QRect(5280, condTop, 5775, 1695));
    }

    void ruleCaptions_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("mainRows");  // code, name, minimum
        QTest::addColumn<QStringList>("specRows");  // code, name, minimum, weight ("-" hidden)
        QTest::addColumn<QStringList>("summary");   // WMain, MaxMain, MaxSP, pair weight
        QTest::addColumn<QStringList>("conditions");  // "-" for a hidden line
        QTest::addColumn<float>("scorePerPercent");
        const QString calc = QStringLiteral("วิชาที่ใช้คำนวณคะแนน คือ ");
        const QStringList mains4{QStringLiteral("01 ภาษาไทย 0"), QStringLiteral("02 สังคมศึกษา 0"),
                                 QStringLiteral("03 ภาษาอังกฤษ 0"), QStringLiteral("04 คณิตศาสตร์ 1 0")};
        QTest::newRow("0002 seven main, criteria")
            << QStringLiteral("0002")
            << (mains4.mid(0, 3) + QStringList{QStringLiteral("04 คณิตศาสตร์ 1 30"), QStringLiteral("07 ฟิสิกส์ 0"),
                                               QStringLiteral("08 เคมี 0"), QStringLiteral("09 ชีววิทยา 30")})
            << QStringList{} << QStringList{QStringLiteral("90"), QStringLiteral("700.00"), QStringLiteral("00.00"), QString()}
            << QStringList{QStringLiteral("-"), QStringLiteral("วิชา 04 ต้องมากกว่า 30 %; วิชา 09 ต้องมากกว่า 30 %; "),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 07 ; 08 ; 09 ; ")}
            << 7.7777777f;
        QTest::newRow("0008 the 01+02 rule")
            << QStringLiteral("0008") << mains4 << QStringList{}
            << QStringList{QStringLiteral("90"), QStringLiteral("400.00"), QStringLiteral("00.00"), QString()}
            << QStringList{QStringLiteral("วิชา 01 และ 02 คะแนนรวมต้องมากกว่า 30% "), QStringLiteral("-"),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; ")}
            << 4.4444447f;
        QTest::newRow("0001 criterion 25.5, main weight rounded up")
            << QStringLiteral("0001")
            << (mains4.mid(0, 3) + QStringList{QStringLiteral("04 คณิตศาสตร์ 1 30"), QStringLiteral("07 ฟิสิกส์ 25.5"),
                                               QStringLiteral("08 เคมี 0")})
            << QStringList{QStringLiteral("42 ความถนัดทางวิศวกรรม 0 23")}
            << QStringList{QStringLiteral("68"), QStringLiteral("600.00"), QStringLiteral("194.12"), QString()}
            << QStringList{QStringLiteral("-"), QStringLiteral("วิชา 04 ต้องมากกว่า 30 %; วิชา 07 ต้องมากกว่า 25.5 %; "),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 07 ; 08 ; 42 ; ")}
            << 8.8235294f;
        QTest::newRow("0013 criteria on main and special")
            << QStringLiteral("0013") << (mains4.mid(0, 3) + QStringList{QStringLiteral("04 คณิตศาสตร์ 1 30")})
            << QStringList{QStringLiteral("41 ความถนัดทางวิชาชีพครู 20 30")}
            << QStringList{QStringLiteral("60"), QStringLiteral("400.00"), QStringLiteral("200.00"), QString()}
            << QStringList{QStringLiteral("-"), QStringLiteral("วิชา 04 ต้องมากกว่า 30 %; วิชา 41 ต้องมากกว่า 20 %; "),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 41 ; ")}
            << 6.6666665f;
        QTest::newRow("0006 rounding carried forward")
            << QStringLiteral("0006") << mains4 << QStringList{QStringLiteral("43 ความถนัดทางสถาปัตยกรรม 20 39")}
            << QStringList{QStringLiteral("51"), QStringLiteral("400.00"), QStringLiteral("305.88"), QString()}
            << QStringList{QStringLiteral("-"), QStringLiteral("วิชา 43 ต้องมากกว่า 20 %; "),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 43 ; ")}
            << 7.8431373f;
        QTest::newRow("0059 pair on rows 1-2")
            << QStringLiteral("0059") << mains4
            << QStringList{QStringLiteral("45 ปฏิบัติดนตรีไทย 0 -"), QStringLiteral("46 ปฏิบัติดนตรีสากล 0 -")}
            << QStringList{QStringLiteral("60"), QStringLiteral("400.00"), QStringLiteral("200.00"), QStringLiteral("30.00")}
            << QStringList{QStringLiteral("-"), QStringLiteral("-"), calc + QStringLiteral("01 ; 02 ; 03 ; 04 ; 45 ; 46 ; ")}
            << 6.6666665f;
        QTest::newRow("0015 pair on rows 2-3")
            << QStringLiteral("0015") << mains4.mid(0, 3)
            << QStringList{QStringLiteral("47 ทฤษฎีดนตรี 0 15"), QStringLiteral("45 ปฏิบัติดนตรีไทย 0 -"),
                           QStringLiteral("46 ปฏิบัติดนตรีสากล 0 -")}
            << QStringList{QStringLiteral("45"), QStringLiteral("300.00"), QStringLiteral("300.00"), QStringLiteral("30.00")}
            << QStringList{QStringLiteral("-"), QStringLiteral("-"), calc + QStringLiteral("01 ; 02 ; 03 ; 47 ; 45 ; 46 ; ")}
            << 6.6666665f;
        QTest::newRow("0067 pair of entry 71, criterion on the third special")
            << QStringLiteral("0067") << mains4.mid(0, 3)
            << QStringList{QStringLiteral("48 ปฏิบัตินาฏศิลป์ไทย 0 -"), QStringLiteral("49 ปฏิบัตินาฏศิลป์สากล 0 -"),
                           QStringLiteral("50 ความถนัดทางการละคร 20 15")}
            << QStringList{QStringLiteral("45"), QStringLiteral("300.00"), QStringLiteral("300.00"), QStringLiteral("30.00")}
            << QStringList{QStringLiteral("-"), QStringLiteral("วิชา 50 ต้องมากกว่า 20 %; "),
                           calc + QStringLiteral("01 ; 02 ; 03 ; 50 ; 48 ; 49 ; ")}
            << 6.6666665f;
    }

    void ruleCaptions()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, mainRows);
        QFETCH(QStringList, specRows);
        QFETCH(QStringList, summary);
        QFETCH(QStringList, conditions);
        QFETCH(float, scorePerPercent);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(code);
        QCOMPARE(p.window.CurrentPage(), 2);

        QStringList shownMain;
        for (int r = 1; r < p.page()->NextMainRow(); ++r)
            shownMain << p.text(N("Label_SubID", r)) + QLatin1Char(' ') + p.text(N("Label_NAME_SUBJ", r)) +
                             QLatin1Char(' ') + p.text(N("Label_main_min", r));
        QCOMPARE(shownMain, mainRows);
        QStringList shownSpec;
        for (int r = 1; r < p.page()->NextSpecRow(); ++r) {
            const QWidget* weight = p.get(N("Label_spec_W", r));
            shownSpec << p.text(N("Label_SubjID_Sp", r)) + QLatin1Char(' ') + p.text(N("Label_name_sp", r)) +
                             QLatin1Char(' ') + p.text(N("Label_spec_min", r)) + QLatin1Char(' ') +
                             (weight->isVisible() ? Caption(weight) : QStringLiteral("-"));
            // A pair row keeps half the pair weight behind its hidden label.
            if (!weight->isVisible())
                QCOMPARE(Caption(weight), QStringLiteral("15.00"));
        }
        QCOMPARE(shownSpec, specRows);
        const QWidget* pairWeight = p.get(QStringLiteral("F2LabelWsign"));
        QCOMPARE((QStringList{p.text(QStringLiteral("Label_WMain")), p.text(QStringLiteral("Label_MaxMain")),
                              p.text(QStringLiteral("Label_MaxSP")),
                              pairWeight->isVisible() ? Caption(pairWeight) : QString()}),
                 summary);
        QStringList shownConditions;
        for (int i = 0; i < 3; ++i) {
            const QWidget* line = p.get(N("Label_Con", i));
            shownConditions << (line->isVisible() ? Caption(line) : QStringLiteral("-"));
        }
        QCOMPARE(shownConditions, conditions);
        QCOMPARE(p.page()->ScorePerPercent(), scorePerPercent);
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), QStringLiteral("0"));
        QCOMPARE(p.text(QStringLiteral("Label_spec_total_sc")), QStringLiteral("0"));
    }

    void aSecondLoadStartsFromTheTemplate()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0002"));
        Program::type(p.box(M(7)), QStringLiteral("85"));
        p.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(p.changeUserEnabled());

        p.open(QStringLiteral("0015"));
        QCOMPARE(p.page()->NextMainRow(), 4);
        QCOMPARE(p.page()->NextSpecRow(), 4);
        for (int r = 4; r < 8; ++r) {
            QVERIFY(p.box(M(r))->isHidden());
            QCOMPARE(p.box(M(r))->text(), QString());
            QCOMPARE(Background(p.box(M(r))), Colour::White);
            QCOMPARE(p.text(N("Label_main_min", r)), QStringLiteral("0"));
        }
        QCOMPARE(GeometryTwips(p.get(QStringLiteral("F2LabelSign6174"))).top(), 870);
        QCOMPARE(p.page()->CalcSubjCode()[7], std::string("-1"));

        p.click(QStringLiteral("F2CmdBack"));
        p.open(QStringLiteral("0059"));
        QCOMPARE(p.page()->NextSpecRow(), 3);
        QVERIFY(p.box(S(3))->isHidden());
        QCOMPARE(p.text(N("Label_spec_W", 3)), QStringLiteral("0"));
        QCOMPARE(GeometryTwips(p.get(QStringLiteral("F2LabelSign6174"))).top(), 495);
        QCOMPARE(GeometryTwips(p.box(M(1))).top(), 665);

        p.click(QStringLiteral("F2CmdBack"));
        p.open(QStringLiteral("0002"));
        QVERIFY(!p.get(QStringLiteral("F2LabelSign6174"))->isVisible());
        QVERIFY(!p.get(QStringLiteral("FrameSpecSUBJ"))->isVisible());
        QCOMPARE(GeometryTwips(p.get(QStringLiteral("FrameCond"))).top(), 600);
        QCOMPARE(p.page()->NextMainRow(), 8);
        QCOMPARE(p.page()->NextSpecRow(), 1);
        // Back remembered nothing: the 85 typed before is gone.
        QCOMPARE(p.box(M(7))->text(), QString());
        QVERIFY(p.messages.texts.isEmpty());
    }

    void restoredScoresAndTabOrder_data()
    {
        QTest::addColumn<QStringList>("remembered");
        QTest::addColumn<QStringList>("boxes");  // M1..M4, S1; "*" marks a pale yellow box
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QStringList>("totals");
        const QString next = QStringLiteral("F2CmdNext"), back = QStringLiteral("F2CmdBack");
        QTest::newRow("nothing remembered")
            << QStringList{} << QStringList{QString(), QString(), QString(), QString(), QString()}
            << QStringList{M(1), M(2), M(3), M(4), S(1), next, back} << QStringList{QStringLiteral("0"), QStringLiteral("0")};
        QTest::newRow("04 remembered")
            << QStringList{QStringLiteral("04=72.5")}
            << QStringList{QString(), QString(), QString(), QStringLiteral("72.50*"), QString()}
            << QStringList{M(1), M(2), M(3), S(1), next, back, M(4)}
            << QStringList{QStringLiteral("72.50"), QStringLiteral("0")};
        QTest::newRow("0 and -1 are no score; 41 remembered")
            << QStringList{QStringLiteral("01=0"), QStringLiteral("02=-1"), QStringLiteral("41=55")}
            << QStringList{QString(), QString(), QString(), QString(), QStringLiteral("55.00*")}
            << QStringList{M(1), M(2), M(3), M(4), next, back, S(1)}
            << QStringList{QStringLiteral("0"), QStringLiteral("110.00")};
        QTest::newRow("all remembered")
            << QStringList{QStringLiteral("01=50"), QStringLiteral("02=60"), QStringLiteral("03=70"),
                           QStringLiteral("04=80.25"), QStringLiteral("41=90")}
            << QStringList{QStringLiteral("50.00*"), QStringLiteral("60.00*"), QStringLiteral("70.00*"),
                           QStringLiteral("80.25*"), QStringLiteral("90.00*")}
            << QStringList{next, back, M(1), M(2), M(3), M(4), S(1)}
            << QStringList{QStringLiteral("260.25"), QStringLiteral("180.00")};
    }

    void restoredScoresAndTabOrder()
    {
        QFETCH(QStringList, remembered);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, tabs);
        QFETCH(QStringList, totals);
        ProgramFolder folder;
        WriteEntries(folder, remembered);
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        QCOMPARE(p.window.CurrentPage(), 2);

        QStringList shown;
        for (const QString& name : {M(1), M(2), M(3), M(4), S(1)}) {
            const EntryBox* box = p.box(name);
            const QColor colour = Background(box);
            QVERIFY(colour == Colour::White || colour == Colour::PaleYellow);
            shown << box->text() + (colour == Colour::PaleYellow ? QStringLiteral("*") : QString());
        }
        QCOMPARE(shown, boxes);
        QCOMPARE((QStringList{p.text(QStringLiteral("Label_main_total_sc")), p.text(QStringLiteral("Label_spec_total_sc"))}),
                 totals);

        // The page comes up on the first place of its tab order; Tab walks
        // the order and comes round to the start.
        QStringList walked{Program::focusName()};
        for (int i = 0; i < tabs.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << Program::focusName();
        }
        QCOMPARE(walked, tabs + QStringList{tabs.first()});
        QVERIFY(p.messages.texts.isEmpty());
    }

    void subtotalsFollowEveryKeystroke()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        auto totals = [&p] {
            return QStringList{p.text(QStringLiteral("Label_main_total_sc")), p.text(QStringLiteral("Label_spec_total_sc"))};
        };
        Program::type(p.box(M(1)), QStringLiteral("8"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("8.00"), QStringLiteral("0")}));
        QTest::keyClicks(p.box(M(1)), QStringLiteral("5"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("85.00"), QStringLiteral("0")}));
        QCOMPARE(p.page()->MainTotalScore(), 85.0);
        Program::type(p.box(M(4)), QStringLiteral("7.5"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("92.50"), QStringLiteral("0")}));
        // Weight 30 of 41, main weight 60 and full score 400: score x 2.
        Program::type(p.box(S(1)), QStringLiteral("7"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("92.50"), QStringLiteral("14.00")}));
        QTest::keyClicks(p.box(S(1)), QStringLiteral("5"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("92.50"), QStringLiteral("150.00")}));
        QCOMPARE(p.page()->SpecTotalScore(), 150.0);
        QTest::keyClick(p.box(S(1)), Qt::Key_Backspace);
        QCOMPARE(totals(), (QStringList{QStringLiteral("92.50"), QStringLiteral("14.00")}));
        // Leaving a box reformats it; the totals stay.
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("7.50"));
        QCOMPARE(p.page()->MainTotalScore(), 92.5);

        // Back empties the rows, and that is a change like typing.
        p.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(p.page()->MainTotalScore(), 0.0);
        QCOMPARE(p.page()->SpecTotalScore(), 0.0);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void runningMainTotalIsRoundedAtEachStep()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        // Typed into the first and the last counted box without leaving
        // either, so neither is reformatted: each partial sum is rounded
        // through the caption, the last score is added as it stands.
        QTest::keyClicks(p.box(M(1)), QStringLiteral("33.333"));
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), QStringLiteral("33.33"));
        QTest::keyClicks(p.box(M(4)), QStringLiteral("33.333"));
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), QStringLiteral("66.66"));
        QCOMPARE(p.page()->MainTotalScore(), 66.663);
        // A score on a row between them joins the rounded partial sums.
        QTest::keyClicks(p.box(M(2)), QStringLiteral("1"));
        QCOMPARE(p.page()->MainTotalScore(), 67.663);
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), QStringLiteral("67.66"));
    }

    void rangeCheckOnLeavingABox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<bool>("paleYellow");
        QTest::addColumn<QString>("total");
        auto row = [](const char* name, const char* typed, const char* shown, bool rejected, bool paleYellow,
                      const char* total) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(shown) << rejected << paleYellow
                                << QString::fromUtf8(total);
        };
        row("85", "85", "85.00", false, true, "85.00");
        row("100 is valid", "100", "100.00", false, true, "100.00");
        row("0 is valid", "0", "0.00", false, true, "0.00");
        row("empty", "", "", false, false, "0");
        row("not a number as a whole", "12abc", "12abc", false, true, "12.00");
        row("100.01", "100.01", "", true, false, "0.00");
        row("-1", "-1", "", true, false, "0.00");
        row("101", "101", "", true, false, "0.00");
    }

    void rangeCheckOnLeavingABox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, rejected);
        QFETCH(bool, paleYellow);
        QFETCH(QString, total);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        Program::type(p.box(M(2)), typed);
        QTest::keyClick(p.box(M(2)), Qt::Key_Tab);

        QCOMPARE(p.box(M(2))->text(), shown);
        QCOMPARE(Background(p.box(M(2))), paleYellow ? Colour::PaleYellow : Colour::White);
        QCOMPARE(p.messages.texts, rejected ? QStringList{RangeMessage} : QStringList{});
        QCOMPARE(Program::focusName(), rejected ? M(2) : M(3));
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), total);
    }

    void aRejectedScoreGivesOneMessageWhileOtherWindowsTakeTheFocus()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        // While the message is up a real window holds the focus, as a
        // message box does; closing it hands the focus back.
        p.messages.whileShown = [&p](const QString&) {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.close();
            p.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p.window));
        };
        Program::type(p.box(M(1)), QStringLiteral("101"));
        QTest::keyClick(p.box(M(1)), Qt::Key_Return);
        QCOMPARE(p.messages.texts, QStringList{RangeMessage});
        QCOMPARE(p.box(M(1))->text(), QString());
        QTRY_COMPARE(Program::focusName(), M(1));
        QCOMPARE(p.messages.texts.size(), 1);
    }

    void enterMovesOn_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("0013 main 1") << QStringLiteral("0013") << M(1) << M(2);
        QTest::newRow("0013 last main to first special") << QStringLiteral("0013") << M(4) << S(1);
        QTest::newRow("0013 last special to Next") << QStringLiteral("0013") << S(1) << QStringLiteral("F2CmdNext");
        QTest::newRow("0002 last main to Next") << QStringLiteral("0002") << M(7) << QStringLiteral("F2CmdNext");
        QTest::newRow("0015 special 1") << QStringLiteral("0015") << S(1) << S(2);
    }

    void enterMovesOn()
    {
        QFETCH(QString, code);
        QFETCH(QString, from);
        QFETCH(QString, to);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(code);
        Program::type(p.box(from), QStringLiteral("55"));
        QTest::keyClick(p.box(from), Qt::Key_Return);
        QCOMPARE(Program::focusName(), to);
        QCOMPARE(p.box(from)->text(), QStringLiteral("55.00"));
        // Enter on the last box does not press Next.
        QCOMPARE(p.window.CurrentPage(), 2);
        QVERIFY(p.messages.texts.isEmpty());
    }

    void boxLengthAndSelection()
    {
        ProgramFolder folder;
        WriteEntries(folder, {QStringLiteral("02=72.5")});
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        QTest::keyClicks(p.box(M(3)), QStringLiteral("1234567"));
        QCOMPARE(p.box(M(3))->text(), QStringLiteral("123456"));
        // Not a Tab: Qt's own select-all on Tab must not stand in for the page's.
        p.box(M(2))->setFocus(Qt::OtherFocusReason);
        QCOMPARE(p.box(M(2))->selectedText(), QStringLiteral("72.50"));
        QVERIFY(p.messages.texts.isEmpty());
    }

    void nextChecksTheMinimums_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("scores");  // "Text_SC_main(4)=10"
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("remembered");  // "04=10"
        QTest::addColumn<int>("page");
        QTest::newRow("01+02 exactly 30 %")
            << QStringLiteral("0008") << QStringList{M(1) + QStringLiteral("=30"), M(2) + QStringLiteral("=30")}
            << QStringList{} << QStringList{QStringLiteral("01=30"), QStringLiteral("02=30"), QStringLiteral("03=0")} << 3;
        QTest::newRow("01+02 below 30 %")
            << QStringLiteral("0008") << QStringList{M(1) + QStringLiteral("=29.99"), M(2) + QStringLiteral("=30")}
            << QStringList{Rule0102Message} << QStringList{QStringLiteral("01=29.99"), QStringLiteral("02=30")} << 1;
        QTest::newRow("no 01+02 rule")
            << QStringLiteral("0002")
            << QStringList{M(1) + QStringLiteral("=10"), M(2) + QStringLiteral("=10"), M(4) + QStringLiteral("=30"),
                           M(7) + QStringLiteral("=30")}
            << QStringList{} << QStringList{QStringLiteral("04=30"), QStringLiteral("09=30")} << 3;
        QTest::newRow("two main subjects fail")
            << QStringLiteral("0001") << QStringList{M(4) + QStringLiteral("=29.99"), M(5) + QStringLiteral("=25")}
            << QStringList{QStringLiteral("   วิชา 04 คณิตศาสตร์ 1 ไม่ผ่านเกณฑ์ขั้นต่ำ 30 % "),
                           QStringLiteral("   วิชา 07 ฟิสิกส์ ไม่ผ่านเกณฑ์ขั้นต่ำ 25.5 % ")}
            << QStringList{QStringLiteral("04=29.99"), QStringLiteral("07=25"), QStringLiteral("42=0")} << 1;
        QTest::newRow("main then special fail, empty boxes")
            << QStringLiteral("0013") << QStringList{M(1) + QStringLiteral("=85")}
            << QStringList{QStringLiteral("   วิชา 04 คณิตศาสตร์ 1 ไม่ผ่านเกณฑ์ขั้นต่ำ 30 % "),
                           QStringLiteral("   วิชา 41 ความถนัดทางวิชาชีพครู ไม่ผ่านเกณฑ์ขั้นต่ำ 20 % ")}
            << QStringList{QStringLiteral("01=85"), QStringLiteral("04=0"), QStringLiteral("41=0")} << 1;
        QTest::newRow("minimums met exactly")
            << QStringLiteral("0013") << QStringList{M(4) + QStringLiteral("=30"), S(1) + QStringLiteral("=20")}
            << QStringList{} << QStringList{QStringLiteral("04=30"), QStringLiteral("41=20")} << 3;
    }

    void nextChecksTheMinimums()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, scores);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, remembered);
        QFETCH(int, page);
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(code);
        const QString maxMain = p.text(QStringLiteral("Label_MaxMain"));
        const QString maxSP = p.text(QStringLiteral("Label_MaxSP"));
        for (const QString& score : scores)
            Program::type(p.box(score.section(QLatin1Char('='), 0, 0)), score.section(QLatin1Char('='), 1));
        p.click(QStringLiteral("F2CmdNext"));

        QCOMPARE(p.messages.texts, messages);
        QCOMPARE(p.window.CurrentPage(), page);
        QVERIFY(!p.changeUserEnabled());
        for (const QString& score : remembered) {
            const int slot = score.section(QLatin1Char('='), 0, 0).toInt() - 1;
            QCOMPARE(QString::fromStdString(p.window.session().entries().ScoreByCode[slot]),
                     score.section(QLatin1Char('='), 1));
        }
        if (page == 1) {
            QVERIFY(p.box(M(1))->isHidden());
            QVERIFY(p.get(N("Label_SubID", 1))->isHidden());
            QCOMPARE(p.box(M(1))->text(), QString());
        } else {
            QCOMPARE(p.page()->MainMaxText(), maxMain);
            QCOMPARE(p.page()->SpecMaxText(), maxSP);
        }
    }

    void afterAFailedCheckNextBringsTheScoresBack()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        Program::type(p.box(M(1)), QStringLiteral("85"));
        Program::type(p.box(M(2)), QStringLiteral("0"));
        Program::type(p.box(M(4)), QStringLiteral("10"));
        Program::type(p.box(S(1)), QStringLiteral("72.5"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.messages.texts.size(), 1);
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(!p.changeUserEnabled());

        p.click(QStringLiteral("F1CmdNext"));
        QCOMPARE(p.window.CurrentPage(), 2);
        QCOMPARE(p.box(M(1))->text(), QStringLiteral("85.00"));
        QCOMPARE(p.box(M(2))->text(), QString());
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("10.00"));
        QCOMPARE(p.box(S(1))->text(), QStringLiteral("72.50"));
        QCOMPARE(Background(p.box(S(1))), Colour::PaleYellow);
        QCOMPARE(Background(p.box(M(2))), Colour::White);
        QCOMPARE(p.text(QStringLiteral("Label_main_total_sc")), QStringLiteral("95.00"));
        QCOMPARE(p.text(QStringLiteral("Label_spec_total_sc")), QStringLiteral("145.00"));
    }

    void backForgetsWhatWasTypedSinceTheLastNext()
    {
        ProgramFolder folder;
        WriteEntries(folder, {QStringLiteral("04=72.5")});
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0013"));
        Program::type(p.box(M(4)), QStringLiteral("90"));
        Program::type(p.box(M(1)), QStringLiteral("40"));
        p.click(QStringLiteral("F2CmdBack"));
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QCOMPARE(p.window.session().entries().ScoreByCode[3], std::string("72.5"));
        QCOMPARE(p.window.session().entries().ScoreByCode[0], std::string("-1"));
        QVERIFY(p.box(M(4))->isHidden());

        p.click(QStringLiteral("F1CmdNext"));
        QCOMPARE(p.box(M(4))->text(), QStringLiteral("72.50"));
        QCOMPARE(p.box(M(1))->text(), QString());
    }

    void aBrokenRuleStaysOnPageOne_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("named");
        QTest::newRow("no Table12 row") << QStringLiteral("0013")
            << QStringLiteral("DELETE FROM Table12 WHERE FacCode='0013'") << QStringLiteral("Table12");
        QTest::newRow("no tableCRT row") << QStringLiteral("0013")
            << QStringLiteral("DELETE FROM tableCRT WHERE FacCode='0013'") << QStringLiteral("tableCRT");
        QTest::newRow("null TotSco") << QStringLiteral("0013")
            << QStringLiteral("UPDATE tableSUM SET TotSco=NULL WHERE FacCode='0013'") << QStringLiteral("TotSco");
        QTest::newRow("TotSco 0") << QStringLiteral("0013")
            << QStringLiteral("UPDATE tableSUM SET TotSco=0 WHERE FacCode='0013'") << QStringLiteral("TotSco");
        QTest::newRow("eight main subjects") << QStringLiteral("0013")
            << QStringLiteral("UPDATE Facsubj SET NumSubj=8, Sub5='05', Sub6='06', Sub7='07', Sub8='08' WHERE FacCode='0013'")
            << QStringLiteral("วิชาหลักเกิน 7");
        QTest::newRow("subject code 52") << QStringLiteral("0013")
            << QStringLiteral("INSERT INTO SubjectTable (SubCod, SubName, SubTyp) VALUES ('52', 'x', 1);"
                              "UPDATE Facsubj SET Sub5='52' WHERE FacCode='0013'")
            << QStringLiteral("52");
        QTest::newRow("subject without its row") << QStringLiteral("0013")
            << QStringLiteral("DELETE FROM SubjectTable WHERE SubCod='41'") << QStringLiteral("41");
        QTest::newRow("pair without its tb6174 row") << QStringLiteral("0059")
            << QStringLiteral("DELETE FROM tb6174 WHERE FacCode='0059'") << QStringLiteral("tb6174");
    }

    void aBrokenRuleStaysOnPageOne()
    {
        QFETCH(QString, code);
        QFETCH(QString, sql);
        QFETCH(QString, named);
        ProgramFolder folder;
        QVERIFY(ChangeRuleDb(folder, sql));
        WriteEntries(folder, {QStringLiteral("04=72.5")});
        Program p(folder);
        QVERIFY(p.start());
        p.open(QStringLiteral("0002"));
        p.click(QStringLiteral("F2CmdBack"));
        const QStringList before = p.pageSnapshot();

        p.open(code);
        QCOMPARE(p.messages.texts.size(), 1);
        QVERIFY2(p.messages.texts.first().contains(code) && p.messages.texts.first().contains(named),
                 qPrintable(p.messages.texts.first()));
        QCOMPARE(p.window.CurrentPage(), 1);
        QVERIFY(p.changeUserEnabled());
        QCOMPARE(p.text(QStringLiteral("LabelFacID")), code);
        QCOMPARE(p.text(QStringLiteral("F1TxtFacID")), code);
        QVERIFY(p.get(QStringLiteral("F1CmdNext"))->isEnabled());
        QCOMPARE(p.window.session().entries().ScoreByCode[3], std::string("72.5"));
        QCOMPARE(p.pageSnapshot(), before);
        QCOMPARE(p.page()->NextMainRow(), 8);
    }
};

QTEST_MAIN(TestSubjectPage)
#include "test_subjectpage.moc"
