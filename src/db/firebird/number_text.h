#pragma once
// Numbers as the engine stores them (scaled integers, floats) turned into
// texts and doubles, and texts read back as numbers.
#include <string>

namespace conversor {

std::string ScaledToText(long long value, int scale);
// The shortest plain-notation text that reads back as the same number.
std::string FloatToText(double value);
std::string FloatToText(float value);
// The double nearest a scaled integer's exact decimal value.
double ScaledToDouble(long long value, int scale);
// DbError when the text is not a number.
long long TextToInt(const std::string& text);
double TextToDouble(const std::string& text);

}  // namespace conversor
