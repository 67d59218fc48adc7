#include "shortlist.h"

#include <algorithm>
#include <utility>

namespace tamrik {

Shortlist::Shortlist(const std::vector<std::string>& codes)
{
    for (const std::string& code : codes) {
        if (!code.empty())
            add(code);
    }
}

Shortlist::Added Shortlist::add(const std::string& facCode)
{
    if (std::find(m_codes.begin(), m_codes.end(), facCode) != m_codes.end())
        return Added::AlreadyIn;
    if (m_codes.size() >= kMaxChoices)
        return Added::Full;
    m_codes.push_back(facCode);
    return Added::Yes;
}

bool Shortlist::remove(std::size_t place)
{
    if (place >= m_codes.size())
        return false;
    m_codes.erase(m_codes.begin() + static_cast<std::ptrdiff_t>(place));
    return true;
}

bool Shortlist::moveUp(std::size_t place)
{
    if (place == 0 || place >= m_codes.size())
        return false;
    std::swap(m_codes[place - 1], m_codes[place]);
    return true;
}

bool Shortlist::moveDown(std::size_t place) { return moveUp(place + 1); }

bool isFacultyCode(std::string_view text)
{
    return text.size() == 4 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string choiceCaption(std::size_t place) { return "อันดับ " + std::to_string(place + 1); }

}  // namespace tamrik
