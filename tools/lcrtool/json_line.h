#pragma once
// lcrtool writes its JSON with the shared writer.

#include "common/json_line.h"

namespace lcrtool {

using lcr::JsonEscape;
using lcr::JsonLine;

}  // namespace lcrtool
