#pragma once
// The small pictures of the File menu's Open and Save items, drawn in code so
// that they stay sharp and need no image files.

#include <QIcon>

namespace lcr {

QIcon OpenPicture();  // an opened folder
QIcon SavePicture();  // a diskette

}  // namespace lcr
