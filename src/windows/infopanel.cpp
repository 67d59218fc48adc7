#include "infopanel.h"

#include "colours.h"
#include "controls.h"
#include "emblem.h"
#include "programtexts.h"
#include "qtext.h"
#include "samplestrip.h"
#include "session.h"
#include "thaifonts.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>

namespace tamrik {
namespace {

const QColor Lavender{0xC0, 0xC0, 0xFF};
const QColor Yellow{0xFF, 0xFF, 0x80};

struct NoticeLine {
    const char* text;
    QColor background;
    QColor textColour;  // invalid: the window text colour
    QRect twips;        // within Frame1
};

// Lines 1 to 3 stand beside the picture; the longer lines 4 to 6 take the
// full width below it, and line 0 is the foot.
const NoticeLine& Notice(int index)
{
    static const NoticeLine lines[7] = {
        {kResultNotice, Colour::LightOrange, QColor(), QRect(240, 3660, 6600, 300)},
        {"โปรแกรมทดลองคำนวณคะแนนจากการสอบคัดเลือก", Lavender, Qt::black, QRect(1920, 1260, 4920, 330)},
        {"บุคคลเข้าศึกษาในสถาบันอุดมศึกษา", Lavender, Qt::black, QRect(1920, 1590, 4920, 330)},
        {"เพื่อใช้ประกอบการตัดสินใจในการเลือกคณะ", Yellow, Qt::black, QRect(1920, 2250, 4920, 330)},
        {"ข้อมูลที่ใช้ในโปรแกรมเป็นข้อมูลจากปีการศึกษา %1", Yellow, Colour::DarkRed, QRect(240, 2580, 6600, 330)},
        {"ดังนั้นในการใช้กับการคัดเลือกในแต่ละปีจะต้องมีการเปลี่ยนแปลง", Yellow, Colour::DarkRed,
         QRect(240, 2910, 6600, 330)},
        {"Tamrik เป็นโปรแกรมเสรี ผู้สมัครสอบใช้และแจกต่อได้โดยไม่มีค่าใช้จ่าย", Yellow, Qt::black,
         QRect(240, 3240, 6600, 330)},
    };
    return lines[index];
}

constexpr int YearLine = 4;
// Two lines of the strip's bold text, a little below the foot line.
constexpr int SampleStripTwips = 600;

}  // namespace

PanelData panelDataOf(const Session& session)
{
    return {toQString(session.admissionYear()), session.sampleData()};
}

QString versionText() { return QStringLiteral("Version ") + versionNumber(); }

InfoPanel buildInfoPanel(QWidget* window, const QString& versionLabelName, const PanelData& data)
{
    InfoPanel panel;
    if (data.sample)
        panel.heightTwips += SampleStripTwips;
    panel.Frame1 = makeFrame(window, QStringLiteral("Frame1"), QString(),
                             QRect(120, 120, InfoPanelWidthTwips - 240, panel.heightTwips - 240));
    QWidget* frame = panel.Frame1;

    panel.lblCompanyProduct = makeLabel(frame, QStringLiteral("lblCompanyProduct"), QStringLiteral("Tamrik"),
                                        QRect(240, 60, 6600, 660), Qt::AlignCenter);
    panel.lblCompanyProduct->setFont(productFont(26));

    panel.version = makeLabel(frame, versionLabelName, QString(), QRect(4440, 720, 2400, 300),
                              Qt::AlignRight | Qt::AlignVCenter);

    panel.Image1 = makeLabel(frame, QStringLiteral("Image1"), QString(), QRect(240, 1080, 1500, 1500));
    panel.Image1->setPixmap(emblemPicture());

    for (int i = 0; i < 7; ++i) {
        const NoticeLine& line = Notice(i);
        QString text = QString::fromUtf8(line.text);
        if (i == YearLine)
            text = text.arg(data.admissionYear);
        QLabel* label =
            makeLabel(frame, arrayName(QStringLiteral("lblCompany"), i), text, line.twips, Qt::AlignCenter);
        label->setWordWrap(false);
        setBackground(label, line.background);
        if (line.textColour.isValid())
            setTextColour(label, line.textColour);
        panel.lblCompany[i] = label;
    }

    if (data.sample) {
        panel.lblSampleNotice = makeSampleStrip(frame, QStringLiteral("lblSampleNotice"),
                                                QRect(240, InfoPanelHeightTwips - 240, 6600, SampleStripTwips - 60));
        panel.lblSampleNotice->setAttribute(Qt::WA_NoMousePropagation);
    }

    // A click on a line or the picture does nothing, not even reach the window.
    panel.Image1->setAttribute(Qt::WA_NoMousePropagation);
    panel.lblCompanyProduct->setAttribute(Qt::WA_NoMousePropagation);
    panel.version->setAttribute(Qt::WA_NoMousePropagation);
    for (QLabel* label : panel.lblCompany)
        label->setAttribute(Qt::WA_NoMousePropagation);
    return panel;
}

}  // namespace tamrik
