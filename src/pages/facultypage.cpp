#include "facultypage.h"

#include "captionlabel.h"
#include "colours.h"
#include "controls.h"
#include "entrybox.h"
#include "messageservice.h"
#include "numtext.h"
#include "qtext.h"
#include "rulenames.h"
#include "samplestrip.h"
#include "session.h"
#include "thaifonts.h"
#include "twips.h"
#include "yeartext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <limits>

namespace tamrik {
namespace {

// The page's queries; what they select by goes in as the parameter ?1 (and ?2).
constexpr char Q1AllRows[] = "SELECT * FROM SUName;";
constexpr char Q2FacultiesOf[] = "SELECT FacName,FacCode,UName FROM SUName WHERE UName=?1;";
constexpr char Q3CodeOf[] = "SELECT FacCode,FacName,UName FROM SUName WHERE UName=?1 AND FacName=?2 LIMIT 1;";
constexpr char Q4FacultyByCode[] = "SELECT UName,FacName,FacCode FROM SUName WHERE FacCode=?1 LIMIT 1;";
constexpr char Q5FacultiesOf[] = "SELECT FacName,FacCode,Uname FROM SUName WHERE UName=?1;";

// A name or code of SUName; a null one is a fault of the data, named with
// its file and column.
std::string NameText(const ruledb::RuleDatabase& db, const ruledb::QueryResult& rows, const char* column)
{
    const ruledb::DbValue value = rows.field(column);
    if (value.isNull())
        throw ruledb::DbError("ค่า " + std::string(column) + " ในตาราง SUName ของฐานข้อมูล \"" + db.path()
                              + "\" ว่าง (Null)");
    return value.toText();
}

QString NameOf(const ruledb::RuleDatabase& db, const ruledb::QueryResult& rows, const char* column)
{
    return toQString(NameText(db, rows, column));
}

QComboBox* MakeListCombo(QWidget* parent, const QString& name, const QRect& twips)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // The edit field only shows a choice; typing never adds to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    setGeometryTwips(combo, twips);
    return combo;
}

// Puts a text in a combo's edit field, with the list pointing at the item of
// that text when there is one. Needed after filling the list too: Qt selects
// the first item added to an empty list.
void ShowInEditField(QComboBox* combo, const QString& text)
{
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo->setEditText(text);
}

QString YearLineText(const std::string& year)
{
    return QStringLiteral("รหัสคณะเป็นข้อมูลของการสอบคัดเลือกประจำปีการศึกษา ") + toQString(year);
}

QString OutOfRangeText(std::int16_t facCount)
{
    return QStringLiteral("รหัสคณะมีค่าตั้งแต่ 0001 ถึง ") + QString::number(facCount);
}

}  // namespace

FacultyPage::FacultyPage(Session& session, const HeaderLabels& header, QWidget* parent)
    : QFrame(parent), m_session(session), m_header(header)
{
    buildControls();

    connect(m_F1ComboUniver, &QComboBox::activated, this, [this] { F1ComboUniver_Click(); });
    connect(m_F1ComboFac, &QComboBox::activated, this, [this] { F1ComboFac_Click(); });
    connect(m_F1TxtFacID, &QLineEdit::textChanged, this, &FacultyPage::F1TxtFacID_Change);
    connect(m_F1TxtFacID, &EntryBox::gotFocus, this, &FacultyPage::F1TxtFacID_GotFocus);
    connect(m_F1TxtFacID, &EntryBox::keyTyped, this, &FacultyPage::F1TxtFacID_KeyPress);
    connect(m_F1TxtFacID, &EntryBox::lostFocus, this, &FacultyPage::F1TxtFacID_LostFocus);
    connect(m_header.LabelFacID, &CaptionLabel::captionChanged, this, &FacultyPage::LabelFacID_Change);
    connect(m_OptUseID, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            setCodeMode(true);
    });
    connect(m_OptNoUseID, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            setCodeMode(false);
    });
    // F1CmdOkFac needs no handler: taking the focus from the code box runs the check.
    connect(m_F1CmdNext, &QPushButton::clicked, this, &FacultyPage::nextClicked);
    connect(m_F1CmdChange, &QPushButton::clicked, this, &FacultyPage::changeUserClicked);
}

void FacultyPage::buildControls()
{
    QLabel* title = makeLabel(this, arrayName(QStringLiteral("F1Label"), 3),
                              QStringLiteral("เลือกมหาวิทยาลัยและคณะ หรือใส่รหัสคณะ"), QRect(240, 120, 8400, 600));
    title->setFont(sansFont(18));
    m_F1Label4 = makeLabel(this, arrayName(QStringLiteral("F1Label"), 4), YearLineText(kDefaultAdmissionYear),
                           QRect(240, 780, 8400, 330));
    // Under the code controls, beside the emblem; shown over sample data only.
    m_F1LabelSampleNotice = makeSampleStrip(this, QStringLiteral("F1LabelSampleNotice"), QRect(240, 4320, 6360, 660));
    m_F1LabelSampleNotice->hide();

    m_Frame8 = makeFrame(this, QStringLiteral("Frame8"), QStringLiteral("รูปแบบการเลือกคณะ"),
                         QRect(240, 1230, 6360, 855));
    m_OptNoUseID = new QRadioButton(QStringLiteral("ไม่ใช้รหัสคณะ"), m_Frame8);
    m_OptNoUseID->setObjectName(QStringLiteral("OptNoUseID"));
    setGeometryTwips(m_OptNoUseID, 240, 375, 2880, 375);
    m_OptUseID = new QRadioButton(QStringLiteral("ใช้รหัสคณะ"), m_Frame8);
    m_OptUseID->setObjectName(QStringLiteral("OptUseID"));
    setGeometryTwips(m_OptUseID, 3360, 375, 2880, 375);
    m_OptNoUseID->setChecked(true);

    m_Frame7 = makePlainFrame(this, QStringLiteral("Frame7"), QRect(240, 2310, 6360, 1035));
    makeLabel(m_Frame7, arrayName(QStringLiteral("F1Label"), 0), QStringLiteral("มหาวิทยาลัย"),
              QRect(0, 60, 1140, 330));
    m_F1ComboUniver = MakeListCombo(m_Frame7, QStringLiteral("F1ComboUniver"), QRect(1200, 0, 5160, 435));
    makeLabel(m_Frame7, arrayName(QStringLiteral("F1Label"), 1), QStringLiteral("คณะ"), QRect(0, 660, 1140, 330));
    m_F1ComboFac = MakeListCombo(m_Frame7, QStringLiteral("F1ComboFac"), QRect(1200, 600, 5160, 435));

    m_Frame2 = makePlainFrame(this, QStringLiteral("Frame2"), QRect(240, 3570, 6360, 495));
    makeLabel(m_Frame2, arrayName(QStringLiteral("F1Label"), 2), QStringLiteral("รหัสคณะ"),
              QRect(0, 90, 1140, 330));
    m_F1TxtFacID = makeEntryBox(m_Frame2, QStringLiteral("F1TxtFacID"), QRect(1200, 30, 1080, 435), 4);
    m_F1CmdOkFac = makeButton(m_Frame2, QStringLiteral("F1CmdOkFac"), QStringLiteral("ใช้รหัสนี้"),
                              QRect(2520, 0, 1695, 495));

    m_F1CmdChange = makeButton(this, QStringLiteral("F1CmdChange"), QStringLiteral("เปลี่ยนผู้ใช้"),
                               QRect(9240, 5640, 1935, 495));
    m_F1CmdNext = makeButton(this, QStringLiteral("F1CmdNext"), QStringLiteral("หน้าต่อไป"),
                             QRect(9240, 6240, 1935, 495));
    m_F1CmdNext->setEnabled(false);

    setTabOrder(m_F1ComboUniver, m_F1ComboFac);
    setTabOrder(m_F1ComboFac, m_F1TxtFacID);
    setTabOrder(m_F1TxtFacID, m_F1CmdNext);
    setTabOrder(m_F1CmdNext, m_F1CmdChange);
    setTabOrder(m_F1CmdChange, m_F1CmdOkFac);
    setTabOrder(m_F1CmdOkFac, m_OptNoUseID);
    setTabOrder(m_OptNoUseID, m_OptUseID);

    setCodeMode(false);
}

void FacultyPage::fillAtStartup()
{
    const ruledb::RuleDatabase& db = m_session.ruleDb();
    ruledb::QueryResult rows;
    db.OpenQuery(Q1AllRows, rows);
    // The rows of one university stand together: a name is new when it
    // differs from the row before.
    std::string previous;
    m_FacCount = 0;
    m_F1ComboUniver->clear();
    if (rows.EOF_())
        throw ruledb::DbError("ตาราง SUName ในฐานข้อมูล \"" + db.path() + "\" ไม่มีแถวข้อมูล จึงไม่มีคณะให้เลือก");
    for (; !rows.EOF_(); rows.MoveNext()) {
        std::string uname = NameText(db, rows, kUName);
        if (uname != previous) {
            previous = std::move(uname);
            m_F1ComboUniver->addItem(QString::fromStdString(previous));
        }
        // The count is 16-bit: a table too large for it stops counting at
        // the largest value instead of wrapping to a negative one.
        if (m_FacCount < std::numeric_limits<std::int16_t>::max())
            ++m_FacCount;
    }

    rows.MoveFirst();
    m_SelUName = NameOf(db, rows, kUName);
    ShowInEditField(m_F1ComboUniver, m_SelUName);
    m_header.LabelUname->setCaption(QString());
    m_F1ComboFac->clear();
    addFacultyNames(Q2FacultiesOf, m_F1ComboUniver->currentText());
    ShowInEditField(m_F1ComboFac, QString());
    m_F1Label4->setText(YearLineText(m_session.admissionYear()));
    m_F1LabelSampleNotice->setVisible(m_session.sampleData());
    // The university list leads the page's tab order: the user starts there.
    m_F1ComboUniver->setFocus();
}

QString FacultyPage::facIdText() const { return m_F1TxtFacID->text(); }

void FacultyPage::addFacultyNames(const char* sql, const QString& university)
{
    ruledb::QueryResult rows;
    m_session.ruleDb().OpenQuery(sql, {university.toStdString()}, rows);
    for (; !rows.EOF_(); rows.MoveNext())
        m_F1ComboFac->addItem(NameOf(m_session.ruleDb(), rows, kFacName));
}

void FacultyPage::F1ComboUniver_Click()
{
    const QString university = m_F1ComboUniver->currentText();
    if (university.isEmpty())
        return;
    try {
        m_SelUName = university;
        m_header.LabelUname->setCaption(QString());
        m_F1ComboFac->clear();
        addFacultyNames(Q2FacultiesOf, university);
        ShowInEditField(m_F1ComboFac, QString());
        m_header.LabelFacName->setCaption(QString());
        m_F1TxtFacID->clear();
        m_header.LabelFacID->setCaption(QString());
    } catch (const ruledb::DbError&) {
        // A list pick the database cannot answer ends quietly; what it
        // already did stays.
    }
}

void FacultyPage::F1ComboFac_Click()
{
    const QString faculty = m_F1ComboFac->currentText();
    if (faculty.isEmpty())
        return;
    try {
        m_SelFacName = faculty;
        const QString university = m_F1ComboUniver->currentText();
        ruledb::QueryResult rows;
        m_session.ruleDb().OpenQuery(Q3CodeOf, {university.toStdString(), faculty.toStdString()}, rows);
        m_SelFacCode = NameText(m_session.ruleDb(), rows, kFacCode);
        // The box first: its change empties the header, which is then filled.
        m_F1TxtFacID->setText(QString::fromStdString(m_SelFacCode));
        m_header.LabelFacID->setCaption(QString::fromStdString(m_SelFacCode));
        m_header.LabelFacName->setCaption(faculty);
        m_header.LabelUname->setCaption(university);
    } catch (const ruledb::DbError&) {
        // As for the university list: end quietly.
    }
}

void FacultyPage::F1TxtFacID_Change()
{
    m_header.LabelFacID->setCaption(QString());
    m_header.LabelFacName->setCaption(QString());
    m_header.LabelUname->setCaption(QString());
}

void FacultyPage::F1TxtFacID_GotFocus() { m_F1TxtFacID->setSelection(0, 4); }

void FacultyPage::F1TxtFacID_KeyPress(int characterCode)
{
    if (characterCode != 13)
        return;
    // Next takes the focus so that the code check runs as the box is left.
    m_F1CmdNext->setEnabled(true);
    m_F1CmdNext->setFocus(Qt::OtherFocusReason);
    // Next was enabled only to take the focus: when the check chose no
    // faculty (an empty box) it must not stay usable.
    if (m_header.LabelFacID->text().isEmpty()) {
        if (m_F1TxtFacID->isEnabled())
            m_F1TxtFacID->setFocus(Qt::OtherFocusReason);
        m_F1CmdNext->setEnabled(false);
    }
}

void FacultyPage::F1TxtFacID_LostFocus()
{
    const std::string text = m_F1TxtFacID->text().toStdString();
    const double value = Val(text);
    try {
        // A leading number in range still needs its row: "12ab" keeps its
        // letters through the formatting and finds none.
        if (value > 0 && value <= m_FacCount && showFacultyByCode(formatText(text, "0000")))
            return;
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
        return;
    }
    if (!text.empty())
        rejectCode();
}

bool FacultyPage::chooseFacultyByCode(const std::string& code)
{
    try {
        return showFacultyByCode(code);
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
        return false;
    }
}

bool FacultyPage::showFacultyByCode(const std::string& code)
{
    ruledb::QueryResult rows;
    m_session.ruleDb().OpenQuery(Q4FacultyByCode, {code}, rows);
    if (rows.EOF_())
        return false;
    const QString university = NameOf(m_session.ruleDb(), rows, kUName);
    const QString faculty = NameOf(m_session.ruleDb(), rows, kFacName);

    m_SelFacCode = code;
    m_F1TxtFacID->setText(QString::fromStdString(code));
    m_header.LabelFacID->setCaption(QString::fromStdString(code));
    m_SelUName = university;
    ShowInEditField(m_F1ComboUniver, university);
    m_header.LabelUname->setCaption(university);
    m_SelFacName = faculty;
    m_F1ComboFac->clear();
    addFacultyNames(Q5FacultiesOf, university);
    ShowInEditField(m_F1ComboFac, faculty);
    m_header.LabelFacName->setCaption(faculty);
    return true;
}

void FacultyPage::rejectCode()
{
    m_session.messages().show(OutOfRangeText(m_FacCount));
    m_F1CmdNext->setEnabled(false);
    m_F1TxtFacID->clear();
    m_F1TxtFacID->takeFocusBack();
}

void FacultyPage::LabelFacID_Change(const QString& caption) { m_F1CmdNext->setEnabled(!caption.isEmpty()); }

void FacultyPage::setCodeMode(bool useCode)
{
    const QColor& listColour = useCode ? Colour::Grey : Colour::White;
    const QColor& codeColour = useCode ? Colour::White : Colour::Grey;
    for (QComboBox* combo : {m_F1ComboUniver, m_F1ComboFac}) {
        combo->setEnabled(!useCode);
        setBackground(combo, listColour);
    }
    m_F1TxtFacID->setEnabled(useCode);
    setBackground(m_F1TxtFacID, codeColour);
    m_F1CmdOkFac->setEnabled(useCode);
}

}  // namespace tamrik
