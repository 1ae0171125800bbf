#include "store/FileIo.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace vemo {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes) {
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool fileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

namespace {

std::string temporaryNameFor(const std::string& path) {
    std::random_device seed;
    std::mt19937 random(seed());
    return path + ".tmp" + std::to_string(random() % 1000000u);
}

} // namespace

bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = temporaryNameFor(path);
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            out.flush();
            written = out.good();
            out.close();
            written = written && !out.fail();
        }
    }
    std::error_code error;
    if (written) {
        fs::rename(temporary, path, error);
        if (!error) return true;
    }
    fs::remove(temporary, error);
    return false;
}

} // namespace vemo
