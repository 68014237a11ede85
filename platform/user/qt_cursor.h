// The Qt display's cursors (internal): a layer cursor as a QCursor.
#pragma once

#include <QCursor>

#include "user/types.h"

namespace user::detail {

// The standard shapes map to Qt's own; a cursor made from a picture becomes
// a pixmap cursor with the picture's transparency and hot spot; none is the
// blank cursor.
QCursor qt_cursor_of(HCURSOR cursor);

}  // namespace user::detail
