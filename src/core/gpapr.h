#pragma once
// GPA and PR into their score shares (5 % of the weight each), and the rules
// of the page where they are typed, over the four box texts only: the page
// reads its boxes, calls these and writes back what they return.
//
// GPA: z-score with the mean and SD parameters, looked up in a table of the
// standard normal distribution that holds only z >= 0. PR: 20 fixed bands.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

// Prob of the normal table for a key such as "1.015"; nullopt when the table
// has no such row or no usable value. A failing database throws, and the
// exception reaches the caller of GpaToProb: a fault is not a fraction of 0.
using ProbLookup = std::function<std::optional<double>(const std::string& key)>;

// The GPA fraction, 0 to 1. meanText and sdText are read afresh on each call.
// No row for the key, or a mean or SD that is not above 0, gives 0.
float GpaToProb(float gpa, std::string_view meanText, std::string_view sdText, const ProbLookup& lookup);

// The PR fraction: band / 20 for the band whose bounds hold pr, else 0
// (95.005 and 99.995 fall in no band).
float PrToShare(float pr);

// Points for a share: ScorePerPercent x 5 x fraction, in double.
double sharePoints(float scorePerPercent, float fraction);

// Full points of either share, as the page shows them ("50.00" for 10).
std::string fullShareText(float scorePerPercent);

// The texts of an integer box and its decimal box.
struct BoxTexts {
    std::string integer;
    std::string decimals;
};

// The GPA g or the PR p: the number read from integer + "." + decimals.
double boxValue(const BoxTexts& boxes);

// The GPA and PR that earn points: a GPA in (0, 4], a PR in (0, 100).
inline bool inGpaRange(double g) { return g > 0 && g <= 4; }
inline bool inPrRange(double p) { return p > 0 && p < 100; }

// The share fraction of a GPA in (0, 4] or a PR in (0, 100); nothing outside.
// It does not depend on the faculty.
std::optional<float> gpaFraction(double g, std::string_view meanText, std::string_view sdText,
                                 const ProbLookup& lookup);
std::optional<float> prFraction(double p);

// Points for a GPA in (0, 4] or a PR in (0, 100); nothing outside, where the
// live recomputation shows 0 and entering the page leaves the points alone.
std::optional<double> gpaPoints(double g, float scorePerPercent, std::string_view meanText,
                                std::string_view sdText, const ProbLookup& lookup);
std::optional<double> prPoints(double p, float scorePerPercent);

// Leaving a box: the box texts after the fill rules, and the range message to
// show when the value is out of range. After the message the page empties the
// box that was left and gives it the focus back.
struct LeaveResult {
    BoxTexts boxes;
    std::optional<std::string> message;
};

enum class BoxPart { Integer, Decimals };

// An empty box is filled: "0" for the GPA integer box (one place, so the
// digits stay 1 + 2), "00" for the others. A decimal box holding one digit
// becomes that digit x 10 ("5" -> "50"); one non-digit is left as it is. The
// PR integer box of one character gets the pattern "00" ("7" -> "07").
LeaveResult leaveGpaBox(BoxPart left, BoxTexts gpa);
LeaveResult leavePrBox(BoxPart left, BoxTexts pr);

// GpaDigits and PrDigits cut into their boxes. The decimals are the last two
// characters when the text is longer than 1 + 2 (GPA) or 2 + 2 (PR): the extra
// characters belong to the integer part, the only one filled beyond its typed
// width ("0025" -> "00" and "25"). Otherwise the integer part takes its
// places first and the decimals what remains ("35" -> "3" and "5").
// Characters are UTF-8 characters, never parts of one.
BoxTexts splitGpaDigits(std::string_view GpaDigits);
BoxTexts splitPrDigits(std::string_view PrDigits);

// Digits page 3's two boxes can hold together: ASCII digits only, at least
// one and at most 1 + 2 (GPA) or 2 + 2 (PR). Anything else is no GPA or PR.
bool isGpaDigits(std::string_view GpaDigits);
bool isPrDigits(std::string_view PrDigits);

// The boxes to refill on entering the page: only for digits as above that
// read above 0.
std::optional<BoxTexts> gpaBoxesFromDigits(std::string_view GpaDigits);
std::optional<BoxTexts> prBoxesFromDigits(std::string_view PrDigits);

}  // namespace tamrik
