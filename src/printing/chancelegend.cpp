#include "chancelegend.h"

#include "evaluationtext.h"
#include "qtext.h"
#include "vocabulary.h"

namespace tamrik {

QString comparisonHeading() { return toQString(words::kComparisonInFull); }

std::vector<LegendLine> chanceLegend()
{
    std::vector<LegendLine> lines;
    for (const Chance chance : {Chance::AboveMax, Chance::Clear, Chance::Borderline, Chance::Below, Chance::NoData,
                                Chance::MissingScores, Chance::FailsMinimum})
        lines.push_back({chance, toQString(chanceRuleText(chance, std::string()))});
    return lines;
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
