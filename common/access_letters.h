#pragma once
// Access letters ('&') for the items of one menu, without changing a word.

#include <QString>
#include <QStringList>

namespace lcr {

// Each caption gets a letter no other item of the list has, taken from the
// first letters of its words before any other letter; a caption that holds
// a '&' already keeps it. A caption with no free letter stays as it is.
QStringList WithAccessLetters(const QStringList& captions);

}  // namespace lcr
