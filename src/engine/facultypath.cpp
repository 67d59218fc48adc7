#include "facultypath.h"

#include "numtext.h"
#include "subtotals.h"
#include "summary.h"

#include <algorithm>

namespace tamrik {

namespace {

// A value as typed into a two-decimal box and read back.
double typed(double value)
{
    return shownValue(value, 2);
}

std::vector<std::string_view> codesOf(const std::vector<FacultyRule::SubjectRow>& rows)
{
    std::vector<std::string_view> codes;
    codes.reserve(rows.size());
    for (const auto& row : rows)
        codes.push_back(row.SubCod);
    return codes;
}

// A row whose code has no slot keeps an empty box, which reads as 0.
template <std::size_t N>
void valuesOf(const std::array<std::optional<std::size_t>, N>& slots, std::size_t rows,
              const std::array<double, kSubjectCount>& value, std::array<double, N>& values)
{
    for (std::size_t i = 0; i < rows; ++i)
        values[i] = slots[i] ? value[*slots[i]] : 0.0;
}

// A row without a score is checked against no minimum.
template <typename Row, std::size_t N>
std::vector<SubjectRow> checkRows(const Row* rows, std::size_t count,
                                  const std::array<std::optional<std::size_t>, N>& slots,
                                  const ApplicantEntries& entries)
{
    std::vector<SubjectRow> checked;
    checked.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const bool scored = slots[i] && entries.scored[*slots[i]];
        checked.push_back({rows[i].code, rows[i].name, slots[i] ? entries.box[*slots[i]] : std::string(),
                           scored ? rows[i].minimum : std::string("0")});
    }
    return checked;
}

}  // namespace

ApplicantEntries entriesOf(const Applicant& applicant, const ScoringContext& context)
{
    ApplicantEntries e;
    const ScoreSlots ScoreByCode = scoreByCodeOf(applicant);
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        e.box[slot] = restoredScoreText(ScoreByCode, codeOfSlot(slot)).value_or(std::string());
        e.value[slot] = Val(e.box[slot]);
        e.scored[slot] = applicant.Scores[slot].has_value();
    }
    e.gpaFraction = gpaFraction(gpaBoxValue(applicant), context.meanText, context.sdText, context.prob);
    e.prFraction = prFraction(prBoxValue(applicant));
    return e;
}

FacultyPath::FacultyPath(FacultyRule&& rule)
    : m_mainRows(rule.MainRows.size()),
      m_specialRows(rule.SpecRows.size()),
      m_rule0102(rule.Rule0102),
      m_scorePerPercent(rule.ScorePerPercent)
{
    m_rows.reserve(m_mainRows + m_specialRows);
    for (auto* rows : {&rule.MainRows, &rule.SpecRows}) {
        for (FacultyRule::SubjectRow& row : *rows)
            m_rows.push_back({row.SubCod, std::move(row.SubName), row.MinPercent});
    }
    // The rule load keeps to the rows the page holds.
    for (std::size_t i = 0; i < rule.MainRows.size(); ++i) {
        m_mainSlots[i] = scoreSlot(rule.MainRows[i].SubCod);
        m_mainMinimums[i] = Val(rule.MainRows[i].MinPercent);
    }
    for (std::size_t i = 0; i < rule.SpecRows.size(); ++i) {
        m_specialSlots[i] = scoreSlot(rule.SpecRows[i].SubCod);
        m_specialMinimums[i] = Val(rule.SpecRows[i].MinPercent);
        m_specialWeights[i] = Val(rule.SpecRows[i].Weight);
    }
    const std::size_t rows = rule.MainRows.size() + rule.SpecRows.size();
    const std::vector<std::string_view> mainCodes = codesOf(rule.MainRows);
    const std::vector<std::string_view> specialCodes = codesOf(rule.SpecRows);
    m_mainOrder = subtotalOrder(mainCodes, rule.MainRows.size(), rule.CalcSubjCode);
    m_specialOrder = subtotalOrder(specialCodes, rows, rule.CalcSubjCode);
    m_counted = tamrik::countedCodes(mainCodes, specialCodes, rule.CalcSubjCode);
    m_countedSlots.reserve(m_counted.size());
    m_partners.reserve(m_counted.size());
    for (const std::string& code : m_counted) {
        m_countedSlots.push_back(*scoreSlot(code));
        m_partners.push_back(partnerOf(rule, code));
    }
    const auto uncountedMinimum = [&](const std::string& code, const std::optional<std::size_t>& slot) {
        if (std::find(m_counted.begin(), m_counted.end(), code) == m_counted.end())
            m_uncountedMinimums.emplace_back(code, slot);
    };
    for (std::size_t i = 0; i < rule.MainRows.size(); ++i) {
        if (m_mainMinimums[i] > 0 || (rule.Rule0102 && i < 2))
            uncountedMinimum(rule.MainRows[i].SubCod, m_mainSlots[i]);
    }
    for (std::size_t i = 0; i < rule.SpecRows.size(); ++i) {
        if (m_specialMinimums[i] > 0)
            uncountedMinimum(rule.SpecRows[i].SubCod, m_specialSlots[i]);
    }
    const std::string fullShare = fullShareText(rule.ScorePerPercent);
    m_wMain = Val(rule.WMain);
    m_full = {Val(rule.MaxMain), Val(rule.MaxSP), Val(fullShare)};
    m_highest = typed(highestPossibleScore(rule.MaxSP, rule.MaxMain, fullShare, fullShare));
}

RowValues FacultyPath::restore(const std::array<double, kSubjectCount>& value) const
{
    RowValues values;
    valuesOf(m_mainSlots, m_mainRows, value, values.main);
    valuesOf(m_specialSlots, m_specialRows, value, values.special);
    return values;
}

bool FacultyPath::failsCheck(const RowValues& values, const ApplicantEntries& entries) const
{
    const std::size_t mains = m_mainRows;
    if (m_rule0102 && mains > 1 && isScored(entries, m_mainSlots[0]) && isScored(entries, m_mainSlots[1]) &&
        rule0102Fails(values.main[0], values.main[1]))
        return true;
    for (std::size_t i = 0; i < mains; ++i) {
        if (isScored(entries, m_mainSlots[i]) && belowMinimum(values.main[i], m_mainMinimums[i]))
            return true;
    }
    for (std::size_t i = 0; i < m_specialRows; ++i) {
        if (isScored(entries, m_specialSlots[i]) && belowMinimum(values.special[i], m_specialMinimums[i]))
            return true;
    }
    return false;
}

SubjectCheckResult FacultyPath::check(const ApplicantEntries& entries) const
{
    const bool rule0102 =
        m_rule0102 && m_mainRows > 1 && isScored(entries, m_mainSlots[0]) && isScored(entries, m_mainSlots[1]);
    return checkSubjectScores(checkRows(m_rows.data(), m_mainRows, m_mainSlots, entries),
                              checkRows(m_rows.data() + m_mainRows, m_specialRows, m_specialSlots, entries), rule0102);
}

std::vector<std::string> FacultyPath::missing(const ApplicantEntries& entries) const
{
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < m_counted.size(); ++i) {
        if (isMissing(entries, i))
            codes.push_back(m_counted[i]);
    }
    for (const auto& [code, slot] : m_uncountedMinimums) {
        if (!isScored(entries, slot))
            codes.push_back(code);
    }
    return codes;
}

bool FacultyPath::anyMissing(const ApplicantEntries& entries) const
{
    for (std::size_t i = 0; i < m_counted.size(); ++i) {
        if (isMissing(entries, i))
            return true;
    }
    for (const auto& minimum : m_uncountedMinimums) {
        if (!isScored(entries, minimum.second))
            return true;
    }
    return false;
}

FacultyPath::Shares FacultyPath::shares(const RowValues& values, const std::optional<float>& gpaFraction,
                                        const std::optional<float>& prFraction) const
{
    return {mainSubtotalValue(m_mainOrder, values.main.data()),
            specSubtotalValue(m_specialOrder, values.special.data(), m_specialWeights.data(), m_wMain, m_full[0]),
            gpaFraction ? sharePoints(m_scorePerPercent, *gpaFraction) : 0.0,
            prFraction ? sharePoints(m_scorePerPercent, *prFraction) : 0.0};
}

Figures FacultyPath::figures(const RowValues& values, const std::optional<float>& gpaFraction,
                             const std::optional<float>& prFraction) const
{
    const Shares s = shares(values, gpaFraction, prFraction);
    Figures f;
    f.main = {typed(s.main), m_full[0]};
    f.special = {typed(s.special), m_full[1]};
    f.gpa = {typed(s.gpa), m_full[2]};
    f.pr = {typed(s.pr), m_full[2]};
    f.total = {typed(compositeScore(s.special, s.main, s.gpa, s.pr)), m_highest};
    return f;
}

double FacultyPath::composite(const RowValues& values, const std::optional<float>& gpaFraction,
                              const std::optional<float>& prFraction) const
{
    const Shares s = shares(values, gpaFraction, prFraction);
    return typed(compositeScore(s.special, s.main, s.gpa, s.pr));
}

bool FacultyPath::isMissing(const ApplicantEntries& entries, std::size_t i) const
{
    const bool partnerScored = m_partners[i] && entries.scored[m_countedSlots[*m_partners[i]]];
    return !entries.scored[m_countedSlots[i]] && !partnerScored;
}

std::optional<std::size_t> FacultyPath::partnerOf(const FacultyRule& rule, const std::string& code) const
{
    if (!rule.PairGroup)
        return std::nullopt;
    const auto& pair = *rule.PairGroup;
    const std::string* partner = code == pair.CodeA ? &pair.CodeB : code == pair.CodeB ? &pair.CodeA : nullptr;
    if (!partner)
        return std::nullopt;
    const auto found = std::find(m_counted.begin(), m_counted.end(), *partner);
    if (found == m_counted.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - m_counted.begin());
}

}  // namespace tamrik
