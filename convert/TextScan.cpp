#include "convert/TextScan.h"

#include <cctype>

namespace vemo {

bool isTextSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isTextDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isTextSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTextSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> readNumber(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    std::int32_t value = 0;
    while (at < text.size() && isTextDigit(text[at])) {
        if (at - start == MaxNumberDigits) return std::nullopt;
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (at == start) return std::nullopt;
    return value;
}

} // namespace vemo
