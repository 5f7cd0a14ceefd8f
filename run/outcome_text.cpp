#include "run/outcome_text.h"

#include <charconv>
#include <vector>

namespace lumaset {
namespace {

// The format and the program's version: the window and its worker come from one
// release, and the numbers of the messages may differ between two.
constexpr const char* kHeader = "lumaset-outcome 3 " LUMASET_VERSION;
constexpr int kMessageCount = static_cast<int>(MessageId::Applied) + 1;
constexpr int kStatusCount = static_cast<int>(Status::NeedsAdministrator) + 1;

// Tab, line ends and the backslash itself are written as escapes: fields are split at
// tabs and records at line feeds.
std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::string> unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

std::vector<std::string> split(const std::string& text, char at) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == at) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// A whole field as a number below `count`.
std::optional<int> numberBelow(const std::string& field, int count) {
  int value = -1;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < 0 || value >= count) return std::nullopt;
  return value;
}

std::optional<Report> reportFrom(const std::string& line) {
  std::vector<std::string> fields = split(line, '\t');
  if (fields.size() != 5 || fields[0] != "report") return std::nullopt;
  std::optional<int> id = numberBelow(fields[1], kMessageCount);
  std::optional<int> same = numberBelow(fields[2], 2);
  std::optional<std::string> path = unescaped(fields[3]), detail = unescaped(fields[4]);
  if (!id || !same || !path || !detail) return std::nullopt;
  return Report{static_cast<MessageId>(*id), *path, *detail, *same == 1};
}

}  // namespace

std::string outcomeText(const Outcome& outcome, const std::string& token) {
  std::string text = std::string(kHeader) + "\n" + "token\t" + escaped(token) + "\n";
  text += "status\t" + std::to_string(static_cast<int>(outcome.status)) + "\n";
  for (const Report& r : outcome.reports) {
    text += "report\t" + std::to_string(static_cast<int>(r.id)) + "\t" + (r.sameMessage ? "1" : "0") + "\t" +
            escaped(r.path) + "\t" + escaped(r.detail) + "\n";
  }
  return text + "end\n";
}

std::optional<Outcome> outcomeFromText(const std::string& text, const std::string& token) {
  std::vector<std::string> lines = split(text, '\n');
  // The header, the token, the status, the reports, "end" and the empty text after the
  // last line end.
  if (lines.size() < 5 || lines[0] != kHeader || lines[lines.size() - 2] != "end" || !lines.back().empty())
    return std::nullopt;
  if (token.empty() || lines[1] != "token\t" + escaped(token)) return std::nullopt;
  std::vector<std::string> status = split(lines[2], '\t');
  std::optional<int> value = status.size() == 2 && status[0] == "status" ? numberBelow(status[1], kStatusCount)
                                                                          : std::nullopt;
  if (!value) return std::nullopt;
  Outcome outcome;
  outcome.status = static_cast<Status>(*value);
  for (std::size_t i = 3; i + 2 < lines.size(); ++i) {
    std::optional<Report> report = reportFrom(lines[i]);
    if (!report) return std::nullopt;
    outcome.reports.push_back(std::move(*report));
  }
  return outcome;
}

}  // namespace lumaset
