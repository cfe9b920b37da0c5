// The texts the effect shows its gains with, in decibels, and back.
#pragma once

// Eight characters and the terminator: the number with as many decimals as
// fit, digits truncated (never rounded), "Huge!" past seven integer digits,
// "NaN" for no number.
void numberText(float value, char* text);
// A gain as decibels in numberText's form; "-oo" for 0 and below.
void decibelText(float gain, char* text);
// Reads what decibelText writes (also followed by "dB", and with spaces
// around), as a gain whose decibelText is that number's: false for anything
// else. Gains above 1 come out as they read.
bool gainFromDecibelText(const char* text, double& gain);
