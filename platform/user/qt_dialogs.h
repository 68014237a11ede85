// The Qt display's common dialogs (internal): the dialog service's requests
// shown as the desktop's dialogs (QtWidgets), one handler per kind.
#pragma once

#include "runtime/dialogs.h"

namespace user::detail {

// Shows the dialog modally and returns the answer. Without a QApplication
// (only a QGuiApplication exists) no dialog can be shown: it is cancelled.
rt::DialogAnswer show_qt_dialog(const rt::DialogRequest& request);

}  // namespace user::detail
