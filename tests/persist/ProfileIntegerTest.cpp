#include "ProfileInteger.h"

#include <gtest/gtest.h>

namespace {

struct TIntegerCase {
    const char *Text;
    std::optional<qint32> Value;
};

class ProfileIntegerParse : public testing::TestWithParam<TIntegerCase> {};

TEST_P(ProfileIntegerParse, ReadsOrRejects)
{
    EXPECT_EQ(ParseProfileInteger(GetParam().Text), GetParam().Value) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileIntegerParse,
    testing::Values(TIntegerCase{"3", 3}, TIntegerCase{"-1", -1}, TIntegerCase{"+12", 12},
                    TIntegerCase{"007", 7}, TIntegerCase{"0x10", 16}, TIntegerCase{"0X1f", 31},
                    TIntegerCase{"$10", 16}, TIntegerCase{"$ff", 255},
                    TIntegerCase{"65535", 65535}, TIntegerCase{"2147483647", 2147483647},
                    TIntegerCase{"-2147483648", std::numeric_limits<qint32>::min()},
                    TIntegerCase{"0x7FFFFFFF", 2147483647},
                    // not whole numbers in the signed 32-bit range
                    TIntegerCase{"2147483648", std::nullopt}, TIntegerCase{"-2147483649", std::nullopt},
                    TIntegerCase{"0xFFFFFFFF", std::nullopt},
                    TIntegerCase{"99999999999999999999999", std::nullopt},
                    TIntegerCase{"", std::nullopt}, TIntegerCase{"-", std::nullopt},
                    TIntegerCase{"0x", std::nullopt}, TIntegerCase{"$", std::nullopt},
                    TIntegerCase{"abc", std::nullopt}, TIntegerCase{"12abc", std::nullopt},
                    // hexadecimal letters after decimal digits, without "0x" or "$"
                    TIntegerCase{"1a", std::nullopt}, TIntegerCase{"7F", std::nullopt},
                    TIntegerCase{"9f", std::nullopt}, TIntegerCase{"-1A", std::nullopt},
                    TIntegerCase{"1 2", std::nullopt}, TIntegerCase{"1.5", std::nullopt},
                    TIntegerCase{"0x1g", std::nullopt}, TIntegerCase{"-0x10", std::nullopt},
                    // a sign only before decimal digits
                    TIntegerCase{"-$10", std::nullopt}, TIntegerCase{"+$10", std::nullopt},
                    TIntegerCase{"$-10", std::nullopt}, TIntegerCase{"0x-10", std::nullopt},
                    TIntegerCase{"\xD9\xA3", std::nullopt} /* a non-ASCII digit */));

TEST(ProfileInteger, DefaultWhenNoValue)
{
    EXPECT_EQ(ProfileIntegerOr("abc", -1), -1);
    EXPECT_EQ(ProfileIntegerOr("$10", -1), 16);
}

}  // namespace
