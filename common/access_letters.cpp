#include "common/access_letters.h"

#include <QSet>

namespace lcr {

namespace {

// Positions of `caption` in the order they are tried: word starts first.
QList<int> Candidates(const QString& caption) {
  QList<int> starts, rest;
  for (int i = 0; i < caption.size(); ++i) {
    if (!caption[i].isLetterOrNumber()) continue;
    (i == 0 || caption[i - 1].isSpace() ? starts : rest).append(i);
  }
  return starts + rest;
}

}  // namespace

QStringList WithAccessLetters(const QStringList& captions) {
  QSet<QChar> used;
  for (const QString& c : captions) {
    const int amp = c.indexOf(u'&');
    if (amp >= 0 && amp + 1 < c.size()) used.insert(c[amp + 1].toLower());
  }
  QStringList out;
  for (const QString& c : captions) {
    QString marked = c;
    if (!c.contains(u'&')) {
      for (const int i : Candidates(c)) {
        const QChar letter = c[i].toLower();
        if (used.contains(letter)) continue;
        used.insert(letter);
        marked.insert(i, u'&');
        break;
      }
    }
    out.append(marked);
  }
  return out;
}

}  // namespace lcr
