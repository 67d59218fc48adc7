#include "csvstream.h"

#include "utf8text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "windowsio.h"

namespace tamrikcalc {

namespace {

constexpr std::size_t kNone = std::string::npos;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string systemReason(int error) { return std::error_code(error, std::generic_category()).message(); }

// A file of no name: nothing is left of it however the run ends.
int unnamedTemporaryFile()
{
#ifdef _WIN32
    return windowsTemporaryFile();
#else
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    std::string name = (folder / "tamrik-calc.XXXXXX").string();
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        ::unlink(name.c_str());
    return fd;
#endif
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The bytes the data tool's reading takes as Windows-874.
bool isWindows874(unsigned char byte)
{
    static const std::array<bool, 256> known = [] {
        std::array<bool, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[b] = b == 0 || !tamrik::windows874ToUtf8(std::string(1, static_cast<char>(b))).empty();
        return table;
    }();
    return known[byte];
}

// Where each reading of the bytes first fails, found as they come.
class EncodingScan {
public:
    void add(std::string_view bytes, bool last)
    {
        if (m_badThai == kNone) {
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                if (!isWindows874(static_cast<unsigned char>(bytes[i]))) {
                    m_badThai = m_seen + i;
                    break;
                }
            }
        }
        if (m_badUtf8 == kNone) {
            m_pending.append(bytes);
            std::size_t i = 0;
            while (i < m_pending.size()) {
                if (static_cast<unsigned char>(m_pending[i]) < 0x80) {
                    ++i;
                    continue;
                }
                const std::size_t length = tamrik::utf8CharacterLength(std::string_view(m_pending).substr(i));
                if (length == 0 && !last && m_pending.size() - i < 4)
                    break;  // a character cut by the end of what has come
                if (length == 0) {
                    m_badUtf8 = m_pendingStart + i;
                    break;
                }
                i += length;
            }
            m_pending.erase(0, i);
            m_pendingStart += i;
        }
        m_seen += bytes.size();
    }

    bool bothFailed() const { return m_badUtf8 != kNone && m_badThai != kNone; }
    std::size_t badUtf8() const { return m_badUtf8; }
    std::size_t badThai() const { return m_badThai; }

private:
    std::size_t m_seen = 0;
    std::size_t m_badUtf8 = kNone, m_badThai = kNone;
    std::string m_pending;  // the bytes of a character not yet whole
    std::size_t m_pendingStart = 0;
};

// Line ends as the data tool's reader counts them: LF, or a CR not before an LF.
int lineEnds(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        count += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    return count;
}

}  // namespace

CsvStream::CsvStream(const std::string& path, std::size_t readSize) : m_path(path), m_readSize(std::max<std::size_t>(1, readSize))
{
    try {
        open();
    } catch (...) {
        if (m_fd >= 0)
            ::close(m_fd);
        throw;
    }
    rewind();
}

void CsvStream::open()
{
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        fail("cannot open the file: " + systemReason(errno));
    struct stat status {};
    const bool regular = ::fstat(m_fd, &status) == 0 && S_ISREG(status.st_mode);
    int copy = -1;
    if (!regular && (copy = unnamedTemporaryFile()) < 0)
        fail("cannot keep a copy of it to read it twice: " + systemReason(errno));

    EncodingScan scan;
    std::string chunk(m_readSize, '\0');
    std::string start;  // the first bytes, for a byte-order mark
    for (;;) {
        const ssize_t n = ::read(m_fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            if (copy >= 0)
                ::close(copy);
            fail("cannot read the file: " + systemReason(error));
        }
        const std::string_view got(chunk.data(), static_cast<std::size_t>(n));
        if (start.size() < kByteOrderMark.size())
            start.append(got.substr(0, kByteOrderMark.size() - start.size()));
        if (copy >= 0 && !writeAll(copy, got)) {
            const int error = errno;
            ::close(copy);
            fail("cannot keep a copy of it to read it twice: " + systemReason(error));
        }
        scan.add(got, n == 0);
        if (n == 0 || scan.bothFailed())
            break;
    }
    if (copy >= 0) {
        ::close(m_fd);
        m_fd = copy;
    }
    m_bom = start == kByteOrderMark;
    if (scan.badUtf8() == kNone)
        return;
    if (scan.badThai() == kNone)
        m_windows874 = true;
    else
        failAtByte(std::max(scan.badUtf8(), scan.badThai()), scan.badUtf8() >= scan.badThai());
}

CsvStream::~CsvStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CsvStream::rewind()
{
    m_offset = m_bom && !m_windows874 ? kByteOrderMark.size() : 0;
    m_buffer.clear();
    m_start = m_scan = 0;
    m_quote = Quote::Outside;
    m_fieldStart = true;
    m_end = false;
    m_line = 1;
}

bool CsvStream::fill()
{
    if (m_end)
        return false;
    if (m_start > 0) {
        m_buffer.erase(0, m_start);
        m_scan -= m_start;
        m_start = 0;
    }
    const std::size_t had = m_buffer.size();
    m_buffer.resize(had + m_readSize);
    ssize_t n;
    while ((n = ::pread(m_fd, m_buffer.data() + had, m_readSize, static_cast<off_t>(m_offset))) < 0 && errno == EINTR) {
    }
    if (n < 0)
        fail("cannot read the file: " + systemReason(errno));
    m_buffer.resize(had + static_cast<std::size_t>(n));
    m_offset += static_cast<std::size_t>(n);
    m_end = n == 0;
    return n > 0;
}

std::size_t CsvStream::recordEnd()
{
    // Quotes as the data tool's reader takes them: one opens a field only at
    // its start, and a quote right after the closing one stands for itself.
    for (; m_scan < m_buffer.size(); ++m_scan) {
        const char c = m_buffer[m_scan];
        if (m_quote == Quote::Inside) {
            m_quote = c == '"' ? Quote::Closed : Quote::Inside;
        } else if (c == '"' && (m_quote == Quote::Closed || m_fieldStart)) {
            m_quote = Quote::Inside;
        } else if (c == '\n') {
            return m_scan + 1;
        } else if (c == '\r') {
            if (m_scan + 1 < m_buffer.size())
                return m_buffer[m_scan + 1] == '\n' ? m_scan + 2 : m_scan + 1;
            return m_end ? m_scan + 1 : kNone;
        } else {
            m_quote = Quote::Outside;
            m_fieldStart = c == ',';
        }
    }
    return m_end && m_start < m_buffer.size() ? m_buffer.size() : kNone;
}

std::optional<tamrik::CsvRecord> CsvStream::next()
{
    for (;;) {
        const std::size_t end = recordEnd();
        if (end == kNone) {
            if (m_buffer.size() - m_start > kMaxCsvRecordBytes) {
                parse(std::string_view(m_buffer).substr(m_start));  // names the open quote or the long line
                failAt(m_line, 1, "record longer than " + std::to_string(kMaxCsvRecordBytes) + " bytes");
            }
            if (fill() || m_start < m_buffer.size())
                continue;
            return std::nullopt;
        }
        const std::string_view raw = std::string_view(m_buffer).substr(m_start, end - m_start);
        std::vector<tamrik::CsvRecord> records = parse(raw);
        m_line += lineEnds(raw);
        m_start = m_scan = end;
        m_quote = Quote::Outside;
        m_fieldStart = true;
        if (!records.empty())
            return std::move(records.front());
    }
}

std::vector<tamrik::CsvRecord> CsvStream::parse(std::string_view raw) const
{
    try {
        std::vector<tamrik::CsvRecord> records =
            tamrik::parseCsv(m_windows874 ? tamrik::windows874ToUtf8(raw) : std::string(raw));
        for (tamrik::CsvRecord& record : records)
            record.line += m_line - 1;
        return records;
    } catch (const tamrik::TextError& e) {
        const std::string what = e.what();
        const std::string where = std::to_string(e.line()) + ":" + std::to_string(e.column()) + ": ";
        failAt(e.line() + m_line - 1, e.column(), what.substr(what.rfind(where, 0) == 0 ? where.size() : 0));
    }
}

void CsvStream::failAtByte(std::size_t at, bool asUtf8) const
{
    // As the data tool places it: lines by LF, columns in characters of the reading that got further.
    int line = 1;
    int column = 1;
    std::string chunk(m_readSize, '\0');
    for (std::size_t offset = 0; offset < at;) {
        const ssize_t n = ::pread(m_fd, chunk.data(), std::min(m_readSize, at - offset), static_cast<off_t>(offset));
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(chunk[static_cast<std::size_t>(i)]);
            if (b == '\n') {
                ++line;
                column = 1;
            } else if (!asUtf8 || (b & 0xC0) != 0x80) {
                ++column;
            }
        }
        offset += static_cast<std::size_t>(n);
    }
    if (asUtf8 && line == 1 && m_bom)
        --column;
    failAt(line, column, "not UTF-8 or Windows-874 text");
}

void CsvStream::failAt(int line, int column, const std::string& message) const
{
    throw tamrik::FileError(m_path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
}

void CsvStream::fail(const std::string& message) const
{
    throw tamrik::FileError(m_path + ": " + message);
}

}  // namespace tamrikcalc
