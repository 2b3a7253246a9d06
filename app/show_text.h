#pragma once
// Puts a GBK text into an edit, touching the edit only when the text changed.

#include <QLineEdit>
#include <QString>
#include <string_view>

#include "decode/gbk.h"

namespace lcr {

// Most texts are plain ASCII: they need no code page.
inline QString ShownGbk(std::string_view gbk) {
  for (unsigned char ch : gbk)
    if (ch >= 0x80) return GbkToQString(gbk);
  return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
}

inline void ShowGbkText(QLineEdit* edit, std::string_view gbk) {
  const QString text = ShownGbk(gbk);
  if (edit->text() != text) edit->setText(text);
}

}  // namespace lcr
