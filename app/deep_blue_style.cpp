#include "app/deep_blue_style.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

// The resources live in a static library: make sure they are linked in.
static void InitUiResources() { Q_INIT_RESOURCE(lcr_ui); }

namespace lcr {

QString DeepBlueStyleSheet() {
  InitUiResources();
  QFile file(QStringLiteral(":/lcr/deepblue.qss"));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  return QString::fromUtf8(file.readAll());
}

void ApplyDeepBlueStyle(QApplication& app) {
  // Fusion draws every control from the style sheet the same on all systems.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
  app.setStyleSheet(DeepBlueStyleSheet());
}

}  // namespace lcr
