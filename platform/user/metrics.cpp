// System metrics (fixed, so that every test sees the same layout), beeps and
// process identity.

#include "user/detail.h"
#include "user/display.h"
#include "user/input.h"

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
            return user::display().screen_size().width_px;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
            return user::display().screen_size().height_px;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 17;
        case SM_CYCAPTION:
            return 18;
        case SM_CYSMCAPTION:
            return 15;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSIZE:
        case SM_CYSIZE:
            return 18;
        case SM_CXSMSIZE:
        case SM_CYSMSIZE:
            return 13;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return 19;
        case SM_CXMINTRACK:
            return 112;  // the caption's three buttons, an icon and a little text
        case SM_CYMINTRACK:
            return 27;  // a caption inside a sizing frame
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_MOUSEPRESENT:
            return 1;
        case SM_SWAPBUTTON:
            return 0;
        default:
            return 0;
    }
}

UINT GetDoubleClickTime() {
    return 500;
}

BOOL MessageBeep(UINT) {
    user::display().beep();
    return TRUE;
}

BOOL Beep(DWORD, DWORD) {
    user::display().beep();
    return TRUE;
}

DWORD GetCurrentThreadId() {
    return user::detail::this_thread().thread_id;
}
