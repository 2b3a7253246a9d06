#include "common/json_line.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace lcr {

std::string JsonEscape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += char(c);
        }
    }
  }
  return out;
}

void JsonLine::Separate() {
  if (needComma_) out_ += ',';
  needComma_ = true;
}

JsonLine& JsonLine::Key(std::string_view key) {
  Separate();
  out_ += '"';
  out_ += JsonEscape(key);
  out_ += "\":";
  needComma_ = false;
  return *this;
}

JsonLine& JsonLine::String(std::string_view utf8) {
  Separate();
  out_ += '"';
  out_ += JsonEscape(utf8);
  out_ += '"';
  return *this;
}

JsonLine& JsonLine::Number(long long value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::Number(double value, int decimals) {
  Separate();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  out_ += buf;
  return *this;
}

JsonLine& JsonLine::NumberShortest(double value) {
  if (!std::isfinite(value)) return Null();  // JSON has no infinities
  Separate();
  char buf[400];  // a double's longest plain form fits
  const auto result = std::to_chars(buf, buf + sizeof buf, value == 0 ? 0.0 : value, std::chars_format::fixed);
  out_.append(buf, result.ptr);
  return *this;
}

JsonLine& JsonLine::Null() {
  Separate();
  out_ += "null";
  return *this;
}

JsonLine& JsonLine::Open(char bracket) {
  Separate();
  out_ += bracket;
  needComma_ = false;
  return *this;
}

JsonLine& JsonLine::Close(char bracket) {
  out_ += bracket;
  needComma_ = true;
  return *this;
}

JsonLine& JsonLine::BeginObject() { return Open('{'); }
JsonLine& JsonLine::EndObject() { return Close('}'); }
JsonLine& JsonLine::BeginArray() { return Open('['); }
JsonLine& JsonLine::EndArray() { return Close(']'); }

}  // namespace lcr
