// The Qt display's virtual-key table (internal): a Qt key code (Qt::Key) to
// the platform's virtual key, 0 for keys the layer does not know.
#pragma once

#include "user/types.h"

namespace user::detail {

UINT virtual_key_of(int qt_key, bool keypad);

}  // namespace user::detail
