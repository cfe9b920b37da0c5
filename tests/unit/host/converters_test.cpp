// The text converters: exact eight-character forms, the out-of-range texts,
// and that overrides of float2string and getSampleRate reach the others.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "test_effect.h"

namespace {

// What `convert` of `effect` writes for `value`.
template <typename Value>
std::string converted(void (AudioEffect::*convert)(Value, char*), Value value, TestEffect& effect) {
    char text[16] = "untouched";
    (effect.*convert)(value, text);
    return text;
}
template <typename Value>
std::string converted(void (AudioEffect::*convert)(Value, char*), Value value) {
    TestEffect effect;
    return converted(convert, value, effect);
}

std::string floatText(float value) {
    return converted(&AudioEffect::float2string, value);
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
    const auto dB = [](float value) { return converted(&AudioEffect::dB2string, value); };
    EXPECT_EQ(dB(1.0f), "0.000000");
    EXPECT_EQ(dB(0.5f), "-6.02059");
    EXPECT_EQ(dB(0.0f), "-oo");
    EXPECT_EQ(dB(-1.0f), "-oo");
    EXPECT_EQ(dB(std::numeric_limits<float>::quiet_NaN()), "-oo");
}

TEST(Hz2String, DividesTheSampleRateAndNeverByZero) {
    EXPECT_EQ(converted(&AudioEffect::Hz2string, 0.0f), "0.000000");
    EXPECT_EQ(converted(&AudioEffect::Hz2string, 100.0f), "441.0000");
}

TEST(Ms2String, ConvertsSamplesToMilliseconds) {
    EXPECT_EQ(converted(&AudioEffect::ms2string, 441.0f), "10.00000");
    TestEffect withoutRate;
    withoutRate.setSampleRate(0.0f);
    // No guard for a zero rate, but no crash either.
    EXPECT_EQ(converted(&AudioEffect::ms2string, 441.0f, withoutRate), "Huge!");
}

TEST(Long2String, RightAlignsInSevenAndCutsAtEight) {
    const auto text = [](int32 value) { return converted(&AudioEffect::long2string, value); };
    EXPECT_EQ(text(42), "     42");
    EXPECT_EQ(text(99999999), "99999999");
    EXPECT_EQ(text(100000000), "Huge!");
    EXPECT_EQ(text(-123456789), "-1234567");
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
