#pragma once

#include "model/Tones.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace vemo {

constexpr std::size_t WaveHeaderSize = 44;
// Samples rendered and handed on at a time: small enough to keep memory flat, large enough that
// each write is worth its system call.
constexpr std::size_t WaveBlockSamples = 64 * 1024;

// Receives the next bytes of the file; false stops the rendering.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;

// The tone list as a 16-bit mono PCM WAV with the beeper's square wave, handed to `sink` a block
// at a time so that no rendering is ever held whole. False when the sink refused a block.
bool streamWave(const ToneList& tones, const ByteSink& sink,
                std::size_t blockSamples = WaveBlockSamples);

// Renders straight into a file that replaces `path` only when complete, as a save does.
FileOutcome writeWaveFile(const std::string& path, const ToneList& tones);

} // namespace vemo
