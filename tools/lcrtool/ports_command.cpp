// lcrtool ports: the serial ports the settings dialog offers, one line each
// (number, path, description, stable name), so a meter can be found from a
// terminal.
#include <cstdio>

#include "commands.h"
#include "link/port_list.h"

namespace lcrtool {

int RunPorts(const QStringList& args) {
  if (!args.isEmpty()) {
    std::fputs("lcrtool ports: usage: lcrtool ports\n", stderr);
    return 2;
  }
  const QList<lcr::PortListing> ports = lcr::ListPortsNow();
  for (const lcr::PortListing& port : ports) {
    const QString number = port.number > 0 ? QString::number(port.number) : QStringLiteral("-");
    QStringList fields{number, port.path, port.description};
    if (!port.stableName.isEmpty()) fields.append(port.stableName);
    std::printf("%s\n", fields.join(u'\t').toUtf8().constData());
  }
  if (ports.isEmpty())
    std::fprintf(stderr, "lcrtool ports: no serial port found (pseudo-terminals are listed only when named in %s)\n",
                 lcr::kPortsEnvVar);
  return 0;
}

}  // namespace lcrtool
