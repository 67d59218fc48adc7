#include "facultyrule.h"

#include "numtext.h"
#include "rulenames.h"
#include "subjectcheck.h"
#include "subtotals.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tamrik {

namespace {

constexpr const char* kMainWeightOutOfRange =
    "ค่าน้ำหนักวิชาหลักที่คำนวณจาก TotSco ในตาราง tableSUM ไม่อยู่ในช่วงมากกว่า 0 ถึง 90";

// A fault that ends the load; carries the part of the message after the faculty.
struct LoadFailure {
    std::string detail;
};

// A count column taken as a byte: rounded half to even, 0 to 255.
std::optional<int> asByte(double v)
{
    double r = std::floor(v);
    const double rest = v - r;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    if (!(r >= 0.0 && r <= 255.0))
        return std::nullopt;
    return static_cast<int>(r);
}

// The steps of the load, each reading through one RuleSource call and turning
// every gap in the data into a LoadFailure.
class RuleLoader {
public:
    RuleLoader(RuleSource& source, std::string selFacCode, std::string facIdText)
        : m_source(source), m_fac(std::move(selFacCode)), m_facId(std::move(facIdText))
    {
    }

    FacultyRule load()
    {
        readTable12();
        placeRows(readSubjectCodes());
        readCriteria();
        readCalculation();
        computeWeights();
        return std::move(m_rule);
    }

private:
    RuleRow facultyRow(const char* table, const std::string& code)
    {
        std::optional<RuleRow> row = m_source.firstRow(table, kFacCode, code);
        if (!row)
            throw LoadFailure{std::string("ไม่พบข้อมูลของคณะในตาราง ") + table};
        return std::move(*row);
    }

    // The text where the row holds it, valid while the row is.
    static std::string_view text(const RuleRow& row, const char* table, std::string_view column)
    {
        const RuleRow::Cell value = row.cell(column);
        if (!value.present)
            throw LoadFailure{"ไม่พบคอลัมน์ " + std::string(column) + " ในตาราง " + table};
        if (value.null)
            throw LoadFailure{"ค่า " + std::string(column) + " ในตาราง " + table + " ว่าง"};
        return value.text;
    }

    static double number(const RuleRow& row, const char* table, std::string_view column)
    {
        return Val(text(row, table, column));
    }

    // A full score or weight computed from tableSUM: never negative or endless.
    static double figure(double value, std::string_view from)
    {
        if (!(value >= 0) || !std::isfinite(value))
            throw LoadFailure{"ค่า " + std::string(from) + " ในตาราง tableSUM ให้คะแนนเต็มติดลบหรือไม่ใช่จำนวน"};
        return value;
    }

    static int count(const RuleRow& row, const char* table, const char* column, int most,
                     const std::string& tooMany)
    {
        const std::optional<int> n = asByte(number(row, table, column));
        if (!n)
            throw LoadFailure{std::string("ค่า ") + column + " ในตาราง " + table + " ไม่ใช่จำนวนที่ใช้ได้"};
        if (*n > most)
            throw LoadFailure{tooMany};
        return *n;
    }

    void readTable12()
    {
        const RuleRow row = facultyRow(kTable12, m_fac);
        m_rule.Rule0102 = number(row, kTable12, kNumSub) == 2;
    }

    std::array<std::string, 10> readSubjectCodes()
    {
        std::array<std::string, 10> codes;
        codes.fill("-1");
        const RuleRow row = facultyRow(kFacsubj, m_facId);
        const int n = count(row, kFacsubj, kNumSubj, kMaxFacultySubjects,
                            "มีวิชาเกิน " + std::to_string(kMaxFacultySubjects) + " วิชาในตาราง Facsubj");
        for (int k = 1; k <= n; ++k)
            codes[static_cast<std::size_t>(k)] = std::string(text(row, kFacsubj, subjectColumn(k)));
        return codes;
    }

    void placeRows(const std::array<std::string, 10>& codes)
    {
        for (const std::string& code : codes) {
            if (code == "-1" || Val(code) == -1)
                continue;
            const std::optional<RuleRow> row = m_source.firstRow(kSubjectTable, kSubCod, code);
            if (!row)
                throw LoadFailure{"ไม่พบวิชารหัส " + code + " ในตาราง SubjectTable"};
            // The code later picks the subject's ScoreByCode slot.
            if (!scoreSlot(code))
                throw LoadFailure{"รหัสวิชา " + code + " ไม่อยู่ในช่วง 01 ถึง 51"};
            FacultyRule::SubjectRow subject;
            subject.SubCod = code;
            const bool main = number(*row, kSubjectTable, kSubTyp) == 0;
            subject.SubName = std::string(text(*row, kSubjectTable, kSubName));
            std::vector<FacultyRule::SubjectRow>& rows = main ? m_rule.MainRows : m_rule.SpecRows;
            const std::size_t most = main ? kMaxMainRows : kMaxSpecRows;
            if (rows.size() == most)
                throw LoadFailure{main ? "มีวิชาหลักเกิน 7 วิชา" : "มีวิชาเฉพาะเกิน 3 วิชา"};
            rows.reserve(most);  // once, no growing by copies: a rule is kept only while it is used
            rows.push_back(std::move(subject));
        }
    }

    void readCriteria()
    {
        const RuleRow row = facultyRow(kTableCRT, m_fac);
        const int n = count(row, kTableCRT, kNumSub, kMaxListEntries,
                            "มีเกณฑ์ขั้นต่ำเกิน 9 ข้อในตาราง tableCRT");
        m_rule.CriteriaShown = n != 0;
        // Room for the line at once: "วิชา 04 ต้องมากกว่า 30 %; " is under 64 bytes.
        m_rule.CriteriaText.reserve(static_cast<std::size_t>(n) * 64);
        for (int k = 1; k <= n; ++k) {
            const std::string_view code = text(row, kTableCRT, entryCodeColumn(k));
            const std::string percent = numberText(number(row, kTableCRT, entryScoreColumn(k)) / 100);
            m_rule.CriteriaText.append("วิชา ").append(code).append(" ต้องมากกว่า ").append(percent).append(" %; ");
            auto& rows = Val(code) < kFirstSpecialCode ? m_rule.MainRows : m_rule.SpecRows;
            for (FacultyRule::SubjectRow& r : rows) {
                if (r.SubCod == code)
                    r.MinPercent = percent;
            }
        }
    }

    void readCalculation()
    {
        m_sum = facultyRow(kTableSUM, m_fac);
        m_sumCount = count(*m_sum, kTableSUM, kNumSub, kMaxListEntries,
                           "มีวิชาที่ใช้คำนวณเกิน 9 รายการในตาราง tableSUM");
        // Room for the line at once: each entry adds "01 ; ", a pair twice that.
        m_rule.CalcText.reserve(kCalcTextStart.size() + static_cast<std::size_t>(m_sumCount) * 10);
        m_rule.CalcText = kCalcTextStart;
        for (int k = 1; k <= m_sumCount; ++k) {
            const std::string_view c = text(*m_sum, kTableSUM, entryCodeColumn(k));
            const auto slot = static_cast<std::size_t>(k);
            const double code = Val(c);
            if (code < kFirstPairCode) {
                m_rule.CalcText.append(c).append(" ; ");
                m_rule.CalcSubjCode[slot] = std::string(c);
            } else {
                // A pair fills this slot and the next, so it cannot be the ninth entry.
                if (k == kMaxListEntries)
                    throw LoadFailure{"คู่วิชาเป็นรายการที่ 9 ในตาราง tableSUM จึงไม่มีช่องให้วิชาที่สอง"};
                readPair();
                m_rule.CalcText += m_pairA + " ; " + m_pairB + " ; ";
                m_rule.CalcSubjCode[slot] = m_pairA;
                m_rule.CalcSubjCode[slot + 1] = m_pairB;
                m_pairEntry = k;
            }
            if (code < kFirstSpecialCode)
                m_mainPoints += 100;
        }
    }

    void readPair()
    {
        const RuleRow row = facultyRow(kTb6174, m_fac);
        const std::string_view p = text(row, kTb6174, kSubCod);
        if (p.size() != 4)
            throw LoadFailure{"รหัสคู่วิชา " + std::string(p) + " ในตาราง tb6174 ไม่ใช่ 4 ตัวอักษร"};
        m_pairA = std::string(p.substr(0, 2));
        m_pairB = std::string(p.substr(2, 2));
    }

    void computeWeights()
    {
        const RuleRow& sum = *m_sum;
        m_rule.MaxMain = Format(m_mainPoints, "0.00");
        const double total = number(sum, kTableSUM, kTotSco);
        if (!(total > 0) || !std::isfinite(total))
            throw LoadFailure{"ค่า TotSco ในตาราง tableSUM ต้องเป็นจำนวนที่มากกว่า 0"};
        m_rule.WMain = Format(90 / (total / 10) * m_mainPoints, "00");
        // The subjects carry 90 % of the composite: a main weight outside
        // (0, 90] gives negative or endless points.
        if (!(Val(m_rule.WMain) > 0 && Val(m_rule.WMain) <= 90))
            throw LoadFailure{kMainWeightOutOfRange};

        // The last pair entry names the pair's full score.
        if (m_pairEntry != 0)
            weighPair(m_pairEntry);

        // Special entries close the list, so the last nSpecial entries are theirs.
        const int nSpecial = static_cast<int>(m_rule.SpecRows.size());
        for (FacultyRule::SubjectRow& row : m_rule.SpecRows) {
            for (int j = 0; j < nSpecial; ++j) {
                const int k = m_sumCount - j;
                if (k < 1)
                    break;  // fewer entries than special rows: nothing left to match
                if (row.SubCod != text(sum, kTableSUM, entryCodeColumn(k)))
                    continue;
                const double s = number(sum, kTableSUM, entryScoreColumn(k));
                const double weight = (s / 100 * 90) / (number(sum, kTableSUM, kTotSco) / 10);
                row.Weight = Format(figure(weight, entryScoreColumn(k)), "00");
            }
        }

        const double w = Val(m_rule.WMain);
        const double m = Val(m_rule.MaxMain);
        m_rule.MaxSP = Format(figure((90 - w) / w * m, "MaxSP"), "00.00");
        m_rule.ScorePerPercent = static_cast<float>(figure(m / w, "ScorePerPercent"));
    }

    void weighPair(int entry)
    {
        const RuleRow& sum = *m_sum;
        FacultyRule::SubjectPair pair;
        pair.CodeA = m_pairA;
        pair.CodeB = m_pairB;
        for (std::size_t i = 0; i < m_rule.SpecRows.size(); ++i) {
            FacultyRule::SubjectRow& row = m_rule.SpecRows[i];
            if (row.SubCod != m_pairA && row.SubCod != m_pairB)
                continue;
            const double t = number(sum, kTableSUM, kTotSco);
            const double s = number(sum, kTableSUM, entryScoreColumn(entry));
            row.Weight = Format(figure((s / 200 * 90) / (t / 10), entryScoreColumn(entry)), "00.00");
            row.WeightShown = false;
            pair.WeightText = Format((s / 100 * 90) / (t / 10), "00.00");
            pair.Rows.push_back(i + 1);
        }
        if (!pair.Rows.empty())
            m_rule.PairGroup = std::move(pair);
    }

    RuleSource& m_source;
    const std::string m_fac;
    const std::string m_facId;
    FacultyRule m_rule;
    std::optional<RuleRow> m_sum;  // the tableSUM row, read again by the weight steps
    int m_sumCount = 0;
    int m_pairEntry = 0;           // the last entry of tableSUM that stands for the pair, 0 for none
    double m_mainPoints = 0;       // 100 for each main calculation subject
    std::string m_pairA;
    std::string m_pairB;
};

}  // namespace

RuleLoadResult buildFacultyRule(RuleSource& source, const std::string& selFacCode,
                                const std::string& facIdText)
{
    const auto prefix = [&] { return "ไม่สามารถโหลดเกณฑ์ของคณะรหัส " + selFacCode + " ได้: "; };
    RuleLoadResult result;
    try {
        result.rule = RuleLoader(source, selFacCode, facIdText).load();
    } catch (const LoadFailure& failure) {
        result.error = prefix() + failure.detail;
    } catch (const std::exception& e) {
        result.error = prefix() + "อ่านฐานข้อมูลไม่สำเร็จ (" + e.what() + ")";
    } catch (...) {
        result.error = prefix() + "อ่านฐานข้อมูลไม่สำเร็จ";
    }
    return result;
}

std::optional<std::string> restoredScoreText(const ScoreSlots& ScoreByCode,
                                             std::string_view code)
{
    const std::optional<std::size_t> slot = scoreSlot(code);
    if (!slot)
        return std::nullopt;
    // The slots come from a file anyone can edit: only a score the box itself
    // would accept goes back into it.
    const std::optional<double> v = wholeNumber(ScoreByCode[*slot]);
    if (!v || !inScoreRange(*v))
        return std::nullopt;
    return Format(*v, "0.00");
}

}  // namespace tamrik
