#include "dataset.h"

#include "buildinfo.h"
#include "contentcheck.h"
#include "ruledatabase.h"

#include <filesystem>

namespace ruledbtool {

DataSet readDatabaseFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw FileError(path + ": no such file");
    // Judged and read as the program judges and reads it (header, every page
    // read through once, no view, the content its build recorded, texts
    // converted from a UTF-16 file, no text past the program's limit): a file
    // it refuses must not pass here.
    using tamrik::ruledb::RowCursor;
    DataSet data;
    try {
        const tamrik::ruledb::RuleDatabase db(path);
        tamrik::ruledb::requireNoViews(db);
        tamrik::ruledb::requireRecordedContent(db);
        std::vector<std::string> names;
        db.forEachRow("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' "
                      "ESCAPE '\\' ORDER BY rowid",
                      [&](const RowCursor& row) {
                          names.emplace_back(row.textAt(0));
                          return true;
                      });
        for (const std::string& name : names) {
            Table table;
            table.schema.name = name;
            db.forEachRow("SELECT name, type FROM pragma_table_info(?1)", {name}, [&](const RowCursor& row) {
                              const auto declared = row.textOrNull(1);
                              table.schema.columns.push_back(
                                  {row.textOrNull(0).value_or(""), tamrik::ruledb::typeOfDeclared(declared.value_or(""))});
                              return true;
                          });
            db.forEachRow("SELECT * FROM " + tamrik::ruledb::quoteIdentifier(name), [&](const RowCursor& cursor) {
                Row row;
                for (std::size_t c = 0; c < cursor.columns().size(); ++c)
                    row.values.push_back(cursor.stored(c));
                table.rows.push_back(std::move(row));
                return true;
            });
            nameRowsByKey(table);
            data.tables.push_back(std::move(table));
        }
    } catch (const tamrik::ruledb::DbError& e) {
        throw FileError(path + ": the program refuses it: " + e.what());
    }
    if (const Table* info = data.find(tamrik::ruledb::buildInfoTable().name)) {
        const int column = info->column(tamrik::ruledb::kSampleColumn);
        data.sample = column >= 0 && !info->rows.empty()
                      && info->rows.front().values[static_cast<std::size_t>(column)] == Value::ofText("1");
    }
    return data;
}

}  // namespace ruledbtool
