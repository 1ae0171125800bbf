#include "store/FileNames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace vemo {

namespace {

std::vector<std::string_view> split(std::string_view extensions) {
    std::vector<std::string_view> parts;
    while (!extensions.empty()) {
        const std::size_t space = extensions.find(' ');
        parts.push_back(extensions.substr(0, space));
        extensions =
            space == std::string_view::npos ? std::string_view() : extensions.substr(space + 1);
    }
    return parts;
}

} // namespace

std::string extensionOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool isListed(std::string_view extensions, std::string_view extension) {
    const std::vector<std::string_view> listed = split(extensions);
    return !extension.empty() && std::find(listed.begin(), listed.end(), extension) != listed.end();
}

std::string_view firstExtension(std::string_view extensions) {
    return extensions.substr(0, extensions.find(' '));
}

std::string filterEntry(std::string_view description, std::string_view extensions) {
    std::string patterns;
    for (std::string_view extension : split(extensions))
        patterns += (patterns.empty() ? "*." : ";*.") + std::string(extension);
    return std::string(description) + "|" + patterns;
}

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
    return folder;
}

} // namespace vemo
