#include "buildinfo.h"

namespace tamrik::ruledb {

std::optional<BuildInfo> readBuildInfo(const RuleDatabase& db)
{
    if (!db.hasTable(kBuildInfoTable))
        return std::nullopt;
    const QueryResult rows = db.query(std::string("SELECT * FROM ") + kBuildInfoTable + " LIMIT 1;");
    const auto text = [&](const char* column) -> std::optional<std::string> {
        if (rows.EOF_() || !rows.hasColumn(column))
            return std::nullopt;
        const DbValue value = rows.field(column);
        if (value.kind() != DbValue::Kind::Text)
            return std::nullopt;
        return value.toText();
    };
    const auto date = text(kBuildDateColumn);
    const auto year = text(kAdmissionYearColumn);
    const auto hash = text(kInputHashColumn);
    if (!date || !year || !hash)
        return std::nullopt;
    const auto sample = text(kSampleColumn);
    std::string digest = text(kContentHashColumn).value_or("");
    const bool digestForm = digest.size() == 16 && digest.find_first_not_of("0123456789abcdef") == std::string::npos;
    return BuildInfo{*date, *year, *hash, sample && *sample == "1", digestForm ? std::move(digest) : std::string()};
}

}  // namespace tamrik::ruledb
