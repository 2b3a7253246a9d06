#pragma once
// Turns overlapping pixel rectangles into rectangles that light each of the
// same pixels once. A page of hundreds of points puts many rises of the
// stepped line on the same pixel columns; filling every pixel once instead
// of up to three times is most of what painting the line costs.

#include <QList>
#include <QRect>
#include <vector>

namespace lcr {

class PixelCover {
 public:
  // `out` gets rectangles covering exactly the pixels of `rects`, none
  // overlapping another; runs of equal spans in neighbouring columns are
  // joined into one rectangle.
  void cover(const QList<QRect>& rects, QList<QRect>& out);

 private:
  struct Span {
    int top, bottom;  // inclusive pixel rows
  };
  struct Open {
    Span span;
    int left;
  };
  // Kept between calls for their storage.
  std::vector<int> start_;
  std::vector<Span> spans_;
  std::vector<Span> merged_;
  std::vector<Open> open_, next_;
};

}  // namespace lcr
