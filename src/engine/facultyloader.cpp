#include "facultyloader.h"

#include "ruletables.h"
#include "wholetables.h"
#include "yeartext.h"


namespace tamrik {

using ruledb::RuleDatabase;

void forEachFaculty(const RuleDatabase& db, const std::string& lastYearTable,
                    const std::function<void(std::size_t)>& counted, const std::function<void(FacultyRecord&&)>& each)
{
    SUNameFaculties faculties(db);
    WholeRuleTables tables(db, faculties);
    const RangeTables ranges(db, lastYearTable, faculties);
    counted(faculties.names().size());
    for (std::size_t i = 0; i < faculties.names().size(); ++i) {
        SUNameFaculties::Names& names = faculties.names()[i];
        FacultyRecord record;
        record.facCode = names.facCode;
        record.university = std::move(names.university);
        record.name = std::move(names.name);
        record.lastYear = ranges.lastYear(i);
        record.years = ranges.years(i);
        record.load = buildFacultyRule(tables, record.facCode, record.facCode);
        each(std::move(record));
    }
}

std::vector<FacultyRecord> loadFaculties(const RuleDatabase& db, const std::string& lastYearTable)
{
    std::vector<FacultyRecord> records;
    forEachFaculty(
        db, lastYearTable, [&](std::size_t count) { records.reserve(count); },
        [&](FacultyRecord&& record) { records.push_back(std::move(record)); });
    return records;
}

std::optional<FacultyRecord> loadFaculty(const RuleDatabase& db, const std::string& lastYearTable,
                                         const std::string& facCode)
{
    SUNameFaculties faculties(db);
    const std::optional<std::size_t> place = faculties.placeOf(facCode);
    if (!place)
        return std::nullopt;
    SUNameFaculties::Names& names = faculties.names()[*place];
    FacultyRecord record;
    record.facCode = facCode;
    record.university = std::move(names.university);
    record.name = std::move(names.name);
    if (const auto range = ruledb::lookupLastYearRange(db, lastYearTable, facCode))
        record.lastYear = YearRange{yearText(lastYearTable), range->ScMin, range->ScMax};
    record.years = facultyYears(db, facCode);
    ruledb::DatabaseRuleSource source(db);
    record.load = buildFacultyRule(source, facCode, facCode);
    return record;
}

std::vector<YearRange> facultyYears(const RuleDatabase& db, const std::string& facCode)
{
    std::vector<YearRange> years;
    for (const std::string& table : rangeTableNames(db)) {
        if (const auto range = ruledb::lookupLastYearRange(db, table, facCode))
            years.push_back({yearText(table), range->ScMin, range->ScMax});
    }
    return years;
}

}  // namespace tamrik
