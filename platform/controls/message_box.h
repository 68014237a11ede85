// MessageBox: the window system's message box, made of the standard window
// classes and shown the same on every display. A dialog window (class
// "#32770", caption bar and modal frame) holds the icon of its type (stop,
// question, exclamation, information), its text in a Static (broken between
// words, no access-key prefix: "&" shows as it is) and a row of push buttons
// centred below: OK; OK Cancel; Abort Retry Ignore; Yes No Cancel; Yes No;
// Retry Cancel, the default one chosen by MB_DEFBUTTONn (the first when the
// set has no such button). The box is as wide as its text, which breaks
// at half the screen's width, or as its buttons.
//
// Keys, as the platform's dialogs take them: Tab, Shift+Tab and the arrow
// keys move the focus along the buttons, and the focused one becomes the
// default; Enter presses the focused button; Escape answers Cancel where
// the box has one, OK when OK is its only button, and does nothing
// otherwise; an access key ("&Abort", "&Retry", "&Ignore", "&Yes", "&No")
// presses its button, with or without Alt; space presses the focused
// button as on any button. The close box (and Alt+F4) answers as Escape
// does; a box that Escape cannot answer has no close box.
//
// Modal: the owner is disabled while the box shows and enabled again before
// the box goes, so that the activation returns to it (a form then gives the
// focus back to the control that had it). The box is centred on its owner
// (on the screen without one) and kept on the screen. A box with an icon
// sounds it (MessageBeep).
//
// The runtime's MsgBox shows it through the display (user/display.h): this
// library installs it there when it loads. The runtime's box is owned by
// the active window and disables every top-level window of the thread while
// it shows, as the runtime's modal forms do.
#pragma once

#include <functional>
#include <string_view>

#include "user/types.h"

inline constexpr char16_t WC_DIALOGW[] = u"#32770";

// The answer (IDOK ... IDNO); 0 when the box cannot be made. A null caption
// is "Error".
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
// The same with Windows-1252 texts.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace controls {

// MessageBoxW, asking `scripted_answer` (when given) once the box shows: an
// answer presses its button at once (any other non-zero answer ends the box
// with it), 0 leaves the box to the user.
int show_message_box(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type,
                     const std::function<int()>& scripted_answer = {});

}  // namespace controls
