#include "link/acquisition_state.h"

namespace lcr {

void Diagnostics::AddMemoLine(const std::string& line) {
  if (Memo1.size() >= kMemoLines) {
    // Reuse the oldest line's storage for the newest.
    std::string recycled = std::move(Memo1.front());
    Memo1.pop_front();
    recycled.assign(line);
    Memo1.push_back(std::move(recycled));
  } else {
    Memo1.push_back(line);
  }
  ++memoLinesAdded;
}

void Diagnostics::TrimEdit1() {
  if (Edit1.size() > kEdit1Limit) Edit1.erase(0, Edit1.size() - kEdit1Limit / 2);
}

}  // namespace lcr
