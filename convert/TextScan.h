#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vemo {

// What the text readers (RTTTL, the Flipper's files) share.
// Numbers of more digits are refused before they can overflow.
constexpr std::size_t MaxNumberDigits = 5;

bool isTextSpace(char c);
bool isTextDigit(char c);
std::string_view trimmed(std::string_view text);
// The digits at `at`, which moves past them; none when there are none or too many.
std::optional<std::int32_t> readNumber(std::string_view text, std::size_t& at);

} // namespace vemo
