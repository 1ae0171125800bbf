#pragma once

#include <string>
#include <string_view>

namespace vemo {

// Extensions are listed without dots, separated by spaces: "c h".

// The text after the last dot of the file's name, in lower case; empty when there is none.
std::string extensionOf(const std::string& path);
bool isListed(std::string_view extensions, std::string_view extension);
std::string_view firstExtension(std::string_view extensions);
// The folder's path ending in a separator: "/home/user" becomes "/home/user/".
std::string withTrailingSeparator(std::string folder);

// One entry of a file dialog's filter list: "C array|*.c;*.h".
std::string filterEntry(std::string_view description, std::string_view extensions);

} // namespace vemo
