// The batch file's streaming reader against the data tool's whole-file
// reading of the same bytes, read a few bytes at a time so that characters,
// line ends and records fall across reads. Property: the same records (lines,
// columns, fields), or the same fault at the same place.
#include "csvstream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

struct Read {
    std::vector<tamrik::CsvRecord> records;
    std::string fault;  // "LINE:COLUMN: message"
};

Read whole(std::string_view bytes)
{
    Read read;
    try {
        read.records = tamrik::parseCsv(tamrik::decodeDataText(bytes).utf8);
    } catch (const tamrik::TextError& e) {
        read.fault = e.what();
    }
    return read;
}

Read streamed(const std::string& path, std::size_t readSize)
{
    Read read;
    try {
        tamrikcalc::CsvStream stream(path, readSize);
        for (int pass = 0; pass < 2; ++pass) {  // a second pass reads the same
            stream.rewind();
            read.records.clear();
            while (auto record = stream.next())
                read.records.push_back(std::move(*record));
        }
    } catch (const tamrik::FileError& e) {
        read.fault = std::string(e.what()).substr(path.size() + 1);
        read.records.clear();  // the whole-file reading gives none then
    }
    return read;
}

const std::string& fileOfThisRun()
{
    static const std::string path = (std::filesystem::temp_directory_path() / "tamrik-fuzz-csvstream-").string()
                                     + std::to_string(::getpid()) + ".csv";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t readSize = 1 + data[0] % 16;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::ofstream(fileOfThisRun(), std::ios::binary | std::ios::trunc) << bytes;
    const Read expected = whole(bytes);
    const Read got = streamed(fileOfThisRun(), readSize);
    std::error_code ignored;
    std::filesystem::remove(fileOfThisRun(), ignored);
    require(got.fault == expected.fault);
    require(got.records.size() == expected.records.size());
    for (std::size_t i = 0; i < got.records.size(); ++i) {
        require(got.records[i].line == expected.records[i].line);
        require(got.records[i].fields == expected.records[i].fields);
        require(got.records[i].columns == expected.records[i].columns);
    }
    return 0;
}
