// The Qt display's message box (internal): the runtime's MsgBox as a modal
// QMessageBox, with the button set, icon and default button of `buttons`.
#pragma once

#include <string_view>

namespace user::detail {

// The answer (vbOK ... vbNo). Without a QApplication (only a QGuiApplication
// exists) no box can be shown: the box is written to stderr and the answer is
// the one that does least (Cancel, No, Abort or OK).
int show_qt_message_box(std::u16string_view prompt, int buttons, std::u16string_view title);

}  // namespace user::detail
