#pragma once
// What the data tool records about a build in the rule database's table
// TamrikInfo: when it was built, the admission year of its data, a hash of
// what it was built from and a digest of what it holds. About and the printed summary show it; a database
// built by other means has no such table.

#include "ruledatabase.h"

#include <optional>
#include <string>

namespace tamrik::ruledb {

inline constexpr char kBuildInfoTable[] = "TamrikInfo";
inline constexpr char kBuildDateColumn[] = "BuildDate";          // "2026-12-06", UTC
inline constexpr char kAdmissionYearColumn[] = "AdmissionYear";  // "2543", or empty when unknown
inline constexpr char kInputHashColumn[] = "InputHash";          // SHA-256 in hex
inline constexpr char kSampleColumn[] = "SampleData";            // "1": made-up sample data, not real criteria
inline constexpr char kContentHashColumn[] = "ContentHash";      // 16 hex digits (contentcheck.h)

// A data folder that holds this file is a made-up sample: the build records it
// and every window and output that shows figures says so.
inline constexpr char kSampleMarkerFile[] = "SAMPLE";

struct BuildInfo {
    std::string BuildDate;
    std::string admissionYear;
    std::string InputHash;
    bool Sample = false;  // a database built before the column existed is not marked
    // The content's digest when the build recorded one of the form
    // contentDigest gives; empty otherwise (none, or an older build's of
    // another form): the content cannot be told unchanged.
    std::string ContentHash;
};

// The first row of TamrikInfo; nothing when the table or its row is missing
// or a column is not text. A failing database throws DbError.
std::optional<BuildInfo> readBuildInfo(const RuleDatabase& db);

}  // namespace tamrik::ruledb
