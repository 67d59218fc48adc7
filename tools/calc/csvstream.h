#pragma once
// A CSV file read as a stream of records in bounded memory, as the data
// tool's reader would read it whole: its encoding decided over all its bytes
// (UTF-8 when every byte fits, else Windows-874), then cut into records where
// a line ends outside quotes, each record parsed by that reader with its lines
// counted from the start of the file. A file that cannot be read twice (a
// pipe, a terminal) is copied to an unnamed temporary file as it is first
// read, so that it can be.

#include "csvfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrikcalc {

// A record longer than this (a quoted field over many lines) is a fault.
inline constexpr std::size_t kMaxCsvRecordBytes = 1 << 20;

class CsvStream {
public:
    // Opens the file and reads it once for its encoding, `readSize` bytes at
    // a time. Throws FileError ("FILE: message", "FILE:LINE:COLUMN: message")
    // when it cannot be read, when no encoding fits it, or when a copy of it
    // cannot be kept.
    explicit CsvStream(const std::string& path, std::size_t readSize = 1 << 16);
    ~CsvStream();
    CsvStream(const CsvStream&) = delete;
    CsvStream& operator=(const CsvStream&) = delete;

    // Starts a pass over the records from the first.
    void rewind();
    // The next record of the pass, nothing at the end. Throws FileError
    // naming the file, the line and the column of a fault.
    std::optional<tamrik::CsvRecord> next();

private:
    void open();
    bool fill();               // reads more of the file; false at its end
    std::size_t recordEnd();   // where the record at m_start ends in the buffer, if it does yet
    std::vector<tamrik::CsvRecord> parse(std::string_view raw) const;
    [[noreturn]] void failAtByte(std::size_t at, bool asUtf8) const;
    [[noreturn]] void failAt(int line, int column, const std::string& message) const;
    [[noreturn]] void fail(const std::string& message) const;

    std::string m_path;
    std::size_t m_readSize;
    int m_fd = -1;
    bool m_windows874 = false;
    bool m_bom = false;        // the file starts with a UTF-8 byte-order mark
    std::string m_buffer;      // bytes read and not yet handed on
    std::size_t m_start = 0;   // where the next record starts in the buffer
    std::size_t m_scan = 0;    // how far its end has been looked for
    enum class Quote { Outside, Inside, Closed } m_quote = Quote::Outside;  // at m_scan
    bool m_fieldStart = true;
    std::size_t m_offset = 0;  // of the file, where the next read starts
    bool m_end = false;
    int m_line = 1;            // where the next record starts
};

}  // namespace tamrikcalc
