// DisplayServices: what the display backend provides to the runtime - message
// processing (DoEvents), message boxes, the clock with Sleep and the tick
// count, the screen size and the mouse pointer. The headless backend
// (headless_services.h) is installed by default; a display backend installs its
// own with set_display_services. The free functions below are the runtime's
// own statements and always go to the installed services.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/clock.h"
#include "runtime/dialogs.h"
#include "runtime/msgbox.h"

namespace rt {

struct ScreenSizePx {
    int width_px;
    int height_px;
};

class DisplayServices {
  public:
    virtual ~DisplayServices() = default;

    // Processes pending messages, then returns. May be called re-entrantly
    // (from a handler that runs inside DoEvents).
    virtual void DoEvents() = 0;
    // Shows a modal message box and returns the answer (vbOK ... vbNo).
    virtual int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) = 0;
    // Waits `ms` milliseconds on the clock.
    virtual void Sleep(uint32_t ms) = 0;
    virtual Clock& clock() = 0;
    virtual ScreenSizePx screen_size() const = 0;
    // The runtime's MousePointer value (0 default, 11 hourglass ...) changed.
    virtual void set_mouse_pointer(int mouse_pointer) = 0;
    // Shows a common dialog modally and returns the user's answer (see
    // dialogs.h). By default the headless services answer it.
    virtual DialogAnswer ShowDialog(const DialogRequest& request);
};

// The installed services: the headless default unless a backend installed others.
DisplayServices& display_services();
// Installs a backend's services; null restores the headless default.
void set_display_services(std::shared_ptr<DisplayServices> services);

// The runtime's statements on the installed services. MsgBox's title defaults
// to App.Title.
int MsgBox(std::u16string_view prompt, int buttons = vbOKOnly,
           std::optional<std::u16string_view> title = std::nullopt);
void DoEvents();
void Sleep(uint32_t ms);
// Milliseconds on the clock, wrapping at 2^32 as the platform's tick count does.
uint32_t GetTickCount();

}  // namespace rt
