#include "atomicfile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace tamrik {

namespace fs = std::filesystem;

namespace {

// A name of its own per write, so that two copies of the program saving at
// once never write into the same temporary file.
fs::path temporaryBeside(const fs::path& file)
{
    std::random_device device;
    std::uniform_int_distribution<unsigned long> pick(0, 0xFFFFFFFFul);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08lx", pick(device));
    fs::path tmp = file;
    tmp += suffix;
    tmp += ".new";
    return tmp;
}

bool writeAll(const fs::path& file, const std::vector<std::string>& lines)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.flush();
    out.close();
    return !out.fail();
}

}  // namespace

bool WriteLinesAtomically(const fs::path& file, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            return false;
    }
    try {
        const fs::path tmp = temporaryBeside(file);
        std::error_code ec;
        if (!writeAll(tmp, lines)) {
            fs::remove(tmp, ec);
            return false;
        }
        fs::rename(tmp, file, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(tmp, ignored);
            return false;
        }
        return true;
    } catch (...) {  // allocation or path conversion
        return false;
    }
}

std::optional<std::vector<std::string>> ReadLines(const fs::path& file)
{
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return std::nullopt;
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (in.bad())
            return std::nullopt;

        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            std::size_t stop = end;
            if (stop > start && text[stop - 1] == '\r')
                --stop;
            lines.emplace_back(text, start, stop - start);
            start = end + 1;
        }
        return lines;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace tamrik
