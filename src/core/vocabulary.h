#pragma once
// The Thai names of what the program shows, in one place: the all-faculties
// window, its printouts, tamrik-calc and the class workbook say the same
// things the same way. A heading the window shows on two lines holds a '\n'
// where it breaks; oneLine() gives it on one.

#include <string>
#include <string_view>

namespace tamrik::words {

// The columns of a ranking.
inline constexpr std::string_view kRank = "อันดับ";
inline constexpr std::string_view kCode = "รหัส";
inline constexpr std::string_view kUniversity = "มหาวิทยาลัย";
inline constexpr std::string_view kFaculty = "คณะ";
inline constexpr std::string_view kComposite = "คะแนน\nรวม";
inline constexpr std::string_view kHighestPossible = "สูงสุดที่\nเป็นไปได้";
inline constexpr std::string_view kLastMin = "ต่ำสุด\nปีล่าสุด";
inline constexpr std::string_view kLastMax = "สูงสุด\nปีล่าสุด";
inline constexpr std::string_view kMarginPercent = "ห่างจาก\nต่ำสุด %";
inline constexpr std::string_view kComparison = "เทียบกับ\nช่วงปีก่อน";
inline constexpr std::string_view kRangeBar = "ช่วงคะแนน";
inline constexpr std::string_view kEveryYear = "ต่ำสุด-สูงสุด\nทุกปี";

// What the label of a row compares, written out.
inline constexpr std::string_view kComparisonInFull = "เทียบกับช่วงคะแนนปีก่อน";

// A class's rows: whose, which wish, what it takes.
inline constexpr std::string_view kStudentId = "เลขประจำตัว";
inline constexpr std::string_view kRowKind = "ประเภท";
inline constexpr std::string_view kWishNumber = "อันดับที่เลือก";
inline constexpr std::string_view kNeededPoints = "ขาดอีก (คะแนน)";
inline constexpr std::string_view kNeededWays = "ทางที่จะถึงต่ำสุดปีก่อน";
inline constexpr std::string_view kWishRow = "ที่เลือกไว้";
inline constexpr std::string_view kSuggestionRow = "แนะนำเพิ่ม";
inline constexpr std::string_view kRankedRow = "จัดอันดับ";
inline constexpr std::string_view kWishedBy = "จำนวนที่เลือก";
inline constexpr std::string_view kSuggestedTo = "จำนวนที่แนะนำ";
inline constexpr std::string_view kUnknownFaculty = "ไม่มีคณะรหัสนี้ในฐานข้อมูลเกณฑ์";

// The figures of one faculty, as the summary page names them.
inline constexpr std::string_view kEarned = "คะแนนที่ได้";
inline constexpr std::string_view kFull = "คะแนนเต็ม";
inline constexpr std::string_view kMainSubjects = "คะแนนวิชาหลัก";
inline constexpr std::string_view kSpecialSubjects = "คะแนนวิชาเฉพาะ";
inline constexpr std::string_view kFromGpa = "คะแนนจาก GPA";
inline constexpr std::string_view kFromPr = "คะแนนจาก PR";
inline constexpr std::string_view kTotal = "คะแนนสุทธิ";
inline constexpr std::string_view kMissingSubjects = "ยังไม่ได้ใส่คะแนนวิชา";
inline constexpr std::string_view kEveryYearInFull = "ต่ำสุด-สูงสุดทุกปี";

// The foot line of every result: the figures help a decision and are not a
// result of the selection.
inline constexpr char kResultNotice[] = "ผลที่คำนวณได้ใช้ประกอบการตัดสินใจเท่านั้น ไม่ใช่ผลการคัดเลือกจริง";

// The heading on one line: Thai runs on without a blank where the window breaks it.
std::string oneLine(std::string_view heading);

}  // namespace tamrik::words
