#pragma once
// The deep-blue instrument look shared by both windows.

class QApplication;
class QString;

namespace lcr {

// The style sheet kept in the resources.
QString DeepBlueStyleSheet();
// Puts the look on every window of the application.
void ApplyDeepBlueStyle(QApplication& app);

}  // namespace lcr
