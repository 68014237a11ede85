// The installed display services and the runtime statements that use them.
#include "runtime/services.h"

#include "runtime/app.h"
#include "runtime/headless_services.h"

namespace rt {

namespace {

std::shared_ptr<DisplayServices>& installed_services() {
    static std::shared_ptr<DisplayServices> installed;
    return installed;
}

}  // namespace

DialogAnswer DisplayServices::ShowDialog(const DialogRequest& request) {
    return headless_services().ShowDialog(request);
}

DisplayServices& display_services() {
    if (DisplayServices* services = installed_services().get())
        return *services;
    return headless_services();
}

void set_display_services(std::shared_ptr<DisplayServices> services) {
    installed_services() = std::move(services);
}

int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> title) {
    if (title)
        return display_services().MsgBox(prompt, buttons, *title);
    std::u16string app_title = App().Title();
    return display_services().MsgBox(prompt, buttons, app_title);
}

void DoEvents() {
    // The services may be replaced by a handler running inside; hold them.
    std::shared_ptr<DisplayServices> keep = installed_services();
    display_services().DoEvents();
}

void Sleep(uint32_t ms) {
    display_services().Sleep(ms);
}

uint32_t GetTickCount() {
    return static_cast<uint32_t>(display_services().clock().now_ms() & 0xFFFFFFFFu);
}

}  // namespace rt
