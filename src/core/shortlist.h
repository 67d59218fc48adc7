#pragma once
// The applicant's choices: up to four faculty codes in the order they go on
// the admission form. Only the list's rules live here; where it is kept and
// how it is shown is the caller's business.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

inline constexpr std::size_t kMaxChoices = 4;

inline constexpr std::string_view kChoicesFullMessage = "เลือกได้ไม่เกิน 4 อันดับ";
inline constexpr std::string_view kAlreadyChosenMessage = "คณะนี้อยู่ในอันดับที่เลือกไว้แล้ว";

class Shortlist {
public:
    Shortlist() = default;
    // Takes a remembered list over: blanks, repeats and anything past the
    // fourth are dropped.
    explicit Shortlist(const std::vector<std::string>& codes);

    enum class Added { Yes, Full, AlreadyIn };
    Added add(const std::string& facCode);
    // Each returns false, changing nothing, when the place does not allow it.
    bool remove(std::size_t place);
    bool moveUp(std::size_t place);
    bool moveDown(std::size_t place);
    void clear() { m_codes.clear(); }

    const std::vector<std::string>& codes() const { return m_codes; }
    std::size_t size() const { return m_codes.size(); }

private:
    std::vector<std::string> m_codes;
};

// A faculty code as the rule data write every one: four ASCII digits.
bool isFacultyCode(std::string_view text);

// "อันดับ 1" to "อันดับ 4" for places 0 to 3.
std::string choiceCaption(std::size_t place);

}  // namespace tamrik
