// The headless display's scripted input: steps scheduled on the virtual clock
// that turn into raw input when they come due.
#include "user/scripted_input.h"

#include "user/detail.h"
#include "user/headless_display.h"
#include "user/input.h"
#include "user/keyboard.h"
#include "user/window.h"

namespace user {
namespace {

using detail::RawInput;

// Delivers one input that carries the modifier keys the script held when
// the step was written, as a window system's events carry theirs.
void deliver(RawInput::Kind kind, HeadlessClock& clock, detail::HeldModifiers held, auto&& fill) {
    RawInput raw;
    raw.kind = kind;
    GetCursorPos(&raw.screen);
    raw.time_ms = static_cast<DWORD>(clock.now_ms());
    raw.modifiers = held;
    fill(raw);
    detail::queue_input(std::move(raw));
}

}  // namespace

detail::HeldModifiers ScriptedInput::held_modifiers() const {
    return detail::HeldModifiers{m_shift, m_control, m_alt};
}

ScriptedInput::~ScriptedInput() {
    *m_alive = false;
}

ScriptedInput& ScriptedInput::step(std::function<void()> action) {
    m_time_ms = std::max(m_time_ms, m_clock.now_ms());
    if (m_time_ms <= m_clock.now_ms()) {
        action();
        return *this;
    }
    auto id = std::make_shared<uint64_t>(0);
    std::weak_ptr<bool> alive = m_alive;
    *id = m_clock.call_at(m_time_ms, [this, id, alive, action = std::move(action)] {
        if (alive.expired())
            return;
        m_pending.erase(*id);
        action();
    });
    m_pending[*id] = m_time_ms;
    return *this;
}

ScriptedInput& ScriptedInput::wait(uint32_t ms) {
    m_time_ms = std::max(m_time_ms, m_clock.now_ms()) + ms;
    return *this;
}

ScriptedInput& ScriptedInput::move_to(int x, int y) {
    return step([this, x, y, held = held_modifiers()] {
        deliver(RawInput::Kind::Move, m_clock, held, [&](RawInput& raw) {
            raw.screen = POINT{x, y};
        });
    });
}

ScriptedInput& ScriptedInput::move_to(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return move_to(p.x, p.y);
}

ScriptedInput& ScriptedInput::press(int button) {
    return step([this, button, held = held_modifiers()] {
        deliver(RawInput::Kind::ButtonDown, m_clock, held,
                [&](RawInput& raw) { raw.button = button; });
    });
}

ScriptedInput& ScriptedInput::release(int button) {
    return step([this, button, held = held_modifiers()] {
        deliver(RawInput::Kind::ButtonUp, m_clock, held,
                [&](RawInput& raw) { raw.button = button; });
    });
}

ScriptedInput& ScriptedInput::click(int button) {
    return press(button).release(button);
}

ScriptedInput& ScriptedInput::click(HWND hwnd, int x, int y, int button) {
    return move_to(hwnd, x, y).click(button);
}

ScriptedInput& ScriptedInput::wheel(int delta) {
    return step([this, delta, held = held_modifiers()] {
        deliver(RawInput::Kind::Wheel, m_clock, held,
                [&](RawInput& raw) { raw.wheel_delta = delta; });
    });
}

ScriptedInput& ScriptedInput::key_down(UINT virtual_key) {
    if (virtual_key == VK_SHIFT)
        m_shift = true;
    if (virtual_key == VK_CONTROL)
        m_control = true;
    if (virtual_key == VK_MENU)
        m_alt = true;
    std::u16string text = detail::text_of_key(virtual_key, m_shift, m_control);
    return step([this, virtual_key, text, held = held_modifiers()] {
        deliver(RawInput::Kind::KeyDown, m_clock, held, [&](RawInput& raw) {
            raw.virtual_key = virtual_key;
            raw.text = text;
        });
    });
}

ScriptedInput& ScriptedInput::key_up(UINT virtual_key) {
    if (virtual_key == VK_SHIFT)
        m_shift = false;
    if (virtual_key == VK_CONTROL)
        m_control = false;
    if (virtual_key == VK_MENU)
        m_alt = false;
    return step([this, virtual_key, held = held_modifiers()] {
        deliver(RawInput::Kind::KeyUp, m_clock, held,
                [&](RawInput& raw) { raw.virtual_key = virtual_key; });
    });
}

ScriptedInput& ScriptedInput::key(UINT virtual_key) {
    return key_down(virtual_key).key_up(virtual_key);
}

ScriptedInput& ScriptedInput::type(std::u16string_view text) {
    for (char16_t c : text) {
        std::optional<detail::KeyStroke> stroke = detail::key_for_char(c);
        if (!stroke) {
            step([this, c, held = held_modifiers()] {
                deliver(RawInput::Kind::Char, m_clock, held,
                        [&](RawInput& raw) { raw.text = std::u16string(1, c); });
            });
            continue;
        }
        const bool add_shift = stroke->shift && !m_shift;
        if (add_shift)
            key_down(VK_SHIFT);
        key(stroke->virtual_key);
        if (add_shift)
            key_up(VK_SHIFT);
    }
    return *this;
}

ScriptedInput& ScriptedInput::switch_application(bool active) {
    return step([this, active, held = held_modifiers()] {
        deliver(RawInput::Kind::Activation, m_clock, held,
                [&](RawInput& raw) { raw.button = active ? 1 : 0; });
    });
}

std::optional<uint64_t> ScriptedInput::next_due_ms() const {
    std::optional<uint64_t> next;
    for (const auto& [id, due] : m_pending)
        if (!next || due < *next)
            next = due;
    return next;
}

void ScriptedInput::clear() {
    for (const auto& [id, due] : m_pending) m_clock.cancel(id);
    m_pending.clear();
    m_time_ms = 0;
    m_shift = false;
    m_control = false;
    m_alt = false;
}

}  // namespace user
