#pragma once
// The widgets each view helper drives. The main window creates and owns
// every widget; a helper is given only its own set, never the window, so
// what it can touch is written here. Each set is filled by the window's
// build steps before the helper that drives it is made.

#include <vector>

class QChart;
class QChartView;
class QFrame;
class QLabel;
class QLineEdit;
class QLineSeries;
class QTableWidget;
class QValueAxis;

namespace lcr {

// ViewWidgets: the chart, the grid, the statistics and the chart read-out.
struct ViewHandles {
  QChartView* Chart1 = nullptr;
  QChart* chart = nullptr;
  QLineSeries* Series1 = nullptr;
  QValueAxis* LeftAxis = nullptr;
  QValueAxis* BottomAxis = nullptr;
  QTableWidget* StringGrid1 = nullptr;  // its header is grid row 0; table row k-1 is grid row k
  QLineEdit* Max_Num = nullptr;
  QLineEdit* Max_Tim = nullptr;
  QLineEdit* Min_Num = nullptr;
  QLineEdit* Min_Tim = nullptr;
  QFrame* Shape1 = nullptr;        // the read-out's line
  QLineEdit* suiEdit4 = nullptr;   // the read-out's box
};

// DialWidgets: the dial picture, its clean face, the three face pictures and
// the read-outs beside it.
struct DialHandles {
  QLabel* bpmain = nullptr;
  QLabel* bpback = nullptr;
  QLabel* BP_2 = nullptr;
  QLabel* BP_10 = nullptr;
  QLabel* BP_125 = nullptr;
  QLineEdit* MainNO = nullptr;
  QLineEdit* MTEXT = nullptr;
  QLineEdit* MTEXTN = nullptr;
};

// PanelWidgets (the LCD replica): the backdrop, the art and the two glyph
// strips pictures are cut from, the lit-colour swatch, and the image pools
// laid over the backdrop (filled by the window's CreateImagePools).
struct PanelHandles {
  QLabel* Image3 = nullptr;
  QLabel* lcdmain = nullptr;
  QLabel* M_NO_MAIN = nullptr;
  QLabel* S_NO_MAIN = nullptr;
  QLabel* LCD_CLIME = nullptr;
  std::vector<QLabel*> SegmentImages;    // 251
  std::vector<QLabel*> MainGlyphImages;  // 61
  std::vector<QLabel*> SubGlyphImages;   // 61
};

}  // namespace lcr
