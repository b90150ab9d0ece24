#include "ProfileInteger.h"

#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char *text;
    std::optional<qint32> value;
};

class ProfileIntegerParse : public testing::TestWithParam<IntegerCase> {};

TEST_P(ProfileIntegerParse, ReadsOrRejects)
{
    EXPECT_EQ(parseProfileInteger(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileIntegerParse,
    testing::Values(IntegerCase{"3", 3}, IntegerCase{"-1", -1}, IntegerCase{"+12", 12},
                    IntegerCase{"007", 7}, IntegerCase{"0x10", 16}, IntegerCase{"0X1f", 31},
                    IntegerCase{"$10", 16}, IntegerCase{"$ff", 255},
                    IntegerCase{"65535", 65535}, IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", std::numeric_limits<qint32>::min()},
                    IntegerCase{"0x7FFFFFFF", 2147483647},
                    // not whole numbers in the signed 32-bit range
                    IntegerCase{"2147483648", std::nullopt}, IntegerCase{"-2147483649", std::nullopt},
                    IntegerCase{"0xFFFFFFFF", std::nullopt},
                    IntegerCase{"99999999999999999999999", std::nullopt},
                    IntegerCase{"", std::nullopt}, IntegerCase{"-", std::nullopt},
                    IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                    IntegerCase{"abc", std::nullopt}, IntegerCase{"12abc", std::nullopt},
                    // hexadecimal letters after decimal digits, without "0x" or "$"
                    IntegerCase{"1a", std::nullopt}, IntegerCase{"7F", std::nullopt},
                    IntegerCase{"9f", std::nullopt}, IntegerCase{"-1A", std::nullopt},
                    IntegerCase{"1 2", std::nullopt}, IntegerCase{"1.5", std::nullopt},
                    IntegerCase{"0x1g", std::nullopt}, IntegerCase{"-0x10", std::nullopt},
                    // a sign only before decimal digits
                    IntegerCase{"-$10", std::nullopt}, IntegerCase{"+$10", std::nullopt},
                    IntegerCase{"$-10", std::nullopt}, IntegerCase{"0x-10", std::nullopt},
                    IntegerCase{"\xD9\xA3", std::nullopt} /* a non-ASCII digit */));

TEST(ProfileInteger, DefaultWhenNoValue)
{
    EXPECT_EQ(profileIntegerOr("abc", -1), -1);
    EXPECT_EQ(profileIntegerOr("$10", -1), 16);
}

}  // namespace
