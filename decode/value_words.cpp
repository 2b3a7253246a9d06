#include "decode/value_words.h"

#include "common/text_and_numbers.h"

namespace lcr {

ValueScale ScaleOf(std::string_view v) {
  if (Contains(v, "OL") || Contains(v, "UL") || Contains(v, "HI") || v == "Pass" || v == "Open")
    return ValueScale::FullScale;
  if (Contains(v, "LO") || v == "Fail" || v == "Short") return ValueScale::Zero;
  return ValueScale::Number;
}

bool HasMinusSign(std::string_view v) { return Contains(v, "-") && !Contains(v, "--"); }

bool ShowsDashes(std::string_view v) { return Contains(v, "----"); }

StateWord StateWordOf(std::string_view v) {
  if (v == "Pass") return StateWord::Pass;
  if (v == "Fail") return StateWord::Fail;
  if (v == "Open") return StateWord::Open;
  if (v == "Short") return StateWord::Short;
  if (v == "Err") return StateWord::Err;
  return StateWord::None;
}

LimitWord LimitWordOf(std::string_view v) {
  if (Contains(v, "UL")) return LimitWord::Under;
  if (Contains(v, "HI")) return LimitWord::High;
  if (Contains(v, "LO")) return LimitWord::Low;
  return LimitWord::None;
}

bool IsValueWord(std::string_view v) {
  return StateWordOf(v) != StateWord::None || v == "Space" || v == "----" || v == "OL" || v == "UL" ||
         v == "LO" || v == "HI";
}

bool MayBeNumber(std::string_view v) {
  return !Contains(v, "O") && !Contains(v, "HI") && !Contains(v, "--") && StateWordOf(v) == StateWord::None;
}

}  // namespace lcr
