#pragma once
// The window-free code speaks UTF-8 std::string; the controls speak QString.

#include <QString>
#include <string_view>

namespace tamrik {

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tamrik
