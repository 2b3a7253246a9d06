#include "decode/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace lcr {

QString GbkToQString(std::string_view gbk) {
  QStringDecoder decoder("GBK");
  if (!decoder.isValid()) return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
  return decoder.decode(QByteArrayView(gbk.data(), qsizetype(gbk.size())));
}

std::string GbkToUtf8(std::string_view gbk) {
  // Most texts are plain ASCII, which reads the same in both: no decoder needed.
  if (std::all_of(gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(gbk);
  const QByteArray utf8 = GbkToQString(gbk).toUtf8();
  return std::string(utf8.constData(), std::size_t(utf8.size()));
}

std::string QStringToGbk(const QString& text) {
  QStringEncoder encoder("GBK");
  if (!encoder.isValid()) {
    const QByteArray latin = text.toLatin1();
    return std::string(latin.constData(), std::size_t(latin.size()));
  }
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace lcr
