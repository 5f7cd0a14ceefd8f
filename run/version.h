// Host versions: the leading number of a version text, its storage form, and the
// comparisons with their small tolerance.
#pragma once
#include <string>

namespace lumaset {

// The longest leading decimal number after leading white space (sign, digits, one
// decimal point, exponent): "16.1.2" gives 16.1, no number gives 0.
float versionFromText(const std::string& text);
// The stored form, "%.6g" of the single-precision version: 16.1, 18, 0.
std::string versionToText(float version);
// The leading integer of a stored text (sign and digits): "17.9" gives 17.
long leadingInteger(const std::string& text);
// v is `threshold` or later when v - threshold, in double precision, is not below -1e-7.
bool versionAtLeast(float version, double threshold);

}  // namespace lumaset
