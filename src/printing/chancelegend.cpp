#include "chancelegend.h"

#include "numtext.h"
#include "qtext.h"
#include "vocabulary.h"

namespace tamrik {

QString comparisonHeading() { return ToQString(words::kComparisonInFull); }

std::vector<LegendLine> chanceLegend()
{
    const QString share = ToQString(NumberText(kBorderlinePercent)) + QStringLiteral("% ของคะแนนสูงสุดที่เป็นไปได้");
    return {
        {Chance::AboveMax, QStringLiteral("คะแนนรวมเท่ากับหรือสูงกว่าคะแนนสูงสุดของปีก่อน")},
        {Chance::Clear, QStringLiteral("คะแนนรวมสูงกว่าคะแนนต่ำสุดของปีก่อนตั้งแต่ %1 ขึ้นไป").arg(share)},
        {Chance::Borderline,
         QStringLiteral("คะแนนรวมห่างจากคะแนนต่ำสุดของปีก่อนไม่ถึง %1 จะสูงกว่าหรือต่ำกว่า (ต่ำกว่าได้ไม่เกิน %1)")
             .arg(share)},
        {Chance::Below, QStringLiteral("คะแนนรวมต่ำกว่าคะแนนต่ำสุดของปีก่อนเกิน %1").arg(share)},
        {Chance::NoData, QStringLiteral("ไม่มีคะแนนต่ำสุด-สูงสุดของปีก่อนให้เทียบ")},
        {Chance::MissingScores,
         QStringLiteral("ยังไม่ได้ใส่คะแนนบางวิชาที่คณะนี้ใช้: คะแนนรวมยังไม่ครบ (มีเครื่องหมาย ≥) และวิชาที่ยังไม่มีคะแนน"
                        "ไม่นับว่าไม่ผ่านเกณฑ์ขั้นต่ำ")},
        {Chance::FailsMinimum, QStringLiteral("คะแนนที่ใส่แล้วของบางวิชาต่ำกว่าเกณฑ์ขั้นต่ำของคณะ")},
    };
}

QString rangeBarLegend()
{
    return QStringLiteral("แถบช่วงคะแนน: กล่องสีฟ้าคือคะแนนต่ำสุดถึงสูงสุดของปีก่อน เส้นสีเทาด้านบนคือช่วงของแต่ละปีที่มีข้อมูล "
                          "ปีเก่าอยู่บนสุด เส้นสีดำที่มีหัวสามเหลี่ยมคือคะแนนรวมของผู้สมัคร");
}

QString partialLegend()
{
    return QStringLiteral("≥ หน้าตัวเลข: ยังไม่ได้ใส่คะแนนบางวิชา ตัวเลขเป็นคะแนนเท่าที่มี ยังไม่ใช่คะแนนสุดท้าย");
}

QString partialFigure(const QString& figure) { return figure.isEmpty() ? figure : QStringLiteral("≥") + figure; }

}  // namespace tamrik
