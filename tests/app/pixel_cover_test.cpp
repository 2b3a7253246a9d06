// Overlapping pixel rectangles become rectangles that light the same pixels,
// each once.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/pixel_cover.h"

using lcr::PixelCover;

namespace {

constexpr int kSize = 48;

// How many of `rects` cover each pixel of a kSize square.
std::vector<int> Counts(const QList<QRect>& rects) {
  std::vector<int> counts(kSize * kSize, 0);
  for (const QRect& r : rects)
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) ++counts[std::size_t(y * kSize + x)];
  return counts;
}

TEST(PixelCoverTest, CoversTheSamePixelsEachOnce) {
  std::mt19937 random(11);
  PixelCover cover;  // one for all, as a repainted item keeps it
  QList<QRect> out;
  for (int round = 0; round < 2000; ++round) {
    QList<QRect> rects;
    const int n = int(random() % 40);
    for (int i = 0; i < n; ++i) {
      // Tall narrow rises and flat levels, as a stepped line has, and some
      // of any shape.
      const int x = int(random() % kSize), y = int(random() % kSize);
      int w = 1 + int(random() % 3), h = 1 + int(random() % kSize);
      if (i % 2) std::swap(w, h);
      if (i % 7 == 0) w = 1 + int(random() % kSize);
      rects.append(QRect(x, y, std::min(w, kSize - x), std::min(h, kSize - y)));
    }
    cover.cover(rects, out);
    const std::vector<int> before = Counts(rects), after = Counts(out);
    for (std::size_t p = 0; p < before.size(); ++p) {
      ASSERT_EQ(after[p], before[p] ? 1 : 0) << "round " << round << " pixel " << p % kSize << "," << p / kSize;
    }
    ASSERT_LE(out.size(), rects.size() * 2 + 2 * kSize) << "round " << round;
  }
}

TEST(PixelCoverTest, JoinsEqualSpansAcrossColumns) {
  PixelCover cover;
  QList<QRect> out;
  // A level drawn as three touching pieces, and a rise through it.
  cover.cover({QRect(0, 10, 5, 2), QRect(5, 10, 5, 2), QRect(10, 10, 5, 2), QRect(7, 0, 2, 20)}, out);
  const QList<QRect> expected{QRect(0, 10, 7, 2), QRect(7, 0, 2, 20), QRect(9, 10, 6, 2)};
  EXPECT_EQ(out, expected);
  cover.cover({}, out);
  EXPECT_TRUE(out.isEmpty());
}

}  // namespace
