// The text converters: exact eight-character forms, the out-of-range texts,
// and that overrides of float2string and getSampleRate reach the others.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "test_effect.h"

namespace {

std::string floatText(float value) {
    TestEffect effect;
    char text[16] = "untouched";
    effect.float2string(value, text);
    return text;
}

TEST(Float2String, WritesEightCharactersTruncatingDigits) {
    EXPECT_EQ(floatText(0.0f), "0.000000");
    EXPECT_EQ(floatText(1.0f), "1.000000");
    EXPECT_EQ(floatText(0.5f), "0.500000");
    EXPECT_EQ(floatText(-0.5f), "-0.50000");
    EXPECT_EQ(floatText(123.456f), "123.4560");
    EXPECT_EQ(floatText(-6.0206f), "-6.02059");
    EXPECT_EQ(floatText(0.9999999f), "0.999999");
    EXPECT_EQ(floatText(9999999.0f), "9999999.");
    EXPECT_EQ(floatText(-999999.0f), "-999999.");
}

TEST(Float2String, ValuesTooLargeForEightCharactersReadHuge) {
    EXPECT_EQ(floatText(100000000.0f), "Huge!");
    EXPECT_EQ(floatText(-10000000.0f), "Huge!");
    // Leading digits are never dropped silently.
    EXPECT_EQ(floatText(12345678.0f), "Huge!");
    EXPECT_EQ(floatText(-1234567.0f), "Huge!");
    EXPECT_EQ(floatText(1.0f / 0.0f), "Huge!");
    EXPECT_EQ(floatText(-1.0f / 0.0f), "Huge!");
}

TEST(Float2String, NotANumberIsNamedAndNullBufferIsIgnored) {
    EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), "NaN");
    TestEffect effect;
    effect.float2string(1.0f, nullptr);
}

TEST(DB2String, ShowsDecibelsOrMinusInfinity) {
    TestEffect effect;
    char text[16];
    effect.dB2string(1.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.dB2string(0.5f, text);
    EXPECT_STREQ(text, "-6.02059");
    effect.dB2string(0.0f, text);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(-1.0f, text);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(std::numeric_limits<float>::quiet_NaN(), text);
    EXPECT_STREQ(text, "-oo");
}

TEST(Hz2String, DividesTheSampleRateAndNeverByZero) {
    TestEffect effect;
    char text[16];
    effect.Hz2string(0.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.Hz2string(100.0f, text);
    EXPECT_STREQ(text, "441.0000");
}

TEST(Ms2String, ConvertsSamplesToMilliseconds) {
    TestEffect effect;
    char text[16];
    effect.ms2string(441.0f, text);
    EXPECT_STREQ(text, "10.00000");
    effect.setSampleRate(0.0f);
    effect.ms2string(441.0f, text); // no guard for a zero rate, but no crash either
    EXPECT_STREQ(text, "Huge!");
}

TEST(Long2String, RightAlignsInSevenAndCutsAtEight) {
    TestEffect effect;
    char text[16];
    effect.long2string(42, text);
    EXPECT_STREQ(text, "     42");
    effect.long2string(99999999, text);
    EXPECT_STREQ(text, "99999999");
    effect.long2string(100000000, text);
    EXPECT_STREQ(text, "Huge!");
    effect.long2string(-123456789, text);
    EXPECT_STREQ(text, "-1234567");
}

// An effect whose float2string and sample rate are its own: the other
// converters reach both through the table of virtual operations.
class OverridingEffect : public TestEffect {
public:
    void float2string(float value, char* text) override {
        lastValue = value;
        std::strcpy(text, "own");
    }
    float getSampleRate() override { return 1000.0f; }
    float lastValue = -1.0f;
};

TEST(Converters, ReachFloat2StringAndSampleRateThroughOverrides) {
    OverridingEffect effect;
    char text[16];
    effect.Hz2string(10.0f, text);
    EXPECT_STREQ(text, "own");
    EXPECT_FLOAT_EQ(effect.lastValue, 100.0f);
    effect.ms2string(10.0f, text);
    EXPECT_FLOAT_EQ(effect.lastValue, 10.0f);
    effect.dB2string(10.0f, text);
    EXPECT_FLOAT_EQ(effect.lastValue, 20.0f);
}

} // namespace
