#include "run/version.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace lumaset {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(const std::string& s, std::size_t i) {
  while (i < s.size() && isDigit(s[i])) ++i;
  return i;
}

}  // namespace

float versionFromText(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t intEnd = skipDigits(text, i);
  std::size_t end = intEnd;
  bool digits = intEnd > i;
  if (end < text.size() && text[end] == '.') {
    std::size_t fracEnd = skipDigits(text, end + 1);
    digits = digits || fracEnd > end + 1;
    end = fracEnd;
  }
  if (!digits) return 0.0f;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t j = end + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expEnd = skipDigits(text, j);
    if (expEnd > j) end = expEnd;
  }
  std::size_t from = text[start] == '+' ? start + 1 : start;
  double value = 0;
  std::from_chars(text.data() + from, text.data() + end, value);
  return static_cast<float>(value);
}

std::string versionToText(float version) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(version));
  return buffer;
}

long leadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && isDigit(text[i]) && value < 100000000; ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

bool versionAtLeast(float version, double threshold) { return static_cast<double>(version) - threshold >= -0.0000001; }

std::vector<unsigned long> versionParts(const std::string& text) {
  std::vector<unsigned long> parts;
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  while (i < text.size() && isDigit(text[i])) {
    unsigned long part = 0;
    // A part too long for its type stops growing: no real version has one.
    for (; i < text.size() && isDigit(text[i]); ++i) part = part < 100000000 ? part * 10 + (text[i] - '0') : part;
    parts.push_back(part);
    if (i + 1 >= text.size() || text[i] != '.' || !isDigit(text[i + 1])) break;
    ++i;
  }
  return parts;
}

int compareProductVersions(const std::string& a, const std::string& b) {
  const std::vector<unsigned long> pa = versionParts(a), pb = versionParts(b);
  if (pa.empty() != pb.empty()) return pa.empty() ? -1 : 1;
  for (std::size_t i = 0; i < std::max(pa.size(), pb.size()); ++i) {
    const unsigned long x = i < pa.size() ? pa[i] : 0, y = i < pb.size() ? pb[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

}  // namespace lumaset
