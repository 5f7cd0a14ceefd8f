// Host versions: the leading number of a version text, its storage form, and the
// comparisons with their small tolerance.
#pragma once
#include <string>
#include <vector>

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

// The numbers of a dotted version text after leading white space ("24.7.0.643 x64" gives
// 24, 7, 0, 643), up to the first character that is neither a digit nor a dot between
// numbers; empty when the text begins with no number.
std::vector<unsigned long> versionParts(const std::string& text);
// Orders two ProductVersion texts by their numbers, part by part, a missing part counting
// as 0 ("16.1" and "16.1.0" are equal); a text without a number comes before every other.
// Below 0, 0 or above 0, as a before, equal to or after b.
int compareProductVersions(const std::string& a, const std::string& b);

}  // namespace lumaset
