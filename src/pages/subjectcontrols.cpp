#include "subjectcontrols.h"

#include "colours.h"
#include "controls.h"
#include "entrybox.h"
#include "fittedcaption.h"
#include "thaifonts.h"
#include "titledframe.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

constexpr qreal RowPoints = 9.75;
constexpr qreal SummaryPoints = 14.25;
constexpr qreal HeadingPoints = 18;
constexpr qreal BracePoints = 36;

constexpr int TemplateTop = 240;  // row 0 sits on the heading line
constexpr int LabelHeight = 255;
// Subject names need the Thai face's whole line: in 255 twips the vowels
// below the line are cut off. Codes and numbers keep the normal height.
constexpr int NameHeight = 315;
constexpr int MainBoxHeight = 375;
constexpr int SpecBoxHeight = 315;
constexpr int ScoreMaxLength = 6;  // "100.00"

const Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;
const Qt::Alignment LeftTop = Qt::AlignLeft | Qt::AlignTop;

QLabel* Label(QWidget* parent, const QString& name, const QString& caption, const QRect& twips, qreal points,
              Qt::Alignment alignment = LeftTop)
{
    QLabel* label = makeLabel(parent, name, caption, twips, alignment);
    label->setWordWrap(false);
    label->setFont(sansFont(points));
    fitCaptionWhenShown(label);
    return label;
}

QLabel* RowLabel(QWidget* parent, const QString& base, int row, int left, int width,
                 Qt::Alignment alignment = LeftTop, int height = LabelHeight)
{
    QLabel* label = Label(parent, arrayName(base, row), QString(), QRect(left, TemplateTop, width, height),
                          RowPoints, alignment);
    label->hide();
    return label;
}

EntryBox* RowBox(QWidget* parent, const QString& base, int row, int left, int height)
{
    EntryBox* box = makeEntryBox(parent, arrayName(base, row), QRect(left, TemplateTop, 735, height), ScoreMaxLength);
    box->setFont(sansFont(RowPoints));
    setBackground(box, Colour::White);
    box->hide();
    return box;
}

QGroupBox* Frame(QWidget* parent, const QString& name, const QString& caption, const QRect& twips)
{
    // The caption sits on the border; the toolkit's own look puts it above
    // and runs the border through the column headings.
    auto* frame = new TitledFrame(caption, {9, 3, 3}, parent);
    frame->setObjectName(name);
    frame->setFont(sansFont(RowPoints));
    setGeometryTwips(frame, twips);
    return frame;
}

void Heading(QWidget* parent, const QString& name, const QString& caption, int left, int width)
{
    Label(parent, name, caption, QRect(left, TemplateTop, width, LabelHeight), RowPoints, Centred);
}

void Separator(QWidget* parent, const QString& name, const QRect& twips)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    setGeometryTwips(line, twips);
}

QLabel* Total(QWidget* parent, const QString& name, const QRect& twips)
{
    QLabel* total = Label(parent, name, QStringLiteral("0"), twips, SummaryPoints);
    setTextColour(total, Colour::DarkRed);
    return total;
}

void BuildMainBlock(SubjectControls& c)
{
    QWidget* f = c.Frame_MAIN_subj;
    Heading(f, arrayName(QStringLiteral("Label12"), 2), QStringLiteral("รหัสวิชา"), 120, 615);
    Heading(f, arrayName(QStringLiteral("Label12"), 1), QStringLiteral("ชื่อวิชา"), 840, 2295);
    Heading(f, arrayName(QStringLiteral("Label9"), 1), QStringLiteral("คะแนน"), 3240, 735);
    Heading(f, QStringLiteral("Label2"), QStringLiteral("เกณฑ์ขั้นต่ำ"), 4080, 855);
    for (int r = 0; r < SubjectControls::MainRows; ++r) {
        c.Label_SubID[r] = RowLabel(f, QStringLiteral("Label_SubID"), r, 120, 615, Centred);
        c.Label_NAME_SUBJ[r] = RowLabel(f, QStringLiteral("Label_NAME_SUBJ"), r, 840, 2295, LeftTop, NameHeight);
        c.Text_SC_main[r] = RowBox(f, QStringLiteral("Text_SC_main"), r, 3240, MainBoxHeight);
        c.Label_main_min[r] = RowLabel(f, QStringLiteral("Label_main_min"), r, 4080, 855, Centred);
        c.Label_main_min[r]->setText(QStringLiteral("0"));
    }
    Separator(f, arrayName(QStringLiteral("Line1"), 0), QRect(120, 3720, 4815, 30));
    Label(f, QStringLiteral("Label1"), QStringLiteral("ค่าน้ำหนัก"), QRect(360, 3840, 2055, 375), SummaryPoints);
    c.Label_WMain = Label(f, QStringLiteral("Label_WMain"), QString(), QRect(2520, 3840, 2415, 375), SummaryPoints);
    Label(f, arrayName(QStringLiteral("Label5"), 0), QStringLiteral("คะแนนเต็มวิชาหลัก"), QRect(240, 4440, 2175, 375),
          SummaryPoints);
    c.Label_MaxMain = Label(f, QStringLiteral("Label_MaxMain"), QString(), QRect(2520, 4440, 2415, 375), SummaryPoints);
    Label(f, arrayName(QStringLiteral("Label3"), 0), QStringLiteral("คะแนนที่ได้"), QRect(240, 4920, 2175, 375),
          SummaryPoints);
    c.Label_main_total_sc = Total(f, QStringLiteral("Label_main_total_sc"), QRect(2520, 4920, 2415, 375));
}

void BuildSpecialBlock(SubjectControls& c)
{
    QWidget* f = c.FrameSpecSUBJ;
    Heading(f, arrayName(QStringLiteral("Label12"), 3), QStringLiteral("รหัสวิชา"), 120, 615);
    Heading(f, arrayName(QStringLiteral("Label12"), 0), QStringLiteral("ชื่อวิชา"), 840, 2175);
    Heading(f, arrayName(QStringLiteral("Label9"), 0), QStringLiteral("คะแนน"), 3120, 735);
    Heading(f, QStringLiteral("Label6"), QStringLiteral("เกณฑ์ขั้นต่ำ"), 3960, 855);
    Heading(f, QStringLiteral("Label10"), QStringLiteral("ค่าน้ำหนัก"), 4920, 735);
    for (int r = 0; r < SubjectControls::SpecRows; ++r) {
        c.Label_SubjID_Sp[r] = RowLabel(f, QStringLiteral("Label_SubjID_Sp"), r, 120, 615, Centred);
        c.Label_name_sp[r] = RowLabel(f, QStringLiteral("Label_name_sp"), r, 840, 2175, LeftTop, NameHeight);
        c.Text_sp_sc[r] = RowBox(f, QStringLiteral("Text_sp_sc"), r, 3120, SpecBoxHeight);
        c.Label_spec_min[r] = RowLabel(f, QStringLiteral("Label_spec_min"), r, 3960, 855, Centred);
        c.Label_spec_min[r]->setText(QStringLiteral("0"));
        c.Label_spec_W[r] = RowLabel(f, QStringLiteral("Label_spec_W"), r, 4920, 735, Centred);
        c.Label_spec_W[r]->setText(QStringLiteral("0"));
    }
    Separator(f, arrayName(QStringLiteral("Line1"), 1), QRect(120, 2520, 5535, 30));
    Label(f, arrayName(QStringLiteral("Label4"), 1), QStringLiteral("คะแนนเต็มวิชาเฉพาะ"), QRect(480, 2640, 2415, 375),
          SummaryPoints);
    c.Label_MaxSP = Label(f, QStringLiteral("Label_MaxSP"), QString(), QRect(3120, 2640, 2415, 375), SummaryPoints);
    Label(f, QStringLiteral("Label8"), QStringLiteral("คะแนนที่ได้"), QRect(840, 3120, 2055, 375), SummaryPoints);
    c.Label_spec_total_sc = Total(f, QStringLiteral("Label_spec_total_sc"), QRect(3120, 3120, 2415, 375));

    c.F2LabelSign6174 = makeLabel(f, QStringLiteral("F2LabelSign6174"), QStringLiteral("}"),
                                  QRect(4800, 480, 135, 975), Qt::AlignCenter);
    c.F2LabelSign6174->setFont(serifFont(BracePoints));
    c.F2LabelSign6174->setWordWrap(false);
    c.F2LabelSign6174->hide();
    c.F2LabelWsign = Label(f, QStringLiteral("F2LabelWsign"), QString(), QRect(4920, 1680, 735, LabelHeight),
                           RowPoints, Centred);
    c.F2LabelWsign->hide();
}

void BuildConditions(SubjectControls& c)
{
    QWidget* f = c.FrameCond;
    const QRect places[] = {{120, 360, 5535, 255}, {120, 600, 5535, 735}, {120, 1320, 5535, 255}};
    const QColor backgrounds[] = {{255, 192, 128}, {255, 224, 192}, {255, 255, 192}};
    for (int i = 0; i < 3; ++i) {
        c.Label_Con[i] = Label(f, arrayName(QStringLiteral("Label_Con"), i), QString(), places[i], RowPoints);
        setBackground(c.Label_Con[i], backgrounds[i]);
        c.Label_Con[i]->hide();
    }
    c.Label_Con[1]->setWordWrap(true);  // the criteria may take two lines
}

SubjectRow RowData(const QLabel* code, const QLabel* name, const EntryBox* box, const QLabel* minimum)
{
    return {code->text().toStdString(), name->text().toStdString(), box->text().toStdString(),
            minimum->text().toStdString()};
}

}  // namespace

SubjectControls buildSubjectControls(QWidget* page)
{
    SubjectControls c;
    Label(page, arrayName(QStringLiteral("Label4"), 3), QStringLiteral("ใส่คะแนนวิชาหลักและวิชาเฉพาะ"),
          QRect(120, 120, 5535, 375), HeadingPoints, Qt::AlignLeft | Qt::AlignVCenter);
    c.Frame_MAIN_subj = Frame(page, QStringLiteral("Frame_MAIN_subj"), QStringLiteral("วิชาหลัก"),
                              QRect(120, 600, 5055, 5415));
    c.FrameSpecSUBJ = Frame(page, QStringLiteral("FrameSpecSUBJ"), QStringLiteral("วิชาเฉพาะ"),
                            QRect(5280, 600, 5775, 3735));
    c.FrameCond = Frame(page, QStringLiteral("FrameCond"), QStringLiteral("เงื่อนไข"), QRect(5280, 4320, 5775, 1695));
    BuildMainBlock(c);
    BuildSpecialBlock(c);
    BuildConditions(c);
    c.F2CmdBack = makeButton(page, QStringLiteral("F2CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    c.F2CmdNext = makeButton(page, QStringLiteral("F2CmdNext"), QStringLiteral("หน้าต่อไป"), QRect(9240, 6240, 1935, 495));
    c.F2CmdBack->setFont(sansFont(RowPoints));
    c.F2CmdNext->setFont(sansFont(RowPoints));
    return c;
}

std::vector<SubjectRow> SubjectControls::mainRowData(int count) const
{
    std::vector<SubjectRow> rows;
    for (int r = 1; r <= count; ++r)
        rows.push_back(RowData(Label_SubID[r], Label_NAME_SUBJ[r], Text_SC_main[r], Label_main_min[r]));
    return rows;
}

std::vector<SubjectRow> SubjectControls::specialRowData(int count) const
{
    std::vector<SubjectRow> rows;
    for (int r = 1; r <= count; ++r)
        rows.push_back(RowData(Label_SubjID_Sp[r], Label_name_sp[r], Text_sp_sc[r], Label_spec_min[r]));
    return rows;
}

}  // namespace tamrik
