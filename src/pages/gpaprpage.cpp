#include "gpaprpage.h"

#include "captionoverlay.h"
#include "colours.h"
#include "controls.h"
#include "digitsvalidator.h"
#include "entrybox.h"
#include "messageservice.h"
#include "numtext.h"
#include "qtext.h"
#include "ruletables.h"
#include "scoringparams.h"
#include "session.h"
#include "thaifonts.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace tamrik {
namespace {

// Per box, in the order of GpaPrPage::Box.
const int TypedLength[] = {1, 2, 2, 2};
const char* const InitialText[] = {"0", "00", "00", "00"};
// Keys typed before the focus moves on by itself.
const int KeysBeforeMove[] = {1, 2, 2, 2};

// The year is the range table's, which param.opt names.
QString NoteText(const QString& year)
{
    return QStringLiteral("** หมายเหตุ ข้อมูล x เฉลี่ย และ SD เป็นข้อมูลที่ได้จากการคัดเลือก ประจำปีการศึกษา %1    ดังนั้น "
                          "ข้อมูลที่ใช้จริง อาจมีการเปลี่ยนแปลง")
        .arg(year);
}
// Two lines of Thai with their marks above and below need more than the
// 495 twips a narrower face would.
constexpr int NoteHeight = 570;

// One entry row (GPA or PR) inside its frame: caption, integer box, point,
// decimal box, earned points and full points under the column headings.
struct EntryRow {
    EntryBox* integer;
    EntryBox* decimals;
    QLabel* earned;
    QLabel* full;
};

EntryRow MakeEntryRow(QWidget* frame, const QString& captionName, const QString& caption, const QString& boxArray,
                      int pointIndex, const QString& earnedName, int fullIndex)
{
    QLabel* rowCaption = makeLabel(frame, captionName, caption, QRect(1200, 360, 855, 420), Qt::AlignLeft | Qt::AlignVCenter);
    rowCaption->setFont(sansFont(12, true));
    EntryRow row{};
    row.integer = makeEntryBox(frame, arrayName(boxArray, 0), QRect(2160, 360, 495, 420), 2);
    row.integer->setAlignment(Qt::AlignRight);
    QLabel* point = makeLabel(frame, arrayName(QStringLiteral("Label4"), pointIndex), QStringLiteral("."),
                              QRect(2640, 240, 120, 540), Qt::AlignHCenter | Qt::AlignBottom);
    point->setFont(sansFont(18, true));
    row.decimals = makeEntryBox(frame, arrayName(boxArray, 1), QRect(2760, 360, 495, 420), 2);
    row.decimals->setAlignment(Qt::AlignLeft);
    row.earned = makeLabel(frame, earnedName, QStringLiteral("0.00"), QRect(5760, 360, 1575, 420), Qt::AlignCenter);
    row.full = makeLabel(frame, arrayName(QStringLiteral("Label_maxGpaPr"), fullIndex), QStringLiteral("0.00"),
                         QRect(8280, 360, 1575, 420), Qt::AlignCenter);
    for (QLabel* figure : {row.earned, row.full})
        figure->setFont(sansFont(12));
    for (EntryBox* box : {row.integer, row.decimals})
        box->setFont(sansFont(12));
    return row;
}

}  // namespace

GpaPrPage::GpaPrPage(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    buildControls();
    for (int box = 0; box < BoxCount; ++box) {
        m_box[box]->setMaxLength(TypedLength[box]);
        // Digits only: a point or a letter typed where a digit belongs would
        // put every later key in the wrong box.
        m_box[box]->setValidator(new DigitsValidator(m_box[box]));
        m_box[box]->setText(QString::fromLatin1(InitialText[box]));
        const Box which = static_cast<Box>(box);
        connect(m_box[box], &EntryBox::gotFocus, this, [this, which] { Box_GotFocus(which); });
        connect(m_box[box], &EntryBox::keyTyped, this, [this, which](int code) { Box_KeyPress(which, code); });
        connect(m_box[box], &EntryBox::lostFocus, this, [this, which] { Box_LostFocus(which); });
        connect(m_box[box], &QLineEdit::textChanged, this,
                box < PrInteger ? &GpaPrPage::recomputeGpa : &GpaPrPage::recomputePr);
    }
    resetTabOrder();

    connect(m_F3CmdBack, &QPushButton::clicked, this, [this] {
        storeDigits();
        m_session.SaveEntriesFile();
        emit backClicked();
    });
    connect(m_F3CmdNext, &QPushButton::clicked, this, [this] {
        // No summary over GPA points the database could not give: try once
        // more, and stay (with the message) while it still fails.
        if (!m_gpaFault.isEmpty()) {
            m_gpaFault.clear();
            recomputeGpa();
            if (!m_gpaFault.isEmpty())
                return;
        }
        storeDigits();
        emit nextClicked();
    });
}

void GpaPrPage::buildControls()
{
    QLabel* title = makeLabel(this, arrayName(QStringLiteral("LabelHead"), 0), QStringLiteral("GPA และ PR"),
                              QRect(240, 360, 5535, 735));
    title->setFont(pageTitleFont());

    const QRect headingPlaces[] = {QRect(8520, 1200, 1575, 420), QRect(6000, 1200, 1575, 420)};
    const QString headings[] = {QStringLiteral("คะแนนเต็ม"), QStringLiteral("คะแนน 5%")};
    for (int i = 0; i < 2; ++i) {
        QLabel* heading = makeLabel(this, arrayName(QStringLiteral("Label3"), i + 1), headings[i], headingPlaces[i],
                                    Qt::AlignCenter);
        setBackground(heading, Colour::Grey);
    }

    makeLabel(this, arrayName(QStringLiteral("Label5"), 2), QStringLiteral("กรุณาใส่ค่า GPA"), QRect(240, 1320, 4800, 330));
    QGroupBox* frame1 = makeFrame(this, QStringLiteral("Frame1"), QString(), QRect(240, 1680, 10695, 1095));
    const EntryRow gpa = MakeEntryRow(frame1, QStringLiteral("Label11"), QStringLiteral("GPA"),
                                      QStringLiteral("F3Text_GPA"), 2, QStringLiteral("Label_gpa_sc"), 0);

    makeLabel(this, arrayName(QStringLiteral("F3LabelAdd"), 0), QStringLiteral("x เฉลี่ย:  "), QRect(240, 2880, 1080, 315),
              Qt::AlignRight | Qt::AlignTop);
    m_F3LabelMeanGPA = makeLabel(this, QStringLiteral("F3LabelMeanGPA"), QString(), QRect(1440, 2880, 2280, 315));
    makeLabel(this, arrayName(QStringLiteral("F3LabelAdd"), 1), QStringLiteral("SD :  "), QRect(3840, 2880, 600, 315),
              Qt::AlignRight | Qt::AlignTop);
    m_F3LabelSD = makeLabel(this, QStringLiteral("F3LabelSD"), QString(), QRect(4440, 2880, 2280, 315));

    m_F3LabelMeanGgpSdComment =
        makeLabel(this, QStringLiteral("F3LabelMeanGgpSdComment"), NoteText(QString::fromLatin1(kDefaultAdmissionYear)),
                  QRect(240, 3240, 5655, NoteHeight));
    m_F3LabelMeanGgpSdComment->setFont(sansFont(8.25));
    setBackground(m_F3LabelMeanGgpSdComment, Colour::LightYellow);
    m_F4LabelYearMaxMin1 = makeLabel(this, arrayName(QStringLiteral("F4LabelYearMaxMin"), 1), QString(),
                                     QRect(240, 3240, 495, 255));
    m_F4LabelYearMaxMin1->setFont(m_F3LabelMeanGgpSdComment->font());
    m_F4LabelYearMaxMin1->setWordWrap(false);
    setBackground(m_F4LabelYearMaxMin1, Colour::LightYellow);
    m_F4LabelYearMaxMin1->hide();

    makeLabel(this, arrayName(QStringLiteral("Label5"), 1), QStringLiteral("กรุณาใส่ค่า PR"), QRect(240, 4080, 4800, 330));
    QGroupBox* frame3 = makeFrame(this, QStringLiteral("Frame3"), QString(), QRect(240, 4440, 10695, 975));
    const EntryRow pr = MakeEntryRow(frame3, QStringLiteral("Label7"), QStringLiteral("PR"), QStringLiteral("F3Text_PR"),
                                     0, QStringLiteral("Label_pr_sc"), 1);

    m_box = {gpa.integer, gpa.decimals, pr.integer, pr.decimals};
    m_Label_gpa_sc = gpa.earned;
    m_Label_pr_sc = pr.earned;
    m_Label_maxGpaPr = {gpa.full, pr.full};

    m_F3CmdBack = makeButton(this, QStringLiteral("F3CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    m_F3CmdNext = makeButton(this, QStringLiteral("F3CmdNext"), QStringLiteral("หน้าต่อไป"), QRect(9240, 6240, 1935, 495));
}

void GpaPrPage::EnterGpaPrPage(float scorePerPercent)
{
    // Set first: the refilled boxes recompute their points with it.
    m_ScorePerPercent = scorePerPercent;
    m_gpaFault.clear();
    resetTabOrder();

    const ScoringParams& params = m_session.params();
    m_F3LabelMeanGPA->setText(toQString(params.ParamMeanGpa));
    m_F3LabelSD->setText(toQString(params.ParamSD));
    m_F3LabelMeanGgpSdComment->setText(NoteText(NoteYear()));

    const UserEntries& entries = m_session.entries();
    if (const auto gpa = gpaBoxesFromDigits(entries.GpaDigits)) {
        setBoxText(GpaInteger, gpa->integer);
        setBoxText(GpaDecimals, gpa->decimals);
    }
    if (const auto pr = prBoxesFromDigits(entries.PrDigits)) {
        setBoxText(PrInteger, pr->integer);
        setBoxText(PrDecimals, pr->decimals);
    }

    m_Label_gpa_sc->setText(QStringLiteral("0.00"));
    m_Label_pr_sc->setText(QStringLiteral("0.00"));
    const QString full = toQString(fullShareText(scorePerPercent));
    for (QLabel* label : m_Label_maxGpaPr)
        label->setText(full);

    // Out of range, the live recomputation has already left the points at 0.
    if (const auto points = gpaPointsNow()) {
        m_GpaScore = *points;
        m_Label_gpa_sc->setText(toQString(Format(m_GpaScore, "0.00")));
    }
    if (!m_gpaFault.isEmpty())
        m_Label_gpa_sc->setText(QString());
    if (const auto points = prPointsNow()) {
        m_PrScore = *points;
        m_Label_pr_sc->setText(toQString(Format(m_PrScore, "00.00")));
    }

    // With remembered digits the user is more likely to go on than to retype.
    if (Val(entries.GpaDigits) != 0 || Val(entries.PrDigits) != 0) {
        m_tabs.give(m_F3CmdNext, 0);
        m_tabs.give(m_F3CmdBack, 1);
    }
    m_session.SaveEntriesFile();
}

void GpaPrPage::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    m_keyCount.fill(0);
    m_tabs.focusFirstUnlessWithin(this);
}

void GpaPrPage::resetBoxes()
{
    for (int box = 0; box < BoxCount; ++box)
        setBoxText(static_cast<Box>(box), InitialText[box]);
}

void GpaPrPage::showRememberedGpa()
{
    const BoxTexts gpa = splitGpaDigits(m_session.entries().GpaDigits);
    setBoxText(GpaInteger, gpa.integer);
    setBoxText(GpaDecimals, gpa.decimals);
}

void GpaPrPage::showRememberedPr()
{
    const BoxTexts pr = splitPrDigits(m_session.entries().PrDigits);
    setBoxText(PrInteger, pr.integer);
    setBoxText(PrDecimals, pr.decimals);
}

void GpaPrPage::showParams()
{
    const ScoringParams& params = m_session.params();
    m_F3LabelMeanGPA->setText(toQString(params.ParamMeanGpa));
    m_F3LabelSD->setText(toQString(params.ParamSD));
    const QString year = NoteYear();
    m_F3LabelMeanGgpSdComment->setText(NoteText(year));
    showOverCaptionPart(m_F4LabelYearMaxMin1, m_F3LabelMeanGgpSdComment, year, year);
}

QString GpaPrPage::NoteYear() const { return toQString(yearText(m_session.params().ParamDbMaxMin)); }

QString GpaPrPage::GpaFullText() const { return m_Label_maxGpaPr[0]->text(); }
QString GpaPrPage::PrFullText() const { return m_Label_maxGpaPr[1]->text(); }

void GpaPrPage::storeDigits()
{
    UserEntries& entries = m_session.entries();
    entries.GpaDigits = (m_box[GpaInteger]->text() + m_box[GpaDecimals]->text()).toStdString();
    entries.PrDigits = (m_box[PrInteger]->text() + m_box[PrDecimals]->text()).toStdString();
}

void GpaPrPage::resetTabOrder()
{
    m_tabs = TabSequence({m_box[0], m_box[1], m_box[2], m_box[3], m_F3CmdNext, m_F3CmdBack});
}

void GpaPrPage::Box_GotFocus(Box box)
{
    // Typing then replaces what the box holds, and the same keys always land
    // in the same boxes, however the focus came here.
    m_box[box]->setSelection(0, 2);
    m_keyCount[box] = 0;
}

void GpaPrPage::Box_KeyPress(Box box, int characterCode)
{
    // The box has already taken the character, if it was a digit; the focus
    // moves after it.
    QWidget* next = box == PrDecimals ? static_cast<QWidget*>(m_F3CmdNext) : m_box[box + 1];
    const bool integerBox = box == GpaInteger || box == PrInteger;
    const bool point = characterCode == '.' || characterCode == ',';
    if ((characterCode == 13 && box != GpaInteger) || (point && integerBox)) {
        next->setFocus();
        return;
    }
    // Keys that enter nothing are not counted; Backspace and Enter are.
    const bool digit = characterCode >= '0' && characterCode <= '9';
    if ((digit || characterCode == 8 || characterCode == 13) && ++m_keyCount[box] == KeysBeforeMove[box])
        next->setFocus();
}

void GpaPrPage::Box_LostFocus(Box box)
{
    const bool isGpa = box == GpaInteger || box == GpaDecimals;
    const BoxPart part = box == GpaInteger || box == PrInteger ? BoxPart::Integer : BoxPart::Decimals;
    const LeaveResult left = isGpa ? leaveGpaBox(part, gpaTexts()) : leavePrBox(part, prTexts());
    const Box integer = isGpa ? GpaInteger : PrInteger;
    setBoxText(integer, left.boxes.integer);
    setBoxText(static_cast<Box>(integer + 1), left.boxes.decimals);
    if (left.message) {
        m_session.messages().show(toQString(*left.message));
        m_box[box]->clear();
        m_box[box]->takeFocusBack();
    }
}

void GpaPrPage::recomputeGpa()
{
    m_GpaScore = gpaPointsNow().value_or(0);
    // A fault shows no figure rather than a 0 that looks earned.
    m_Label_gpa_sc->setText(m_gpaFault.isEmpty() ? toQString(Format(m_GpaScore, "0.00")) : QString());
}

void GpaPrPage::recomputePr()
{
    m_PrScore = prPointsNow().value_or(0);
    m_Label_pr_sc->setText(toQString(Format(m_PrScore, "0.00")));
}

BoxTexts GpaPrPage::gpaTexts() const
{
    return {m_box[GpaInteger]->text().toStdString(), m_box[GpaDecimals]->text().toStdString()};
}

BoxTexts GpaPrPage::prTexts() const
{
    return {m_box[PrInteger]->text().toStdString(), m_box[PrDecimals]->text().toStdString()};
}

void GpaPrPage::setBoxText(Box box, const std::string& text)
{
    // The typed length only limits typing: a longer text from the program
    // (remembered digits) stands whole until it is edited down again.
    EntryBox* target = m_box[box];
    const QString value = toQString(text);
    // Setting the maximum length resets the cursor and selection even when
    // nothing changes, and this may be the box that has just got the focus.
    const int maxLength = std::max(TypedLength[box], static_cast<int>(value.size()));
    if (target->maxLength() != maxLength)
        target->setMaxLength(maxLength);
    if (target->text() != value)
        target->setText(value);
}

std::optional<double> GpaPrPage::gpaPointsNow()
{
    const ScoringParams& params = m_session.params();
    const Session& session = m_session;
    try {
        const auto points =
            gpaPoints(boxValue(gpaTexts()), m_ScorePerPercent, params.ParamMeanGpa, params.ParamSD,
                      [&session](const std::string& key) { return ruledb::lookupProb(session.ruleDb(), key); });
        m_gpaFault.clear();
        return points;
    } catch (const ruledb::DbError& error) {
        // Told when the fault starts, not again on every keystroke after it.
        const bool starts = m_gpaFault.isEmpty();
        m_gpaFault = QStringLiteral("คำนวณคะแนนจาก GPA ไม่ได้: ") + QString::fromUtf8(error.what());
        if (starts)
            m_session.messages().show(m_gpaFault);
        return std::nullopt;
    }
}

std::optional<double> GpaPrPage::prPointsNow() const { return prPoints(boxValue(prTexts()), m_ScorePerPercent); }

}  // namespace tamrik
