// Gray coding of bounded integer genes.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "ea/EAUtils.h"
#include "tests/ea/EaTestSupport.h"

namespace {

std::vector<int> encode(int value, int lo, int hi) {
    std::vector<int> gray;
    EAUtils::encode_int2gray(value, lo, hi, gray);
    return gray;
}

int decode(const std::vector<int>& gray, int lo, int hi) {
    int value = -12345;
    EAUtils::decode_gray2int(value, lo, hi, gray);
    return value;
}

// n - k zeros followed by the given tail.
std::vector<int> zerosThen(size_t n, const std::vector<int>& tail) {
    std::vector<int> v(n - tail.size(), 0);
    v.insert(v.end(), tail.begin(), tail.end());
    return v;
}

TEST(GrayBitLength, MatchesStatedRanges) {
    EXPECT_EQ(EAUtils::geneBitLength(0, 1), 1);
    EXPECT_EQ(EAUtils::geneBitLength(0, 7), 3);
    EXPECT_EQ(EAUtils::geneBitLength(0, 8), 4);
    EXPECT_EQ(EAUtils::geneBitLength(5, 5), 1);
    EXPECT_EQ(EAUtils::geneBitLength(-4, 3), 3);
    EXPECT_EQ(EAUtils::geneBitLength(0, 255), 8);
    EXPECT_EQ(EAUtils::geneBitLength(0, 256), 9);
    EXPECT_EQ(EAUtils::geneBitLength(INT_MIN, INT_MAX), 32);
}

TEST(GrayBitLength, DigitCountAgreesWithLogarithmFormula) {
    for (int r = 1; r <= 1 << 20; ++r)
        ASSERT_EQ(EAUtils::geneBitLength(0, r), eatest::bitsByFormula(0, r)) << "range " << r;
}

TEST(GrayEncoding, EncodedLengthIsTheGeneBitLength) {
    EXPECT_EQ(encode(0, 0, 1).size(), 1u);
    EXPECT_EQ(encode(7, 0, 7).size(), 3u);
    EXPECT_EQ(encode(0, 0, 8).size(), 4u);
    EXPECT_EQ(encode(9, 9, 9).size(), 1u);
}

TEST(GrayEncoding, FirstFourValuesFollowTheReflectedCode) {
    const int ranges[][2] = {{0, 7}, {10, 25}, {-3, 100}, {0, 3}};
    for (const auto& r : ranges) {
        const int lo = r[0], hi = r[1];
        const size_t n = static_cast<size_t>(EAUtils::geneBitLength(lo, hi));
        EXPECT_EQ(encode(lo, lo, hi), zerosThen(n, {}));
        EXPECT_EQ(encode(lo + 1, lo, hi), zerosThen(n, {1}));
        EXPECT_EQ(encode(lo + 2, lo, hi), zerosThen(n, {1, 1}));
        EXPECT_EQ(encode(lo + 3, lo, hi), zerosThen(n, {1, 0}));
    }
}

TEST(GrayEncoding, NeighbouringValuesDifferInExactlyOneBit) {
    for (int v = 0; v < 1000; ++v) {
        const std::vector<int> a = encode(v, 0, 1000), b = encode(v + 1, 0, 1000);
        int differing = 0;
        for (size_t j = 0; j < a.size(); ++j)
            differing += a[j] != b[j];
        ASSERT_EQ(differing, 1) << "between " << v << " and " << v + 1;
    }
}

TEST(GrayEncoding, EveryValueOfARangeRoundTrips) {
    const int ranges[][2] = {{0, 1},   {0, 7},    {0, 8},     {0, 5},
                             {0, 100}, {-50, 50}, {10, 1000}, {-7, -2}};
    for (const auto& r : ranges)
        for (int v = r[0]; v <= r[1]; ++v)
            ASSERT_EQ(decode(encode(v, r[0], r[1]), r[0], r[1]), v);
}

TEST(GrayEncoding, FixedGeneTakesItsValueAndTheNextOne) {
    EXPECT_EQ(encode(4, 4, 4), std::vector<int>{0});
    EXPECT_EQ(encode(5, 4, 4), std::vector<int>{1});
    EXPECT_EQ(decode({0}, 4, 4), 4);
    EXPECT_EQ(decode({1}, 4, 4), 5);
}

TEST(GrayEncoding, ExtremeBoundsRoundTripWithoutOverflow) {
    for (int v : {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX}) {
        const std::vector<int> g = encode(v, INT_MIN, INT_MAX);
        EXPECT_EQ(g.size(), 32u);
        EXPECT_EQ(decode(g, INT_MIN, INT_MAX), v);
    }
    EXPECT_EQ(decode(encode(INT_MAX, INT_MAX, INT_MAX), INT_MAX, INT_MAX), INT_MAX);
}

TEST(GrayDecoding, PatternsAboveTheRangeDecodeToTheUpperBound) {
    // 0 ... 5 takes 3 bits; Gray 101 is 6 and Gray 100 is 7.
    EXPECT_EQ(decode({1, 0, 1}, 0, 5), 5);
    EXPECT_EQ(decode({1, 0, 0}, 0, 5), 5);
    EXPECT_EQ(decode({1, 1, 1}, 0, 5), 5); // Gray 111 is 5 itself
    // 0 ... 8 takes 4 bits; Gray 1000 is 15.
    EXPECT_EQ(decode({1, 0, 0, 0}, 0, 8), 8);
    EXPECT_EQ(decode({1, 0, 0, 0}, 20, 28), 28);
}

TEST(GrayDecoding, OverlongPatternsDecodeToTheUpperBound) {
    std::vector<int> longPattern(40, 0);
    longPattern[0] = 1;
    EXPECT_EQ(decode(longPattern, 0, 10), 10);
    std::vector<int> allZero(40, 0);
    EXPECT_EQ(decode(allZero, 3, 10), 3);
}

TEST(BinaryHelpers, IntToBinaryWritesMostSignificantBitFirst) {
    std::vector<int> bin{9, 9};
    EAUtils::int2bin(6, bin, 4);
    EXPECT_EQ(bin, (std::vector<int>{0, 1, 1, 0}));
    EAUtils::int2bin(5, bin, 0); // zero bits means one bit
    EXPECT_EQ(bin, std::vector<int>{1});
    EAUtils::int2bin(5, bin, 2); // only the low bits
    EXPECT_EQ(bin, (std::vector<int>{0, 1}));
}

TEST(BinaryHelpers, BinaryToIntSumsPowersOfTwo) {
    int value = -1;
    EAUtils::bin2int({1, 0, 1, 1}, value);
    EXPECT_EQ(value, 11);
    EAUtils::bin2int({}, value);
    EXPECT_EQ(value, 0);
    EAUtils::bin2int({0, 0, 0, 1}, value);
    EXPECT_EQ(value, 1);
}

TEST(BinaryHelpers, GrayConversionsOfAKnownPattern) {
    std::vector<int> gray, bin;
    EAUtils::binary_to_gray({1, 0, 1, 1}, gray);
    EXPECT_EQ(gray, (std::vector<int>{1, 1, 1, 0}));
    EAUtils::gray_to_binary(gray, bin);
    EXPECT_EQ(bin, (std::vector<int>{1, 0, 1, 1}));
}

TEST(BinaryHelpers, EmptyInputGivesEmptyOutput) {
    std::vector<int> out{1, 1};
    EAUtils::binary_to_gray({}, out);
    EXPECT_TRUE(out.empty());
    out = {1};
    EAUtils::gray_to_binary({}, out);
    EXPECT_TRUE(out.empty());
}

TEST(BinaryHelpers, ConversionsInPlaceUseTheOriginalBits) {
    std::vector<int> v{1, 0, 1, 1};
    EAUtils::binary_to_gray(v, v);
    EXPECT_EQ(v, (std::vector<int>{1, 1, 1, 0}));
    EAUtils::gray_to_binary(v, v);
    EXPECT_EQ(v, (std::vector<int>{1, 0, 1, 1}));
}

using GrayCodingDeathTest = ::testing::Test;

TEST_F(GrayCodingDeathTest, LowerBoundAboveUpperBoundEndsWithStatus5) {
    EXPECT_EXIT(encode(4, 5, 3), ::testing::ExitedWithCode(EAUtils::EXIT_BAD_BOUNDS), "");
    EXPECT_EXIT(decode({0, 1}, 5, 3), ::testing::ExitedWithCode(5), "");
}

TEST_F(GrayCodingDeathTest, ValueOutsideTheRangeEndsWithStatus6) {
    EXPECT_EXIT(encode(8, 0, 7), ::testing::ExitedWithCode(6), "");
    EXPECT_EXIT(encode(-1, 0, 7), ::testing::ExitedWithCode(6), "");
    EXPECT_EXIT(encode(6, 4, 4), ::testing::ExitedWithCode(6), "");
}

} // namespace
