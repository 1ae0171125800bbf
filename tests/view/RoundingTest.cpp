#include "view/Rounding.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

namespace vemo {
namespace {

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfToEven(2907.5), 2908);
    EXPECT_EQ(roundHalfToEven(2906.5), 2906);
    EXPECT_EQ(roundHalfToEven(0.5), 0);
    EXPECT_EQ(roundHalfToEven(1.5), 2);
    EXPECT_EQ(roundHalfToEven(-0.5), 0);
    EXPECT_EQ(roundHalfToEven(-1.5), -2);
    EXPECT_EQ(roundHalfToEven(-88.5), -88);
}

TEST(RoundHalfToEven, OtherValuesGoToTheNearest) {
    EXPECT_EQ(roundHalfToEven(2.4999999), 2);
    EXPECT_EQ(roundHalfToEven(2.5000001), 3);
    EXPECT_EQ(roundHalfToEven(-2.6), -3);
    EXPECT_EQ(roundHalfToEven(7.0), 7);
}

TEST(RoundHalfToEven, IgnoresTheCurrentRoundingMode) {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const std::int32_t half = roundHalfToEven(2906.5);
    const std::int32_t below = roundHalfToEven(2906.2);
    std::fesetround(saved);
    EXPECT_EQ(half, 2906);
    EXPECT_EQ(below, 2906);
}

TEST(RoundHalfToEven, OutOfRangeValuesClampInsteadOfOverflowing) {
    EXPECT_EQ(roundHalfToEven(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(roundHalfToEven(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(roundHalfToEven(std::nan("")), 0);
}

} // namespace
} // namespace vemo
