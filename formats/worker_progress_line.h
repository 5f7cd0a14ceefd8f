// The progress line at the start of the elevated worker's result file: "progress ", the
// bytes done and the bytes expected as 20 decimal digits each, and a line end, always of
// one length, so that the worker rewrites it in place as it goes; its outcome follows the
// line. Any process of the user can write into the file: what the line says is shown and
// nothing else, read only when it has the exact form, with done never above the total.
#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace lumaset {

inline constexpr std::string_view kWorkerProgressWord = "progress ";
inline constexpr std::size_t kWorkerProgressDigits = 20;
inline constexpr std::size_t kWorkerProgressLineSize = kWorkerProgressWord.size() + 2 * kWorkerProgressDigits + 2;

struct WorkerProgress {
  std::uint64_t done = 0;
  std::uint64_t total = 0;
};

inline std::string workerProgressLine(std::uint64_t done, std::uint64_t total) {
  char line[kWorkerProgressLineSize + 1];
  std::snprintf(line, sizeof line, "progress %020llu %020llu\n", static_cast<unsigned long long>(done),
                static_cast<unsigned long long>(total));
  return std::string(line, kWorkerProgressLineSize);
}

namespace detail {
inline std::optional<std::uint64_t> progressNumber(std::string_view digits) {
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}
}  // namespace detail

// The progress the file's text starts with; nothing when its line is not whole or of
// another form (torn by a write in progress, or written by another process).
inline std::optional<WorkerProgress> readWorkerProgress(std::string_view text) {
  if (text.size() < kWorkerProgressLineSize || !text.starts_with(kWorkerProgressWord)) return std::nullopt;
  const std::string_view numbers = text.substr(kWorkerProgressWord.size(), 2 * kWorkerProgressDigits + 2);
  if (numbers[kWorkerProgressDigits] != ' ' || numbers.back() != '\n') return std::nullopt;
  const auto done = detail::progressNumber(numbers.substr(0, kWorkerProgressDigits));
  const auto total = detail::progressNumber(numbers.substr(kWorkerProgressDigits + 1, kWorkerProgressDigits));
  if (!done || !total) return std::nullopt;
  return WorkerProgress{*done < *total ? *done : *total, *total};
}

// What follows the progress line: the outcome; empty when the text holds no line.
inline std::string workerOutcomePart(const std::string& text) {
  return text.size() < kWorkerProgressLineSize ? std::string() : text.substr(kWorkerProgressLineSize);
}

}  // namespace lumaset
