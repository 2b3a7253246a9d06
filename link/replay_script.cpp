#include "link/replay_script.h"

#include "link/serial_io.h"

namespace lcr {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses one line of hex pairs; false when the line is anything else.
bool ParseHexLine(std::string_view line, std::vector<unsigned char>& bytes, std::string& why) {
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    const std::string_view token = line.substr(start, i - start);
    if (token.size() != 2 || HexValue(token[0]) < 0 || HexValue(token[1]) < 0) {
      why = "not a hexadecimal byte pair: '" + std::string(token.substr(0, 16)) + "'";
      return false;
    }
    if (bytes.size() == std::size_t(kReadChunk)) {
      why = "more than 2048 bytes in one read";
      return false;
    }
    bytes.push_back(static_cast<unsigned char>(HexValue(token[0]) * 16 + HexValue(token[1])));
  }
  return true;
}

}  // namespace

bool ParseReplayScript(std::string_view text, ReplayScript& out, std::string* error) {
  out.reads.clear();
  std::size_t lineNo = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '#') continue;

    std::string_view trimmed = line;
    while (!trimmed.empty() && IsBlank(trimmed.front())) trimmed.remove_prefix(1);
    while (!trimmed.empty() && IsBlank(trimmed.back())) trimmed.remove_suffix(1);
    if (trimmed.empty() || trimmed == "-") {
      out.reads.emplace_back();
      continue;
    }
    std::vector<unsigned char> bytes;
    std::string why;
    if (!ParseHexLine(trimmed, bytes, why)) {
      if (error) *error = "line " + std::to_string(lineNo) + ": " + why;
      return false;
    }
    out.reads.push_back(std::move(bytes));
  }
  return true;
}

}  // namespace lcr
