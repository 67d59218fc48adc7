#include "summarypage.h"

#include "captionoverlay.h"
#include "colours.h"
#include "controls.h"
#include "messageservice.h"
#include "numtext.h"
#include "qtext.h"
#include "ruletables.h"
#include "scoringparams.h"
#include "session.h"
#include "thaifonts.h"
#include "titledframe.h"
#include "twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

const QString HeadingYear = QStringLiteral("2543");
const Qt::Alignment ValueAlignment = Qt::AlignRight | Qt::AlignVCenter;

QString LabelTemp(int index) { return arrayName(QStringLiteral("Label_temp"), index); }

// Earned points at 6600 and full points at 8400 of a row's frame, under the
// column headings of the page.
void MakeFigures(QWidget* frame, int top, QLabel*& earned, const QString& earnedName, QLabel*& full,
                 const QString& fullName)
{
    earned = makeLabel(frame, earnedName, QStringLiteral("0"), QRect(6600, top, 1575, 375), ValueAlignment);
    full = makeLabel(frame, fullName, QStringLiteral("0"), QRect(8400, top, 1575, 375), ValueAlignment);
}

}  // namespace

SummaryPage::SummaryPage(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    buildControls();
    connect(m_F4CmdBack, &QPushButton::clicked, this, &SummaryPage::backClicked);
    connect(m_F4CmdNext, &QPushButton::clicked, this, &SummaryPage::firstPageClicked);
}

void SummaryPage::buildControls()
{
    QLabel* title = makeLabel(this, arrayName(QStringLiteral("LabelHead"), 1), QStringLiteral("สรุปคะแนน"),
                              QRect(360, 360, 5535, 735));
    title->setFont(pageTitleFont());
    for (int i : {4, 5}) {
        QLabel* heading = makeLabel(this, LabelTemp(i),
                                    i == 4 ? QStringLiteral("คะแนนที่ได้") : QStringLiteral("คะแนนเต็ม"),
                                    QRect(i == 4 ? 6840 : 8640, 720, 1815, 420), Qt::AlignCenter);
        setBackground(heading, Colour::Grey);
    }

    // The caption sits on the border, as the rows below it expect.
    auto* frame4 = new TitledFrame(QStringLiteral("Frame4"), {8, 0, 2}, this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    setGeometryTwips(frame4, QRect(360, 1200, 10335, 1335));
    setBackground(frame4, Colour::LightOrange);
    QFrame* frame5 = makePlainFrame(this, QStringLiteral("Frame5"), QRect(360, 2640, 10335, 1335));
    setBackground(frame5, Colour::LightYellow);
    const QString rowCaptions[] = {QStringLiteral("คะแนนวิชาหลัก"), QStringLiteral("คะแนนวิชาเฉพาะ"),
                                   QStringLiteral("คะแนนจาก GPA  :"), QStringLiteral("คะแนนจาก PR  :")};
    for (int row = 0; row < 4; ++row) {
        QWidget* frame = row < 2 ? static_cast<QWidget*>(frame4) : frame5;
        const int top = row % 2 == 0 ? 240 : 720;
        makeLabel(frame, LabelTemp(row), rowCaptions[row], QRect(240, top, 3000, 375), Qt::AlignLeft | Qt::AlignVCenter);
        MakeFigures(frame, top, m_LabelMyScore[row], arrayName(QStringLiteral("LabelMyScore"), row),
                    m_LabelMaxScore[row], arrayName(QStringLiteral("LabelMaxScore"), row));
    }
    m_F4LabelGPA = makeLabel(frame5, QStringLiteral("F4LabelGPA"), QStringLiteral("LabelGPA"),
                             QRect(3360, 240, 1095, 375), ValueAlignment);
    m_F4LabelPR = makeLabel(frame5, QStringLiteral("F4LabelPR"), QStringLiteral("LabelPR"),
                            QRect(3360, 720, 1095, 375), ValueAlignment);

    // The captions end where their values begin, whatever the face's width.
    makeLabel(this, arrayName(QStringLiteral("F3LabelAdd"), 2), QStringLiteral("x เฉลี่ย:  "), QRect(360, 4080, 1080, 315),
              Qt::AlignRight | Qt::AlignTop);
    m_F4LabelMeanGpa = makeLabel(this, QStringLiteral("F4LabelMeanGpa"), QString(), QRect(1440, 4080, 2280, 315));
    makeLabel(this, arrayName(QStringLiteral("F3LabelAdd"), 3), QStringLiteral("SD :  "), QRect(3840, 4080, 600, 315),
              Qt::AlignRight | Qt::AlignTop);
    m_F4LabelSD = makeLabel(this, QStringLiteral("F4LabelSD"), QString(), QRect(4440, 4080, 2280, 315));

    QGroupBox* frame6 = makeFrame(this, QStringLiteral("Frame6"), QString(), QRect(360, 4440, 10335, 735));
    setBackground(frame6, Colour::LightRed);
    QLabel* total = makeLabel(frame6, QStringLiteral("Label13"), QStringLiteral("คะแนนสุทธิ"), QRect(240, 180, 3000, 375),
                              Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < 2; ++i) {
        m_Label_total_score[i] = makeLabel(frame6, arrayName(QStringLiteral("Label_total_score"), i), QStringLiteral("0"),
                                           QRect(i == 0 ? 6600 : 8400, 180, 1575, 375), ValueAlignment);
        m_Label_total_score[i]->setFont(sansFont(9.75, true));
    }
    total->setFont(sansFont(9.75, true));

    QFrame* frame9 = makePlainFrame(this, QStringLiteral("Frame9"), QRect(360, 5400, 10335, 735));
    setBackground(frame9, Colour::LightGreen);
    m_yearHeading = makeLabel(frame9, LabelTemp(6), QStringLiteral("คะแนนสูงสุด-ต่ำสุด ปี 2543"), QRect(240, 240, 3135, 375));
    m_F4LabelYearMaxMin0 = makeLabel(frame9, arrayName(QStringLiteral("F4LabelYearMaxMin"), 0), QString(),
                                     QRect(1200, 240, 855, 375));
    m_F4LabelYearMaxMin0->setWordWrap(false);
    setBackground(m_F4LabelYearMaxMin0, Colour::LightGreen);
    showOverCaptionPart(m_F4LabelYearMaxMin0, m_yearHeading, HeadingYear, QString());
    makeLabel(frame9, LabelTemp(8), QStringLiteral("คะแนนต่ำสุด :"), QRect(3360, 240, 1695, 375));
    m_F4LabelMinLastYear = makeLabel(frame9, QStringLiteral("F4LabelMinLastYear"), QStringLiteral("0"),
                                     QRect(5160, 240, 1215, 375), ValueAlignment);
    makeLabel(frame9, LabelTemp(7), QStringLiteral("คะแนนสูงสุด :"), QRect(6600, 240, 1695, 375));
    m_F4LabelMaxLastYear = makeLabel(frame9, QStringLiteral("F4LabelMaxLastYear"), QStringLiteral("0"),
                                     QRect(8400, 240, 1575, 375), ValueAlignment);

    m_F4CmdBack = makeButton(this, QStringLiteral("F4CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    m_F4CmdNext = makeButton(this, QStringLiteral("F4CmdNext"), QStringLiteral("ไปหน้าแรก"), QRect(9240, 6240, 1935, 495));
}

void SummaryPage::buildSummaryPage(const SummaryInput& input, const std::string& selFacCode)
{
    showParams();

    const SummaryTexts texts = buildSummary(input);
    m_F4LabelGPA->setText(toQString(texts.F4LabelGPA));
    m_F4LabelPR->setText(toQString(texts.F4LabelPR));
    for (int row = 0; row < 4; ++row) {
        m_LabelMyScore[row]->setText(toQString(texts.LabelMyScore[row]));
        m_LabelMaxScore[row]->setText(toQString(texts.LabelMaxScore[row]));
    }
    for (int i = 0; i < 2; ++i)
        m_Label_total_score[i]->setText(toQString(texts.Label_total_score[i]));

    // No row gives 0.00; a fault of the database gives its message and no
    // figure at all.
    m_lastYear.reset();
    try {
        const auto range =
            ruledb::lookupLastYearRange(m_session.ruleDb(), m_session.params().ParamDbMaxMin, selFacCode);
        m_lastYear = LastYearTexts{range ? Format(range->ScMin, "0.00") : "0.00",
                                   range ? Format(range->ScMax, "0.00") : "0.00"};
        m_F4LabelMaxLastYear->setText(toQString(m_lastYear->max));
        m_F4LabelMinLastYear->setText(toQString(m_lastYear->min));
    } catch (const ruledb::DbError& error) {
        m_F4LabelMaxLastYear->clear();
        m_F4LabelMinLastYear->clear();
        m_session.messages().show(QStringLiteral("อ่านคะแนนสูงสุด-ต่ำสุดของปีที่แล้วไม่ได้: ")
                                  + QString::fromUtf8(error.what()));
    }
}

void SummaryPage::resetMyScores()
{
    for (QLabel* label : m_LabelMyScore)
        label->setText(QStringLiteral("0"));
}

void SummaryPage::showParams()
{
    const ScoringParams& params = m_session.params();
    m_F4LabelMeanGpa->setText(toQString(params.ParamMeanGpa));
    m_F4LabelSD->setText(toQString(params.ParamSD));
    showOverCaptionPart(m_F4LabelYearMaxMin0, m_yearHeading, HeadingYear, toQString(yearText(params.ParamDbMaxMin)));
}

}  // namespace tamrik
