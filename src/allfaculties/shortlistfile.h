#pragma once
// The shortlist file (.tamrik) an applicant keeps or hands on: the name,
// every score, the GPA, the PR and the choices in order, as small JSON:
//
//   {"format": "tamrik-shortlist", "version": 1, "name": "...",
//    "scores": {"01": "75", "02": "68.5"}, "gpa": "3.25", "pr": "85.50",
//    "choices": ["0013", "0005"]}
//
// Reading takes nothing a user could not type: every value goes through the
// checks of the boxes it would be typed in, and the first one refused makes
// the whole file refused, with what is wrong in words.

#include "scoreslots.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace tamrik {

inline constexpr char kShortlistFormat[] = "tamrik-shortlist";
inline constexpr int kShortlistVersion = 1;
inline constexpr char kShortlistSuffix[] = "tamrik";
// A kept shortlist is a few hundred bytes.
inline constexpr qint64 kMaxShortlistBytes = 64 * 1024;
inline constexpr int kMaxApplicantNameLength = 100;

struct ShortlistFile {
    QString name;
    ScoreSlots ScoreByCode;  // as the entries hold them, "-1" for none
    std::string GpaDigits = "000";
    std::string PrDigits = "0000";
    std::vector<std::string> choices;

    ShortlistFile() { ScoreByCode.fill("-1"); }
};

QByteArray shortlistFileBytes(const ShortlistFile& file);

// "01" for ScoreByCode's slot 0.
QString subjectCode(std::size_t slot);

struct ShortlistFileRead {
    std::optional<ShortlistFile> file;
    QString problem;  // what is wrong, when there is no file
};
ShortlistFileRead readShortlistFile(const QByteArray& bytes);

}  // namespace tamrik
