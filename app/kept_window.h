#pragma once
// The window's side of the kept settings (session/kept_settings.h): puts
// them on the main window at start and reads them back from it.

#include <vector>

#include "session/kept_settings.h"

namespace lcr {

class TForm1;

// The sampling rate, points per page, port choice and limits through the cycle,
// the grid's column widths and the window's place; the caller shows it.
void ApplyKeptSettings(TForm1& form, const KeptSettings& kept);

// Shows the window, maximized when it was left so.
void ShowAsKept(TForm1& form, const KeptSettings& kept);

// What the window holds now, to be kept.
KeptSettings CurrentKeptSettings(TForm1& form);

// The areas free for windows on the screens there are now.
std::vector<LayoutRect> FreeScreenAreas();

}  // namespace lcr
