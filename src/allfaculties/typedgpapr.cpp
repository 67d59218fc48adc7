#include "typedgpapr.h"

#include "gpapr.h"

namespace tamrik {
namespace {

// "3.5" as the two boxes of page 3 would hold it before they are left.
BoxTexts splitTyped(std::string_view text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return {std::string(text), std::string()};
    return {std::string(text.substr(0, dot)), std::string(text.substr(dot + 1))};
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

TypedDigits typedDigits(std::string_view text, LeaveResult (*leave)(BoxPart, BoxTexts),
                        bool (*isDigits)(std::string_view))
{
    LeaveResult left = leave(BoxPart::Integer, splitTyped(trimmed(text)));
    if (!left.message)
        left = leave(BoxPart::Decimals, left.boxes);
    if (left.message)
        return {std::string(), left.message};
    std::string digits = left.boxes.integer + left.boxes.decimals;
    if (!isDigits(digits)) {
        // Past what the boxes hold: the message page 3 gives a value above its range.
        return {std::string(), leave(BoxPart::Integer, {"999", "00"}).message};
    }
    return {std::move(digits), std::nullopt};
}

}  // namespace

TypedDigits typedGpaDigits(std::string_view text) { return typedDigits(text, &leaveGpaBox, &isGpaDigits); }

TypedDigits typedPrDigits(std::string_view text) { return typedDigits(text, &leavePrBox, &isPrDigits); }

}  // namespace tamrik
