// The display of family 730 (17-byte frames): every element's rectangle in the
// 350 x 150 LCD art, and the two glyph strips. segments_730.h names the
// segments the renders light.

#include "lcd/panel_geometry.h"

namespace lcr {

namespace {

// {segment, x, y, w, h, kind, shows}
constexpr PanelElement kElements730[] = {
    {1, 8, 37, 29, 13, ElementKind::Art, "LCR label (boxed)"},
    {2, 8, 55, 29, 13, ElementKind::Art, "REL label (boxed)"},
    {3, 8, 74, 38, 12, ElementKind::Art, "HOLD label (boxed)"},
    {4, 8, 92, 38, 13, ElementKind::Art, "AUTO label (boxed)"},
    {6, 77, 13, 10, 8, ElementKind::Art, "Ls"},
    {7, 93, 13, 11, 9, ElementKind::Art, "Lp"},
    {8, 77, 25, 12, 8, ElementKind::Art, "Cs"},
    {9, 93, 25, 13, 9, ElementKind::Art, "Cp"},
    {10, 77, 36, 12, 8, ElementKind::Art, "Rs"},
    {11, 93, 36, 12, 10, ElementKind::Art, "Rp"},
    {12, 84, 48, 21, 8, ElementKind::Art, "DCR"},
    {13, 61, 60, 58, 9, ElementKind::Art, "Ext-Power text"},
    {14, 61, 73, 41, 11, ElementKind::Art, "Sorting text"},
    {15, 111, 73, 23, 9, ElementKind::Art, "CAL text"},
    {16, 61, 87, 17, 9, ElementKind::Art, "Tol text"},
    {17, 84, 87, 7, 7, ElementKind::Art, "+ of the tolerance sign"},
    {18, 83, 94, 9, 2, ElementKind::Art, "bar under + (with 17 reads ±; alone -)"},
    {19, 93, 94, 2, 2, ElementKind::Art, "small decimal point"},
    {20, 97, 87, 4, 9, ElementKind::Art, "small 1"},
    {21, 103, 87, 6, 9, ElementKind::Art, "small 2"},
    {22, 110, 87, 6, 9, ElementKind::Art, "small 0"},
    {23, 118, 87, 6, 9, ElementKind::Art, "small 5"},
    {24, 126, 87, 11, 9, ElementKind::Art, "small %"},
    {25, 140, 87, 34, 9, ElementKind::Art, "+80%"},
    {26, 62, 100, 20, 9, ElementKind::Art, "120"},
    {27, 88, 101, 5, 8, ElementKind::Art, "small 1"},
    {28, 114, 100, 7, 9, ElementKind::Art, "k"},
    {29, 122, 100, 14, 9, ElementKind::Art, "Hz"},
    {30, 62, 115, 20, 10, ElementKind::Art, "battery outline"},
    {31, 65, 117, 3, 5, ElementKind::Art, "battery bar 1"},
    {32, 70, 117, 3, 5, ElementKind::Art, "battery bar 2"},
    {33, 74, 117, 3, 5, ElementKind::Art, "battery bar 3"},
    {34, 178, 87, 17, 7, ElementKind::Art, "ESR"},
    {35, 178, 96, 11, 7, ElementKind::Art, "Rp (secondary)"},
    {36, 178, 106, 5, 7, ElementKind::Art, "D"},
    {37, 184, 106, 6, 9, ElementKind::Art, "Q"},
    {38, 191, 106, 5, 7, ElementKind::Art, "θ"},
    {39, 288, 16, 9, 11, ElementKind::Art, "M (primary)"},
    {40, 301, 16, 6, 11, ElementKind::Art, "k (primary)"},
    {41, 311, 16, 10, 11, ElementKind::Art, "Ω (primary)"},
    {42, 288, 31, 8, 9, ElementKind::Art, "n (primary)"},
    {43, 299, 32, 7, 12, ElementKind::Art, "µ (primary)"},
    {44, 310, 32, 11, 9, ElementKind::Art, "m (primary)"},
    {45, 325, 31, 9, 10, ElementKind::Art, "H (primary)"},
    {46, 288, 47, 7, 10, ElementKind::Art, "p (primary)"},
    {47, 299, 47, 8, 10, ElementKind::Art, "n (primary)"},
    {48, 310, 48, 7, 12, ElementKind::Art, "µ (primary)"},
    {49, 321, 48, 11, 9, ElementKind::Art, "m (primary)"},
    {50, 335, 47, 7, 10, ElementKind::Art, "F (primary)"},
    {51, 295, 78, 5, 6, ElementKind::Art, "° (secondary)"},
    {52, 299, 85, 8, 9, ElementKind::Art, "M (secondary)"},
    {53, 309, 85, 5, 9, ElementKind::Art, "k (secondary)"},
    {54, 317, 85, 9, 9, ElementKind::Art, "Ω (secondary)"},
    {55, 299, 97, 6, 8, ElementKind::Art, "p (secondary)"},
    {56, 308, 97, 5, 7, ElementKind::Art, "n (secondary)"},
    {57, 316, 98, 5, 9, ElementKind::Art, "µ (secondary)"},
    {58, 324, 98, 8, 7, ElementKind::Art, "m (secondary)"},
    {59, 335, 97, 6, 8, ElementKind::Art, "F (secondary)"},
    {60, 296, 110, 10, 9, ElementKind::Art, "% (secondary)"},
    {61, 308, 110, 6, 7, ElementKind::Art, "n (secondary)"},
    {62, 316, 111, 5, 9, ElementKind::Art, "µ (secondary)"},
    {63, 324, 111, 9, 7, ElementKind::Art, "m (secondary)"},
    {64, 335, 110, 7, 8, ElementKind::Art, "H (secondary)"},
    {65, 95, 100, 6, 9, ElementKind::Art, "small 0 (tens)"},
    {66, 102, 100, 7, 9, ElementKind::Art, "small 0 (hundreds)"},
    {67, 92, 115, 22, 9, ElementKind::Art, "USB text"},
    {100, 7, 142, 4, 6, ElementKind::Art, "bar scale 0"},
    {101, 68, 142, 8, 6, ElementKind::Art, "bar scale 20"},
    {102, 132, 142, 10, 6, ElementKind::Art, "bar scale 40"},
    {103, 196, 142, 10, 6, ElementKind::Art, "bar scale 60"},
    {104, 261, 142, 10, 6, ElementKind::Art, "bar scale 80"},
    {105, 323, 142, 13, 6, ElementKind::Art, "bar scale 100"},
    {106, 337, 142, 8, 6, ElementKind::Art, "bar scale %"},
    {107, 331, 132, 4, 7, ElementKind::Art, "overflow arrow at the bar's right end"},
    {108, 6, 132, 325, 7, ElementKind::Art, "bar (length varies, full length 325)"},
    {201, 120, 6, 10, 53, ElementKind::Art, "primary leading 1 (half digit)"},
    {202, 140, 5, 28, 55, ElementKind::MainCell, "primary digit D1 (glyph cell)"},
    {203, 176, 5, 28, 55, ElementKind::MainCell, "primary digit D2 (glyph cell)"},
    {204, 211, 5, 28, 55, ElementKind::MainCell, "primary digit D3 (glyph cell)"},
    {205, 247, 5, 28, 55, ElementKind::MainCell, "primary digit D4 (glyph cell)"},
    {206, 132, 54, 6, 6, ElementKind::Art, "primary point P1 (left of D1)"},
    {207, 168, 54, 6, 6, ElementKind::Art, "primary point P2 (between D1 and D2)"},
    {208, 204, 54, 6, 6, ElementKind::Art, "primary point P3 (between D2 and D3)"},
    {209, 239, 54, 6, 6, ElementKind::Art, "primary point P4 (between D3 and D4)"},
    {221, 201, 81, 20, 39, ElementKind::SubCell, "secondary digit S1 (glyph cell)"},
    {222, 225, 81, 20, 39, ElementKind::SubCell, "secondary digit S2 (glyph cell)"},
    {223, 250, 81, 20, 39, ElementKind::SubCell, "secondary digit S3 (glyph cell)"},
    {224, 274, 81, 20, 39, ElementKind::SubCell, "secondary digit S4 (glyph cell)"},
    {225, 221, 116, 4, 4, ElementKind::Art, "secondary point Q1 (between S1 and S2)"},
    {226, 245, 116, 4, 4, ElementKind::Art, "secondary point Q2 (between S2 and S3)"},
    {227, 269, 116, 4, 4, ElementKind::Art, "secondary point Q3 (between S3 and S4)"},
};

}  // namespace

const PanelGeometry& PanelGeometry730() {
  static const PanelGeometry geometry{
      730, "BMP_730_LCD_MAIN",
      {"BMP_730_MAIN_NO", 734, 55, kGlyphCount730, 0, 29, 28, 55},
      {"BMP_730_SUB_NO", 528, 39, kGlyphCount730, 0, 21, 20, 39},
      kElements730};
  return geometry;
}

}  // namespace lcr
