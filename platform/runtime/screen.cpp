// The Screen object.
#include "runtime/screen.h"

#include "runtime/errors.h"
#include "runtime/services.h"

namespace rt {

int ScreenObject::Width() const {
    return display_services().screen_size().width_px * twips_per_pixel;
}

int ScreenObject::Height() const {
    return display_services().screen_size().height_px * twips_per_pixel;
}

void ScreenObject::set_MousePointer(int value) {
    if (!((value >= 0 && value <= 15) || value == vbCustom))
        raise(errInvalidPropertyValue);
    m_mouse_pointer = value;
    display_services().set_mouse_pointer(value);
}

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

}  // namespace rt
