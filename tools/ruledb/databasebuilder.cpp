#include "databasebuilder.h"

#include "atomicfile.h"
#include "contentcheck.h"
#include "ruledatabase.h"
#include "ruledbwriter.h"

#include <cstdlib>
#include <ctime>
#include <string_view>

namespace ruledbtool {

using tamrik::ruledb::BuildInfo;

namespace {

using tamrik::ruledb::RuleDbWriter;

void insertTable(RuleDbWriter& db, const Table& table)
{
    db.createTable(table.schema);
    for (const Row& row : table.rows) {
        const std::string failure = db.insert(table.schema, row.values);
        if (!failure.empty())
            throw BuildError(table.schema.name + ":" + row.where + ":-: " + failure);
    }
    db.createIndexes(table.schema);
}

std::string built(const DataSet& data, BuildInfo info, const std::string& outputPath)
{
    const TableSchema& infoTable = tamrik::ruledb::buildInfoTable();
    RuleDbWriter db;
    db.begin();
    for (const Table& table : data.tables) {
        if (table.schema.name != infoTable.name)
            insertTable(db, table);
    }
    // Made now, so that its page is in place when the digest leaves it out,
    // and so that even a data set of no table is a database.
    db.createTable(infoTable);
    db.commit();
    // The digest as the program will compute it: through its own reading of
    // the database just built.
    const std::string image = db.image();
    info.ContentHash = tamrik::ruledb::recordableDigest(*tamrik::ruledb::RuleDatabase::fromImage(image, outputPath), info);
    db.begin();
    const std::string failure =
        db.insert(infoTable, {Value::ofText(info.BuildDate), Value::ofText(info.admissionYear),
                              Value::ofText(info.InputHash), Value::ofText(info.Sample ? "1" : "0"),
                              Value::ofText(info.ContentHash)});
    if (!failure.empty())
        throw BuildError(infoTable.name + ":-:-: " + failure);
    db.commit();
    return db.image();
}

}  // namespace

BuildInfo makeBuildInfo(const DataSet& data)
{
    std::time_t now = std::time(nullptr);
    // Debian's reproducible builds fix the date through this variable.
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"))
        now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);  // time_t is 64 bits there too
#else
    gmtime_r(&now, &utc);
#endif
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
    return BuildInfo{date, admissionYear(data), data.inputHash, data.sample, {}};
}

void checkOutputFile(const std::string& outputPath)
{
    const tamrik::OutputFile output = tamrik::prepareOutputFile(outputPath);
    if (!output.problem.empty())
        throw BuildError(outputPath + ": cannot write the database there: " + output.problem);
}

void writeRuleDatabase(const DataSet& data, const std::string& outputPath, const BuildInfo& info)
{
    const std::string image = built(data, info, outputPath);
    // A file of its own beside the output, on the disk before it takes the
    // output's name: a power cut leaves the old database or the new one.
    tamrik::AtomicFileWriter writer(outputPath);
    constexpr std::size_t kChunk = 1 << 16;
    for (std::size_t at = 0; at < image.size() && writer.ok(); at += kChunk)
        writer.write(std::string_view(image).substr(at, kChunk));
    if (!writer.commit(tamrik::Flush::ToDisk))
        throw BuildError(outputPath + ": cannot write the new database beside it and put it in place: "
                         + writer.error());
}

}  // namespace ruledbtool
