#include "app/pixel_cover.h"

#include <algorithm>

namespace lcr {

void PixelCover::cover(const QList<QRect>& rects, QList<QRect>& out) {
  out.clear();
  if (rects.isEmpty()) return;
  int left = rects[0].left(), right = rects[0].right();
  for (const QRect& r : rects) {
    left = std::min(left, r.left());
    right = std::max(right, r.right());
  }
  // Every rectangle's span of rows, once for each column it crosses,
  // bucketed by column.
  const int columns = right - left + 1;
  start_.assign(std::size_t(columns) + 1, 0);
  for (const QRect& r : rects)
    for (int x = r.left(); x <= r.right(); ++x) ++start_[std::size_t(x - left) + 1];
  for (int c = 0; c < columns; ++c) start_[std::size_t(c) + 1] += start_[std::size_t(c)];
  spans_.resize(std::size_t(start_.back()));
  std::vector<int>& fill = start_;  // moves each bucket's start along while placing
  for (const QRect& r : rects)
    for (int x = r.left(); x <= r.right(); ++x) spans_[std::size_t(fill[std::size_t(x - left)]++)] = {r.top(), r.bottom()};
  // The buckets' starts are now their ends; walk the columns left to right.
  open_.clear();
  int begin = 0;
  for (int c = 0; c <= columns; ++c) {
    merged_.clear();
    if (c < columns) {
      const int end = start_[std::size_t(c)];
      std::sort(spans_.begin() + begin, spans_.begin() + end, [](const Span& a, const Span& b) { return a.top < b.top; });
      for (int i = begin; i < end; ++i) {
        const Span s = spans_[std::size_t(i)];
        if (!merged_.empty() && s.top <= merged_.back().bottom + 1)
          merged_.back().bottom = std::max(merged_.back().bottom, s.bottom);
        else
          merged_.push_back(s);
      }
      begin = end;
    }
    // A span equal to one open since an earlier column continues it; any
    // other open span ends here.
    next_.clear();
    std::size_t o = 0;
    for (const Span& s : merged_) {
      while (o < open_.size() && open_[o].span.top < s.top) {
        const Open& e = open_[o++];
        out.append(QRect(QPoint(e.left, e.span.top), QPoint(left + c - 1, e.span.bottom)));
      }
      if (o < open_.size() && open_[o].span.top == s.top && open_[o].span.bottom == s.bottom)
        next_.push_back(open_[o++]);
      else
        next_.push_back({s, left + c});
    }
    for (; o < open_.size(); ++o)
      out.append(QRect(QPoint(open_[o].left, open_[o].span.top), QPoint(left + c - 1, open_[o].span.bottom)));
    open_.swap(next_);
  }
}

}  // namespace lcr
