#pragma once

#include "platform/ToneMixer.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

namespace vemo {

using Complex = std::complex<double>;

// A mixed-radix discrete Fourier transform for lengths made of small factors, such as one
// second of samples (2^7 * 3 * 5^3). roots[j] is e^(-2 pi i j / N) for the outermost length N;
// rootStride = N / length of this part.
inline std::vector<Complex> transform(const std::vector<Complex>& input,
                                      const std::vector<Complex>& roots, std::size_t rootStride) {
    const std::size_t length = input.size();
    if (length == 1) return input;
    std::size_t radix = 2;
    while (length % radix != 0)
        ++radix;
    const std::size_t partLength = length / radix;
    std::vector<std::vector<Complex>> parts(radix);
    for (std::size_t r = 0; r < radix; ++r) {
        std::vector<Complex> part(partLength);
        for (std::size_t j = 0; j < partLength; ++j)
            part[j] = input[j * radix + r];
        parts[r] = transform(part, roots, rootStride * radix);
    }
    std::vector<Complex> output(length);
    for (std::size_t k = 0; k < length; ++k) {
        Complex sum = 0.0;
        for (std::size_t r = 0; r < radix; ++r)
            sum += roots[(r * k % length) * rootStride] * parts[r][k % partLength];
        output[k] = sum;
    }
    return output;
}

// The strongest component that is not an odd harmonic, in dB relative to the fundamental, over
// one second of a tone of whole hertz: the tone makes whole cycles in it, so every component
// lies on a bin of 1 Hz and the plain transform needs no window.
inline double worstNonHarmonicDb(const std::vector<std::int16_t>& oneSecond,
                                 std::int32_t frequencyHz) {
    const std::size_t length = oneSecond.size();
    std::vector<Complex> roots(length);
    for (std::size_t j = 0; j < length; ++j)
        roots[j] = std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(j) /
                                       static_cast<double>(length));
    const std::vector<Complex> spectrum =
        transform(std::vector<Complex>(oneSecond.begin(), oneSecond.end()), roots, 1);
    const auto fundamental = static_cast<std::size_t>(frequencyHz);
    double worst = 0.0;
    for (std::size_t bin = 0; bin <= length / 2; ++bin) {
        const bool isOddHarmonic = bin % fundamental == 0 && (bin / fundamental) % 2 == 1;
        if (!isOddHarmonic) worst = std::max(worst, std::abs(spectrum[bin]));
    }
    return 20.0 * std::log10(worst / std::abs(spectrum[fundamental]));
}

} // namespace vemo
