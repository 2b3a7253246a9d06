#pragma once
// Puts a GBK text into an edit, touching the edit only when the text changed.

#include <QLineEdit>
#include <QString>
#include <string_view>

#include "decode/gbk.h"

namespace lcr {

inline void ShowGbkText(QLineEdit* edit, std::string_view gbk) {
  const QString text = GbkToQString(gbk);
  if (edit->text() != text) edit->setText(text);
}

}  // namespace lcr
