#include "calcoutput.h"

#include <cerrno>
#include <ostream>
#include <system_error>

namespace tamrikcalc {

int cannotWrite(std::ostream& err, const std::string& file, const std::string& reason)
{
    err << "tamrik-calc: cannot write '" << file << "': " << reason << '\n';
    return kDbFault;
}

bool Output::write(std::string_view text)
{
    errno = 0;
    if (m_out && !m_out.write(text.data(), static_cast<std::streamsize>(text.size())))
        m_error = errno;
    return static_cast<bool>(m_out);
}

int Output::finish(std::ostream& err, int status)
{
    errno = 0;
    if (m_out && !m_out.flush())
        m_error = errno;
    if (m_out)
        return status;
    err << "tamrik-calc: cannot write the output"
        << (m_error ? ": " + std::error_code(m_error, std::generic_category()).message() : std::string()) << '\n';
    return kDbFault;
}

}  // namespace tamrikcalc
