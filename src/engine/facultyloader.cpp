#include "facultyloader.h"

#include "ruletables.h"
#include "wholetables.h"
#include "yeartext.h"


namespace tamrik {

using ruledb::RuleDatabase;

std::vector<FacultyRecord> loadFaculties(const RuleDatabase& db, const std::string& lastYearTable)
{
    std::vector<FacultyNames> names = readFacultyNames(db);
    WholeRuleTables tables(db);
    const RangeTables ranges(db, lastYearTable);
    std::vector<FacultyRecord> faculties(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        FacultyRecord& record = faculties[i];
        record.facCode = std::move(names[i].facCode);
        record.university = std::move(names[i].university);
        record.name = std::move(names[i].name);
        record.lastYear = ranges.lastYear(record.facCode);
        record.years = ranges.years(record.facCode);
        record.load = BuildFacultyRule(tables, record.facCode, record.facCode);
    }
    return faculties;
}

std::optional<FacultyRecord> loadFaculty(const RuleDatabase& db, const std::string& lastYearTable,
                                         const std::string& facCode)
{
    for (FacultyNames& names : readFacultyNames(db)) {
        if (names.facCode != facCode)
            continue;
        FacultyRecord record;
        record.facCode = std::move(names.facCode);
        record.university = std::move(names.university);
        record.name = std::move(names.name);
        if (const auto range = ruledb::LookupLastYearRange(db, lastYearTable, facCode))
            record.lastYear = YearRange{YearText(lastYearTable), range->ScMin, range->ScMax};
        record.years = FacultyYears(db, facCode);
        ruledb::DatabaseRuleSource source(db);
        record.load = BuildFacultyRule(source, facCode, facCode);
        return record;
    }
    return std::nullopt;
}

std::vector<YearRange> FacultyYears(const RuleDatabase& db, const std::string& facCode)
{
    std::vector<YearRange> years;
    for (const std::string& table : RangeTableNames(db)) {
        if (const auto range = ruledb::LookupLastYearRange(db, table, facCode))
            years.push_back({YearText(table), range->ScMin, range->ScMax});
    }
    return years;
}

}  // namespace tamrik
