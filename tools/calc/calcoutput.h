#pragma once
// Where a run's output goes, and the exit status it ends with.

#include <iosfwd>
#include <string>
#include <string_view>

namespace tamrikcalc {

inline constexpr int kDone = 0;
inline constexpr int kDbFault = 1;  // also an output that cannot be written
inline constexpr int kBadInput = 2;

// What --csv-bom puts before CSV output.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// "tamrik-calc: cannot write 'FILE': reason"; the status to end with.
int cannotWrite(std::ostream& err, const std::string& file, const std::string& reason);

// The output stream, keeping the system's reason when a write fails: what
// goes out must reach it whole, and a write error or a short write (a full
// disk, a closed pipe) is a fault, not a success.
class Output {
public:
    explicit Output(std::ostream& out) : m_out(out) {}

    bool write(std::string_view text);
    // Flushed and checked: `status`, or 1 with the reason.
    int finish(std::ostream& err, int status);

private:
    std::ostream& m_out;
    int m_error = 0;
};

}  // namespace tamrikcalc
