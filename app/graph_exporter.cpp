#include "app/graph_exporter.h"

#include "app/graph_export.h"

namespace lcr {

Exporter GraphExporter(ChartPictureFn picture) {
  const QString caption = QStringLiteral("Export Graph");
  return {QStringLiteral("graph"), QStringLiteral("JPEG Image File (*.jpg)"), QStringLiteral("jpg"),
          QStringLiteral("Export Graph"), caption,
          [picture, caption](const MeasurementTable&, const QString& path, const Progress&) {
            ExportOutcome out;
            out.caption = caption;
            QString error;
            if (!SaveGraphPicture(picture(), path, &error)) {
              // Nothing was written; say why rather than report success.
              out.kind = ExportOutcome::Kind::Failed;
              out.text = error;
              return out;
            }
            out.kind = ExportOutcome::Kind::Saved;
            out.text = QStringLiteral("Export Graph ") + path + QStringLiteral(" Successfully.");
            return out;
          }};
}

}  // namespace lcr
