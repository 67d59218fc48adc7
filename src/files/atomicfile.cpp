#include "atomicfile.h"

#include "systemfiles.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace tamrik {

namespace fs = std::filesystem;
using systemfiles::PathChar;

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

bool isTemporaryOf(std::basic_string_view<PathChar> name, std::basic_string_view<PathChar> target)
{
    const std::size_t end = sizeof kTemporaryEnd - 1;
    if (name.size() != target.size() + 1 + kRandomDigits + end || name.compare(0, target.size(), target) != 0
        || name[target.size()] != '.'
        || !std::equal(kTemporaryEnd, kTemporaryEnd + end, name.end() - static_cast<std::ptrdiff_t>(end)))
        return false;
    for (std::size_t i = target.size() + 1; i < name.size() - end; ++i) {
        const PathChar c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool isBlankOrCr(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string systemReason(int error) { return std::error_code(error, std::generic_category()).message(); }

// The file a chain of symbolic links ends at, and whether a regular file may
// take its place there.
OutputFile followLinks(const fs::path& file)
{
    OutputFile out{file, {}};
    if (file.empty()) {
        out.problem = "no file name given";
        return out;
    }
    constexpr int kMostLinks = 40;  // as the kernel allows before ELOOP
    for (int link = 0; link <= kMostLinks; ++link) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(out.path, ec);
        if (status.type() == fs::file_type::not_found)
            return out;
        if (ec) {
            out.problem = ec.message();
            return out;
        }
        if (status.type() == fs::file_type::directory)
            out.problem = "it is a folder";
        else if (status.type() != fs::file_type::regular && status.type() != fs::file_type::symlink)
            out.problem = "it is not a regular file (a device, a pipe or a socket)";
        if (status.type() != fs::file_type::symlink)
            return out;
        const fs::path to = fs::read_symlink(out.path, ec);
        if (ec) {
            out.problem = ec.message();
            return out;
        }
        out.path = to.is_absolute() ? to : out.path.parent_path() / to;
    }
    out.problem = systemReason(ELOOP);
    return out;
}

// The temporary files of the writes under way, for a signal handler to
// remove: a path is written only while its slot is not set, so the handler
// never reads one half written.
struct PendingTemporary {
    static constexpr std::size_t kLongest = 4096;
    std::atomic<bool> taken{false};
    std::atomic<bool> set{false};
    PathChar path[kLongest] = {};
};
std::array<PendingTemporary, 8> pendingTemporaries;

int rememberTemporary(const fs::path& tmp)
{
    if (tmp.native().size() >= PendingTemporary::kLongest)
        return -1;
    for (std::size_t i = 0; i < pendingTemporaries.size(); ++i) {
        PendingTemporary& slot = pendingTemporaries[i];
        bool free = false;
        if (slot.taken.compare_exchange_strong(free, true)) {
            std::memcpy(slot.path, tmp.c_str(), (tmp.native().size() + 1) * sizeof(PathChar));
            slot.set.store(true, std::memory_order_release);
            return static_cast<int>(i);
        }
    }
    return -1;  // a leftover then waits for the next run to remove it
}

void forgetTemporary(int index)
{
    if (index < 0)
        return;
    pendingTemporaries[static_cast<std::size_t>(index)].set.store(false, std::memory_order_release);
    pendingTemporaries[static_cast<std::size_t>(index)].taken.store(false, std::memory_order_release);
}

// Runs in a signal handler: nothing but the removals.
void removeTemporaries()
{
    for (PendingTemporary& slot : pendingTemporaries) {
        if (slot.set.load(std::memory_order_acquire))
            systemfiles::removeFileNow(slot.path);
    }
}

}  // namespace

bool isWholeLine(const std::string& line) { return line.find_first_of("\r\n") == std::string::npos; }

bool writeLinesAtomically(const fs::path& file, const std::vector<std::string>& lines, Flush flush)
{
    std::string text;
    for (const std::string& line : lines) {
        if (!isWholeLine(line))
            return false;
        text += line;
        text += "\r\n";
    }
    return writeTextAtomically(file, text, flush);
}

bool writeTextAtomically(const fs::path& file, std::string_view text, Flush flush)
{
    try {
        AtomicFileWriter writer(file);
        writer.write(text);
        return writer.commit(flush);
    } catch (...) {  // allocation or path conversion
        return false;
    }
}

AtomicFileWriter::AtomicFileWriter(const fs::path& file)
{
    const OutputFile target = followLinks(file);
    m_file = target.path;
    if (!target.problem.empty()) {
        fail(target.problem);
        return;
    }
    m_tmp = temporaryBeside(m_file);
    int openError = 0;
    {
        // A signal between the making and the noting would miss the file.
        const systemfiles::EndingSignalsHeld held;
        m_fd = systemfiles::createNewFile(m_tmp);
        openError = errno;
        if (m_fd >= 0)
            m_signalSlot = rememberTemporary(m_tmp);
    }
    if (m_fd < 0) {
        fail(systemReason(openError));
        return;
    }
    // A file replaced keeps its permissions.
    systemfiles::keepPermissions(m_file, m_fd);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_fd >= 0)
        systemfiles::closeFile(m_fd);
    if (!m_committed && !m_tmp.empty()) {
        std::error_code ignored;
        fs::remove(m_tmp, ignored);
    }
    forgetTemporary(m_signalSlot);
}

bool AtomicFileWriter::ok() const { return m_ok; }

const std::string& AtomicFileWriter::error() const { return m_error; }

void AtomicFileWriter::fail(std::string reason)
{
    if (m_ok)
        m_error = std::move(reason);
    m_ok = false;
}

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
        const long long n = systemfiles::writeSome(m_fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0 || errno != EINTR)
            fail(n == 0 ? systemReason(EIO) : systemReason(errno));
    }
    m_buffer.clear();
}

bool AtomicFileWriter::commit(Flush toDisk)
{
    if (m_fd < 0)
        return false;
    flush();
    // The bytes reach the disk before the rename makes them the file: after a
    // power cut the rename may survive while unflushed data does not.
    if (m_ok && toDisk == Flush::ToDisk && !systemfiles::flushToDisk(m_fd))
        fail(systemReason(errno));
    if (!systemfiles::closeFile(m_fd))
        fail(systemReason(errno));
    m_fd = -1;
    if (!m_ok)
        return false;
    const std::string problem = systemfiles::replaceFile(m_tmp, m_file);
    if (!problem.empty()) {
        fail(problem);
        return false;
    }
    m_committed = true;
    if (toDisk == Flush::ToDisk)
        systemfiles::syncFolder(m_file.parent_path());
    return true;
}

std::optional<std::vector<std::string>> readLines(const fs::path& file)
{
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return std::nullopt;
        // C streams: the C++ ones would set up the whole locale machinery at
        // start-up for two small files.
        std::string text(kMaxTextFileBytes + 1, '\0');
        std::FILE* in = systemfiles::openFile(file, "rb");
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

void removeUnfinishedWrites(const fs::path& folder, std::initializer_list<fs::path> names)
{
    try {
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const fs::path name = it->path().filename();
            std::error_code ignored;
            if (std::any_of(names.begin(), names.end(),
                            [&](const fs::path& n) { return isTemporaryOf(name.native(), n.native()); })
                && it->is_regular_file(ignored))
                fs::remove(it->path(), ignored);
        }
    } catch (...) {  // allocation or path conversion: the leftovers wait for the next start
    }
}

OutputFile prepareOutputFile(const fs::path& file)
{
    try {
        OutputFile out = followLinks(file);
        if (!out.problem.empty())
            return out;
        const fs::path folder = out.path.parent_path().empty() ? fs::path(".") : out.path.parent_path();
        std::error_code ec;
        const fs::file_status status = fs::status(folder, ec);
        if (status.type() == fs::file_type::not_found)
            out.problem = "the folder '" + folder.string() + "' does not exist";
        else if (ec)
            out.problem = ec.message();
        else if (status.type() != fs::file_type::directory)
            out.problem = "'" + folder.string() + "' is not a folder";
        else if (!systemfiles::mayWriteIn(folder))
            out.problem = systemReason(errno);
        else
            removeUnfinishedWrites(folder, {out.path.filename()});
        return out;
    } catch (...) {  // allocation or path conversion
        return {file, "cannot look at the file"};
    }
}

void removeTemporaryFilesOnSignals() { systemfiles::onEndingSignals(removeTemporaries); }

bool removeFile(const fs::path& file)
{
    std::error_code ec;
    fs::remove(file, ec);
    return !ec;
}

}  // namespace tamrik
