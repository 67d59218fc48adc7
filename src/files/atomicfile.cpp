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

}  // namespace

bool WriteLinesAtomically(const fs::path& file, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            return false;
        text += line;
        text += "\r\n";
    }
    return WriteTextAtomically(file, text);
}

bool WriteTextAtomically(const fs::path& file, std::string_view text)
{
    try {
        AtomicFileWriter writer(file);
        writer.write(text);
        return writer.commit();
    } catch (...) {  // allocation or path conversion
        return false;
    }
}

AtomicFileWriter::AtomicFileWriter(const fs::path& file)
    : m_file(file), m_tmp(temporaryBeside(file)), m_out(m_tmp, std::ios::binary | std::ios::trunc)
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_committed)
        return;
    m_out.close();
    std::error_code ignored;
    fs::remove(m_tmp, ignored);
}

bool AtomicFileWriter::ok() const { return m_out.good(); }

void AtomicFileWriter::write(std::string_view text)
{
    m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

bool AtomicFileWriter::commit()
{
    m_out.flush();
    m_out.close();
    if (m_out.fail())
        return false;
    std::error_code ec;
    fs::rename(m_tmp, m_file, ec);
    m_committed = !ec;
    return m_committed;
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
