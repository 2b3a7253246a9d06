#pragma once
// A small writer for one JSON object per line, keys in the order written:
// lcrtool's output and the messages published to a broker.

#include <string>
#include <string_view>

namespace lcr {

class JsonLine {
 public:
  JsonLine& Key(std::string_view key);
  JsonLine& String(std::string_view utf8);
  JsonLine& Number(long long value);
  JsonLine& Number(double value, int decimals);
  // The shortest plain decimal that reads back as exactly `value` (1500,
  // 0.0123, 0.00001): no exponent, no trailing zeros.
  JsonLine& NumberShortest(double value);
  JsonLine& Null();
  JsonLine& BeginObject();
  JsonLine& EndObject();
  JsonLine& BeginArray();
  JsonLine& EndArray();

  const std::string& Text() const { return out_; }

 private:
  void Separate();
  JsonLine& Open(char bracket);
  JsonLine& Close(char bracket);
  std::string out_;
  bool needComma_ = false;
};

// The text with JSON's escapes, without quotes.
std::string JsonEscape(std::string_view utf8);

}  // namespace lcr
