#include "store/MelodyFile.h"

#include "platform/Files.h"

namespace vemo {

MelodyFile readMelodyFile(const std::string& path) {
    FileBytes file = readFileBytes(path, MaxMelodyFileBytes + 1);
    if (!file) return {MelodyFileStatus::Unreadable, std::nullopt, file.outcome.reason};
    DecodeResult decoded = decodeMelody(file.bytes);
    if (!decoded.melody) return {MelodyFileStatus::Refused, std::nullopt, decoded.reason};
    return {MelodyFileStatus::Loaded, std::move(decoded.melody), {}};
}

} // namespace vemo
