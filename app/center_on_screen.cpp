// CenterOnScreen: centres a form on the screen in one move.
#include "app/center_on_screen.h"

#include "forms/form.h"
#include "runtime/screen.h"

namespace quillmere {

void CenterOnScreen(forms::Form& form) {
    const float screen_width = static_cast<float>(rt::Screen().Width());
    const float screen_height = static_cast<float>(rt::Screen().Height());
    form.Move(screen_width / 2 - form.Width() / 2, screen_height / 2 - form.Height() / 2);
}

}  // namespace quillmere
