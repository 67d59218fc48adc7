#include "atomicfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace tamrik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRandomDigits = 8;
constexpr char kTemporaryEnd[] = ".new";

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
    tmp += kTemporaryEnd;
    return tmp;
}

bool isTemporaryOf(std::string_view name, std::string_view target)
{
    const std::size_t end = sizeof kTemporaryEnd - 1;
    if (name.size() != target.size() + 1 + kRandomDigits + end || name.compare(0, target.size(), target) != 0 ||
        name[target.size()] != '.' || name.compare(name.size() - end, end, kTemporaryEnd) != 0)
        return false;
    for (std::size_t i = target.size() + 1; i < name.size() - end; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// Makes the rename itself durable. Some file systems refuse fsync on a
// folder; the new file is in place all the same, so that is no failure.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool isBlankOrCr(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

bool IsWholeLine(const std::string& line) { return line.find_first_of("\r\n") == std::string::npos; }

bool WriteLinesAtomically(const fs::path& file, const std::vector<std::string>& lines, Flush flush)
{
    std::string text;
    for (const std::string& line : lines) {
        if (!IsWholeLine(line))
            return false;
        text += line;
        text += "\r\n";
    }
    return WriteTextAtomically(file, text, flush);
}

bool WriteTextAtomically(const fs::path& file, std::string_view text, Flush flush)
{
    try {
        AtomicFileWriter writer(file);
        writer.write(text);
        return writer.commit(flush);
    } catch (...) {  // allocation or path conversion
        return false;
    }
}

AtomicFileWriter::AtomicFileWriter(const fs::path& file) : m_file(file), m_tmp(temporaryBeside(file))
{
    m_fd = ::open(m_tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    m_ok = m_fd >= 0;
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed) {
        std::error_code ignored;
        fs::remove(m_tmp, ignored);
    }
}

bool AtomicFileWriter::ok() const { return m_ok; }

void AtomicFileWriter::write(std::string_view text)
{
    m_buffer += text;
    if (m_buffer.size() >= kWriteChunk)
        flush();
}

void AtomicFileWriter::flush()
{
    const std::string_view text = m_buffer;
    std::size_t done = 0;
    while (m_ok && done < text.size()) {
        const ssize_t n = ::write(m_fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0 || errno != EINTR)
            m_ok = false;
    }
    m_buffer.clear();
}

bool AtomicFileWriter::commit(Flush toDisk)
{
    flush();
    // The bytes reach the disk before the rename makes them the file: after a
    // power cut the rename may survive while unflushed data does not.
    if (toDisk == Flush::ToDisk)
        m_ok = m_ok && ::fsync(m_fd) == 0;
    m_ok = ::close(m_fd) == 0 && m_ok;
    m_fd = -1;
    if (!m_ok)
        return false;
    std::error_code ec;
    fs::rename(m_tmp, m_file, ec);
    if (ec)
        return false;
    m_committed = true;
    if (toDisk == Flush::ToDisk)
        syncFolder(m_file.parent_path());
    return true;
}

std::optional<std::vector<std::string>> ReadLines(const fs::path& file)
{
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return std::nullopt;
        // C streams: the C++ ones would set up the whole locale machinery at
        // start-up for two small files.
        std::string text(kMaxTextFileBytes + 1, '\0');
        std::FILE* in = std::fopen(file.c_str(), "rb");
        if (!in)
            return std::nullopt;
        const std::size_t got = std::fread(text.data(), 1, text.size(), in);
        const bool failed = std::ferror(in) != 0;
        std::fclose(in);
        if (failed)
            return std::nullopt;
        text.resize(got);
        if (text.size() > kMaxTextFileBytes)
            return std::vector<std::string>();
        // An editor may add a mark to a file that already had one, or after
        // a stray CR; the first line never starts with either.
        std::size_t begin = 0;
        while (begin < text.size()) {
            if (text[begin] == '\r')
                ++begin;
            else if (text.compare(begin, 3, "\xEF\xBB\xBF") == 0)
                begin += 3;
            else
                break;
        }
        text.erase(0, begin);

        // A line ends at LF, at CR LF or at a CR alone (as old Mac editors
        // write): a run of CRs, with or without an LF after it, is one end.
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            while (start < text.size() && text[start] == '\r')
                ++start;
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            std::size_t stop = end;
            while (stop > start && isBlankOrCr(text[stop - 1]))
                --stop;
            lines.emplace_back(text, start, stop - start);
            while (end < text.size() && text[end] == '\r')
                ++end;
            start = end < text.size() && text[end] == '\n' ? end + 1 : end;
        }
        return lines;
    } catch (...) {
        return std::nullopt;
    }
}

void RemoveUnfinishedWrites(const fs::path& folder, std::initializer_list<std::string_view> names)
{
    try {
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code ignored;
            if (std::any_of(names.begin(), names.end(), [&](std::string_view n) { return isTemporaryOf(name, n); })
                && it->is_regular_file(ignored))
                fs::remove(it->path(), ignored);
        }
    } catch (...) {  // allocation or path conversion: the leftovers wait for the next start
    }
}

bool RemoveFile(const fs::path& file)
{
    std::error_code ec;
    fs::remove(file, ec);
    return !ec;
}

}  // namespace tamrik
