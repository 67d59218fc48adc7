#pragma once
// How a GPA and a PR become their fractions, step by step, so a printout can
// show the working a teacher checks by hand. GpaToProb and PrToShare are these
// functions' last figures: there is one calculation, not two.

#include "gpapr.h"

#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

struct GpaWorking {
    double mean = 0;                 // the parameters as read
    double sd = 0;
    std::optional<double> z;         // (gpa - mean) / sd; nothing when it cannot be worked out
    std::string key;                 // the table key asked for, "0.000" of |z|, empty without z
    bool negative = false;           // z below zero: the fraction is 1 - the table's value
    std::optional<double> tableProb; // the table's answer for the key
    float fraction = 0;              // what GpaToProb returns
};

// Every step of GpaToProb: a failed lookup, or a mean or SD that is not
// above 0, leaves the fraction at 0 with the steps reached so far.
GpaWorking workGpa(float gpa, std::string_view meanText, std::string_view sdText, const ProbLookup& lookup);

struct PrBand {
    float from = 0;  // closed bounds, single precision as the PR is
    float to = 0;
    int band = 0;    // 1 to 20; the fraction is band / 20
};

// The band whose bounds hold the PR; nothing for a PR in no band.
std::optional<PrBand> findPrBand(float pr);

}  // namespace tamrik
