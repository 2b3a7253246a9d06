#include "decode/gbk.h"

#include <QStringDecoder>
#include <algorithm>

namespace lcr {

namespace {

// Most texts are plain ASCII, which reads the same in GBK: no decoder needed.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

QString GbkToQString(std::string_view gbk) {
  if (IsAscii(gbk)) return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
  // Finding the codec by name costs more than decoding a caption: keep one
  // per thread, and start it afresh each time, as a new one would be.
  thread_local QStringDecoder decoder("GBK");
  if (!decoder.isValid()) return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
  decoder.resetState();
  return decoder.decode(QByteArrayView(gbk.data(), qsizetype(gbk.size())));
}

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  const QByteArray utf8 = GbkToQString(gbk).toUtf8();
  return std::string(utf8.constData(), std::size_t(utf8.size()));
}

}  // namespace lcr
