#pragma once
// The names of the rule database's tables and columns, spelt as the database
// holds them (the program matches them without regard to case). The rule load
// and the value rules name what they read through these; src/ruledb's
// ruleschema.h puts them together into the tables, with types and keys.

#include <cstddef>
#include <string>
#include <string_view>

namespace tamrik {

inline constexpr char kSUName[] = "SUName";              // universities and faculties, page 1's lists
inline constexpr char kTable12[] = "Table12";            // the 01 + 02 rule
inline constexpr char kFacsubj[] = "Facsubj";            // a faculty's subjects, in page order
inline constexpr char kSubjectTable[] = "SubjectTable";  // every subject's name and type
inline constexpr char kTableCRT[] = "tableCRT";          // minimum criteria
inline constexpr char kTableSUM[] = "tableSUM";          // the calculation's entries and total
inline constexpr char kTb6174[] = "tb6174";              // the either-of pair of special subjects
inline constexpr char kZi2Prob[] = "Zi2Prob";            // the normal table of the GPA share

inline constexpr char kFacCode[] = "FacCode";
inline constexpr char kUName[] = "UName";
inline constexpr char kFacName[] = "FacName";
inline constexpr char kNumSub[] = "NumSub";    // Table12: 2 for the 01 + 02 rule; tableCRT, tableSUM: entries
inline constexpr char kNumSubj[] = "NumSubj";  // Facsubj: subjects
inline constexpr char kSubCod[] = "SubCod";
inline constexpr char kSubName[] = "SubName";
inline constexpr char kSubTyp[] = "SubTyp";
inline constexpr char kTotSco[] = "TotSco";
inline constexpr char kZi[] = "Zi";
inline constexpr char kProb[] = "Prob";
inline constexpr char kScMax[] = "ScMax";  // a range table's highest and lowest score
inline constexpr char kScMin[] = "ScMin";

// A numbered column's name, written into the object: the rule load names
// some fifty of them a faculty.
class NumberedColumn {
public:
    // `prefix` followed by `k` in at least `width` digits.
    NumberedColumn(std::string_view prefix, int k, int width)
    {
        char digits[12];
        std::size_t count = 0;
        for (unsigned rest = static_cast<unsigned>(k); rest != 0 || count < static_cast<std::size_t>(width);
             rest /= 10)
            digits[count++] = static_cast<char>('0' + rest % 10);
        m_size = prefix.copy(m_text, sizeof m_text - count);
        while (count > 0)
            m_text[m_size++] = digits[--count];
    }
    operator std::string_view() const { return {m_text, m_size}; }
    std::string str() const { return {m_text, m_size}; }

private:
    char m_text[32];
    std::size_t m_size = 0;
};

// Facsubj's subject k: Sub1 to Sub8.
inline NumberedColumn subjectColumn(int k) { return {"Sub", k, 1}; }
// Entry k of tableCRT and tableSUM, its code and its score: SubCod01 and
// Sco01 to SubCod09 and Sco09.
inline NumberedColumn entryCodeColumn(int k) { return {"SubCod", k, 2}; }
inline NumberedColumn entryScoreColumn(int k) { return {"Sco", k, 2}; }

}  // namespace tamrik
