#include "chance.h"

#include <cmath>

namespace tamrik {

std::int64_t hundredths(double figure)
{
    return std::llround(figure * 100);
}

bool hasRangeData(const std::optional<YearRange>& lastYear)
{
    return lastYear && !(hundredths(lastYear->min) == 0 && hundredths(lastYear->max) == 0);
}

std::string_view chanceKey(Chance chance)
{
    switch (chance) {
    case Chance::AboveMax: return "above_max";
    case Chance::Clear: return "clear";
    case Chance::Borderline: return "borderline";
    case Chance::Below: return "below";
    case Chance::NoData: return "no_data";
    case Chance::MissingScores: return "missing_scores";
    case Chance::FailsMinimum: return "fails_minimum";
    }
    return {};
}

std::string_view chanceLabel(Chance chance)
{
    switch (chance) {
    case Chance::AboveMax: return "สูงกว่าคะแนนสูงสุดปีก่อน";
    case Chance::Clear: return "ผ่านคะแนนต่ำสุดปีก่อน";
    case Chance::Borderline: return "ใกล้เคียงคะแนนต่ำสุดปีก่อน";
    case Chance::Below: return "ต่ำกว่าคะแนนต่ำสุดปีก่อน";
    case Chance::NoData: return "ไม่มีข้อมูลปีก่อน";
    case Chance::MissingScores: return "คะแนนไม่ครบ";
    case Chance::FailsMinimum: return "ไม่ผ่านเกณฑ์ขั้นต่ำ";
    }
    return {};
}

ChanceResult decideChance(bool failsMinimum, bool missingScores, const std::optional<YearRange>& lastYear,
                          const Earned& total)
{
    ChanceResult result;
    const bool data = hasRangeData(lastYear);
    const std::int64_t earned = hundredths(total.earned);
    const std::int64_t full = hundredths(total.full);
    std::int64_t margin = 0;
    if (data) {
        margin = earned - hundredths(lastYear->min);
        result.marginPoints = static_cast<double>(margin) / 100;
        if (full > 0)
            result.marginPercent = static_cast<double>(margin) / static_cast<double>(full) * 100;
    }

    // kBorderlinePercent of full, compared as margin * 100 against 2 * full.
    const auto percentAtLeast = [&](double percent) {
        return static_cast<double>(margin) * 100 >= percent * static_cast<double>(full);
    };
    if (failsMinimum)
        result.chance = Chance::FailsMinimum;
    else if (missingScores)
        result.chance = Chance::MissingScores;
    else if (!data)
        result.chance = Chance::NoData;
    else if (earned >= hundredths(lastYear->max))
        result.chance = Chance::AboveMax;
    else if (percentAtLeast(kBorderlinePercent))
        result.chance = Chance::Clear;
    else if (percentAtLeast(-kBorderlinePercent))
        result.chance = Chance::Borderline;
    else
        result.chance = Chance::Below;
    return result;
}

bool keyRanksBefore(const RankKey& a, const RankKey& b)
{
    if (a.ok != b.ok)
        return a.ok;
    if (a.ok && a.chance != b.chance)
        return a.chance < b.chance;
    if (a.ok && a.marginPercent.has_value() != b.marginPercent.has_value())
        return a.marginPercent.has_value();
    if (a.ok && a.marginPercent && *a.marginPercent != *b.marginPercent)
        return *a.marginPercent > *b.marginPercent;
    return a.facCode < b.facCode;
}

}  // namespace tamrik
