#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// Reads at most maxBytes from the start of a regular file; empty when it can't be opened.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes);

bool fileExists(const std::string& path);

// Writes the bytes to a temporary file beside the target and renames it over the target only
// when every byte was written: a failed save never destroys the file that was there.
bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace vemo
