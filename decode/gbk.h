#pragma once
// GBK texts stay bytes inside the data; they become Unicode only at the edge.

#include <QString>
#include <string>
#include <string_view>

namespace lcr {

QString GbkToQString(std::string_view gbk);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace lcr
