#include "mdbimport.h"

#include "boundedchild.h"
#include "csvfile.h"
#include "datasetbytes.h"
#include "jetfile.h"
#include "sha256.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#ifdef TAMRIK_HAVE_LIBMDB
#include <mdbtools.h>
#endif

namespace ruledbtool {

std::string jet3CodePage(int stated, int language, const std::string& given)
{
    constexpr int kThai = 1054;
    if (!given.empty())
        return given;
    if (stated != 0)
        return "CP" + std::to_string(stated);
    return language == kThai ? "CP874" : "CP1252";
}

#ifndef TAMRIK_HAVE_LIBMDB

bool canImportMdb() { return false; }

MdbImport readMdbFile(const std::string& path, const std::string&)
{
#ifdef _WIN32
    throw FileError(path + ": tamrik-ruledb for Windows has no Access reader: import-mdb runs on Linux "
                           "(mdbtools' libmdb)");
#else
    throw FileError(path + ": this build of tamrik-ruledb has no Access reader (mdbtools' libmdb)");
#endif
}

#else

namespace {

// Room for a memo field; libmdb cuts a longer value at this size.
constexpr std::size_t kBindSize = 65536;

ColumnType typeOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return ColumnType::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ColumnType::Real;
    case MDB_BINARY:
    case MDB_OLE:
        return ColumnType::Blob;
    default:
        return ColumnType::Text;  // text, memo, dates and replication ids as libmdb writes them
    }
}

// A bound field as libmdb left it: always text, numbers in the C locale,
// typed as a CSV field is; a number field that is no number stays text.
Value valueOf(ColumnType type, const char* text, int length)
{
    const std::string field(text, static_cast<std::size_t>(length));
    std::string why;
    return typedValue(field, type, why).value_or(Value::ofText(field));
}

std::string fileHash(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    Sha256 hash;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        hash.add(std::string_view(buffer, static_cast<std::size_t>(in.gcount())));
    return hash.hex();
}

Table readTable(MdbHandle* mdb, MdbCatalogEntry* entry)
{
    const auto freeTable = [](MdbTableDef* t) { mdb_free_tabledef(t); };
    std::unique_ptr<MdbTableDef, decltype(freeTable)> table(mdb_read_table(entry), freeTable);
    if (!table || !mdb_read_columns(table.get()))
        throw FileError(std::string("cannot read the columns of table ") + entry->object_name);
    mdb_rewind_table(table.get());

    Table result;
    result.schema.name = entry->object_name;
    const unsigned columns = table->num_cols;
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(mdb->bind_size + 1));
    std::vector<int> lengths(columns);
    for (unsigned c = 0; c < columns; ++c) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        result.schema.columns.push_back({column->name, typeOf(column->col_type)});
        mdb_bind_column(table.get(), static_cast<int>(c) + 1, buffers[c].data(), &lengths[c]);
    }
    while (mdb_fetch_row(table.get())) {
        Row row;
        for (unsigned c = 0; c < columns; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (lengths[c] == 0) {
                row.values.emplace_back();
            } else if (column->col_type == MDB_OLE) {
                std::size_t size = 0;
                void* bytes = mdb_ole_read_full(mdb, column, &size);
                row.values.push_back(bytes ? Value::ofBlob(std::string(static_cast<char*>(bytes), size)) : Value());
                std::free(bytes);
            } else if (column->col_type == MDB_BINARY) {
                row.values.push_back(Value::ofBlob(std::string(buffers[c].data(), static_cast<std::size_t>(lengths[c]))));
            } else {
                row.values.push_back(valueOf(result.schema.columns[c].type, buffers[c].data(), lengths[c]));
            }
        }
        result.rows.push_back(std::move(row));
    }
    nameRowsByKey(result);
    return result;
}

// The code page as one line of the child's answer, and back.
std::string codePageLine(const MdbCodePage& page)
{
    return std::to_string(page.stated) + ' ' + std::to_string(page.language) + ' ' + (page.unicode ? '1' : '0') + ' '
           + page.used + '\n';
}

MdbCodePage codePageOf(const std::string& line)
{
    MdbCodePage page;
    std::istringstream in(line);
    int unicode = 0;
    in >> page.stated >> page.language >> unicode >> page.used;
    page.unicode = unicode != 0;
    return page;
}

MdbImport readWithLibmdb(const std::string& path, const std::string& codePage)
{
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb)
        throw FileError(path + ": not a Microsoft Access (Jet) file");
    const auto closeHandle = [](MdbHandle* h) { mdb_close(h); };
    std::unique_ptr<MdbHandle, decltype(closeHandle)> handle(mdb, closeHandle);
    MdbImport import;
    MdbCodePage& page = import.codePage;
    page.stated = mdb->f->code_page;
    page.language = mdb->f->lang_id;
    page.unicode = mdb->f->jet_version != MDB_VER_JET3;
    page.used = jet3CodePage(page.stated, page.language, codePage);
    const iconv_t probe = iconv_open("UTF-8", page.used.c_str());
    if (probe == reinterpret_cast<iconv_t>(-1))
        throw FileError(path + ": no conversion from the code page " + page.used + " is known here: give --codepage with one that iconv -l lists");
    iconv_close(probe);
    // libmdb takes a Jet 3 file's code page from the environment when it
    // sets up its conversion, which opening the file did with its default.
    setenv("MDB_JET3_CHARSET", page.used.c_str(), 1);
    mdb_iconv_close(mdb);
    mdb_iconv_init(mdb);
    mdb_set_bind_size(mdb, kBindSize);
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(mdb);
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        throw FileError(path + ": cannot read the list of tables");

    DataSet& data = import.data;
    for (guint i = 0; i < mdb->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
            continue;
        try {
            data.tables.push_back(readTable(mdb, entry));
        } catch (const FileError& e) {
            throw FileError(path + ": " + e.what());
        }
    }
    return import;
}

// The child's answer: the data set, or the message of a FileError.
constexpr char kData = 'D';
constexpr char kFault = 'E';

}  // namespace

bool canImportMdb() { return true; }

MdbImport readMdbFile(const std::string& path, const std::string& codePage)
{
    if (const auto fault = jetFileFault(path))
        throw FileError(path + ": damaged file: " + *fault);
    // A damaged file can send libmdb's reading of the catalog on without end:
    // it reads in a child of its own, with room for many times the file and
    // a minute of work.
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    const auto answer = runBounded(
        [&] {
            try {
                const MdbImport read = readWithLibmdb(path, codePage);
                return kData + codePageLine(read.codePage) + dataSetBytes(read.data);
            } catch (const FileError& e) {
                return kFault + std::string(e.what());
            }
        },
        {(256u << 20) + 32 * size, 60});
    if (!answer || answer->empty())
        throw FileError(path + ": damaged file: reading it went past its memory or time limit");
    if (answer->front() == kFault)
        throw FileError(answer->substr(1));
    const std::size_t lineEnd = answer->find('\n');
    MdbImport import{dataSetFromBytes(std::string_view(*answer).substr(lineEnd + 1)),
                     codePageOf(answer->substr(1, lineEnd - 1))};
    import.data.inputHash = fileHash(path);
    return import;
}

#endif

}  // namespace ruledbtool
