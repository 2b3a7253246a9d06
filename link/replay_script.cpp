#include "link/replay_script.h"

#include <cstdio>

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
      why = "not a hexadecimal byte pair: '" + EscapeForMessage(token.substr(0, 16)) + "'";
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

std::string EscapeForMessage(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c > 0x7E) {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out;
}

bool ParseScriptLine(std::string_view line, std::optional<std::vector<unsigned char>>& read, std::string& why) {
  read.reset();
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!line.empty() && line.front() == '#') return true;
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  read.emplace();
  if (line.empty() || line == "-") return true;
  return ParseHexLine(line, *read, why);
}

bool ReplayScriptReader::Fail(const std::string& why) {
  error_ = "line " + std::to_string(lineNo_) + ": " + why;
  return false;
}

bool ReplayScriptReader::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {
    std::copy(chunk_.begin() + std::ptrdiff_t(begin_), chunk_.begin() + std::ptrdiff_t(end_), chunk_.begin());
    end_ -= begin_;
    begin_ = 0;
  }
  const qint64 n = in_.read(chunk_.data() + end_, qint64(chunk_.size() - end_));
  if (n < 0) {
    eof_ = true;
    return Fail("cannot read on: " + EscapeForMessage(in_.errorString().toStdString()));
  }
  if (n == 0) {
    // A pipe or terminal may still be open: wait for more before calling it the end.
    if (in_.isSequential() && in_.waitForReadyRead(-1)) return Fill();
    eof_ = true;
    return false;
  }
  end_ += std::size_t(n);
  return true;
}

// One line into `line`, without its '\n'; false at the end or at a fault.
bool ReplayScriptReader::ReadLine(std::string& line) {
  line.clear();
  for (;;) {
    for (std::size_t i = begin_; i < end_; ++i) {
      if (chunk_[i] != '\n') continue;
      if (i - begin_ > kMaxScriptLine) break;
      line.assign(chunk_.data() + begin_, i - begin_);
      begin_ = i + 1;
      ++lineNo_;
      return true;
    }
    if (end_ - begin_ > kMaxScriptLine) {
      ++lineNo_;
      eof_ = true;
      return Fail("longer than " + std::to_string(kMaxScriptLine) + " characters");
    }
    const bool more = Fill();
    if (!error_.empty()) return false;
    if (!more) {
      if (begin_ == end_) return false;
      line.assign(chunk_.data() + begin_, end_ - begin_);  // a last line without '\n'
      begin_ = end_;
      ++lineNo_;
      return true;
    }
  }
}

bool ReplayScriptReader::AtEnd() {
  while (!ahead_ && error_.empty()) {
    if (!ReadLine(line_)) return true;
    std::string why;
    if (!ParseScriptLine(line_, ahead_, why)) {
      ahead_.reset();
      Fail(why);
    }
  }
  return !ahead_;
}

bool ReplayScriptReader::Next(std::vector<unsigned char>& read) {
  if (AtEnd()) return false;
  read = std::move(*ahead_);
  ahead_.reset();
  return true;
}

}  // namespace lcr
