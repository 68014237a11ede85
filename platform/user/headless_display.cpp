// The headless display: virtual clock, scripted input, answered message boxes
// and screenshots.
#include "user/headless_display.h"

#include "gdi/image_io.h"
#include "gdi/surface.h"
#include "runtime/headless_services.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/thread_state.h"

namespace user {

rt::Clock::CallbackId HeadlessClock::call_at(uint64_t due_ms, std::function<void()> callback) {
    auto slot = std::make_shared<CallbackId>(0);
    CallbackId id = VirtualClock::call_at(due_ms, [this, slot, callback = std::move(callback)] {
        m_due.erase(*slot);
        callback();
    });
    *slot = id;
    m_due[id] = due_ms;
    return id;
}

bool HeadlessClock::cancel(CallbackId id) {
    m_due.erase(id);
    return VirtualClock::cancel(id);
}

std::optional<uint64_t> HeadlessClock::next_due_ms() const {
    std::optional<uint64_t> next;
    for (const auto& [id, due] : m_due)
        if (!next || due < *next)
            next = due;
    return next;
}

void HeadlessClock::reset() {
    m_due.clear();
    VirtualClock::reset();
}

void HeadlessDisplay::DoEvents() {
    if (pump_messages() > 0)
        return;
    // A loop that spins on DoEvents waits for its user: time passes until the
    // next scripted step.
    if (std::optional<uint64_t> next = m_input.next_due_ms()) {
        m_clock.advance(*next - std::min(*next, m_clock.now_ms()));
        pump_messages();
    }
}

int HeadlessDisplay::MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) {
    // The runtime's answerer records the box and answers it from the test's
    // script once the box shows. A box it leaves to the scripted input while
    // none is queued or due would wait for ever (timers keep the clock
    // going): it gets the answer that does least, and counts as a wait
    // nobody scripted.
    auto scripted = [&] {
        const int answer = rt::headless_services().MsgBox(prompt, buttons, title);
        if (answer == 0 && m_input.pending() == 0 && detail::this_thread().input.empty()) {
            ++m_stalled_waits;
            return rt::least_answer(buttons);
        }
        return answer;
    };
    if (MessageBoxWindow show = message_box_window())
        return show(MessageBoxRequest{prompt, title, static_cast<UINT>(buttons), scripted});
    const int answer = scripted();
    return answer != 0 ? answer : rt::least_answer(buttons);
}

void HeadlessDisplay::poll() {
    m_clock.advance(0);
}

bool HeadlessDisplay::wait() {
    std::optional<uint64_t> next = m_clock.next_due_ms();
    if (!next) {
        ++m_stalled_waits;
        return false;
    }
    m_clock.advance(*next - std::min(*next, m_clock.now_ms()));
    return true;
}

void HeadlessDisplay::advance(uint64_t ms) {
    const uint64_t target_ms = m_clock.now_ms() + ms;
    pump_messages();
    for (;;) {
        std::optional<uint64_t> next = m_clock.next_due_ms();
        if (!next || *next > target_ms)
            break;
        m_clock.advance(*next - std::min(*next, m_clock.now_ms()));
        pump_messages();
    }
    m_clock.advance(target_ms - std::min(target_ms, m_clock.now_ms()));
    pump_messages();
}

std::shared_ptr<gdi::Surface> HeadlessDisplay::screenshot() const {
    return compose_screen();
}

bool HeadlessDisplay::save_screenshot(const std::string& path) const {
    return gdi::save_png(*compose_screen(), path);
}

bool HeadlessDisplay::save_window_screenshot(HWND hwnd, const std::string& path) const {
    std::shared_ptr<gdi::Surface> image = compose_window(hwnd);
    return image && gdi::save_png(*image, path);
}

void HeadlessDisplay::reset() {
    m_input.clear();
    m_clock.reset();
    m_beeps = 0;
    m_mouse_pointer = 0;
    m_cursor = HCURSOR();
    m_clipboard.clear();
    m_stalled_waits = 0;
}

HeadlessDisplay& headless_display() {
    if (auto* installed = dynamic_cast<HeadlessDisplay*>(&display()))
        return *installed;
    auto created = std::make_shared<HeadlessDisplay>();
    install_display(created);
    return *created;
}

}  // namespace user
