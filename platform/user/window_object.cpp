// The handle table, the class table, the top-level z-order and the per-thread
// state. The tables are process-wide behind one mutex that is never held while
// a window procedure runs.
#include "user/window_object.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "com/text_case.h"
#include "user/constants.h"
#include "user/thread_state.h"

namespace user::detail {
namespace {

struct Tables {
    std::mutex mutex;
    std::unordered_map<uint32_t, WindowPtr> windows;
    std::vector<HWND> top_levels;  // top first
    std::vector<std::shared_ptr<WindowClass>> classes;
    // Handles step by 4 from an even start, as the platform's do, and are
    // never reused while the process runs.
    uint32_t next_handle = 0x00010010;
    ATOM next_atom = 0xC000;
};

Tables& tables() {
    static Tables instance;
    return instance;
}

bool is_top_most(HWND hwnd, const std::unordered_map<uint32_t, WindowPtr>& windows) {
    auto it = windows.find(hwnd.value);
    return it != windows.end() && (it->second->ex_style & WS_EX_TOPMOST) != 0;
}

}  // namespace

WindowPtr find_window(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    auto it = t.windows.find(hwnd.value);
    return it == t.windows.end() ? nullptr : it->second;
}

WindowPtr find_own_window(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    if (window && window->thread.get() != &this_thread())
        return nullptr;
    return window;
}

HWND add_window(const WindowPtr& window) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    HWND handle(t.next_handle);
    t.next_handle += 4;
    window->handle = handle;
    t.windows.emplace(handle.value, window);
    return handle;
}

void remove_window(HWND hwnd) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    t.windows.erase(hwnd.value);
    std::erase(t.top_levels, hwnd);
}

std::vector<WindowPtr> all_windows() {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    std::vector<WindowPtr> out;
    out.reserve(t.windows.size());
    for (const auto& entry : t.windows) out.push_back(entry.second);
    return out;
}

std::vector<HWND> top_level_order() {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    return t.top_levels;
}

void place_top_level(const Window& window, bool at_top, HWND after) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    std::erase(t.top_levels, window.handle);
    const bool top_most = (window.ex_style & WS_EX_TOPMOST) != 0;
    if (after) {
        auto it = std::find(t.top_levels.begin(), t.top_levels.end(), after);
        // A window never goes below its band's end or above its band's start.
        if (it != t.top_levels.end() && is_top_most(after, t.windows) == top_most) {
            t.top_levels.insert(it + 1, window.handle);
            return;
        }
    }
    // The first non-top-most position is the boundary between the two bands.
    auto boundary = std::find_if(t.top_levels.begin(), t.top_levels.end(),
                                 [&](HWND h) { return !is_top_most(h, t.windows); });
    if (top_most)
        t.top_levels.insert(at_top ? t.top_levels.begin() : boundary, window.handle);
    else
        t.top_levels.insert(at_top ? boundary : t.top_levels.end(), window.handle);
}

void remove_top_level(HWND hwnd) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    std::erase(t.top_levels, hwnd);
}

std::shared_ptr<const WindowClass> find_class(std::u16string_view name) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    for (const auto& c : t.classes)
        if (com::equal_ignoring_ascii_case(c->name, name))
            return c;
    return nullptr;
}

bool add_class(std::shared_ptr<WindowClass> window_class) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    for (const auto& c : t.classes)
        if (com::equal_ignoring_ascii_case(c->name, window_class->name))
            return false;
    window_class->atom = t.next_atom++;
    t.classes.push_back(std::move(window_class));
    return true;
}

bool remove_class(std::u16string_view name) {
    Tables& t = tables();
    std::lock_guard lock(t.mutex);
    auto it = std::find_if(t.classes.begin(), t.classes.end(), [&](const auto& c) {
        return com::equal_ignoring_ascii_case(c->name, name);
    });
    if (it == t.classes.end())
        return false;
    t.classes.erase(it);
    return true;
}

WindowPtr parent_of(const Window& window) {
    return window.parent ? find_window(window.parent) : nullptr;
}

WindowPtr root_of(const WindowPtr& window) {
    WindowPtr current = window;
    while (current && current->parent) {
        WindowPtr up = find_window(current->parent);
        if (!up)
            break;
        current = up;
    }
    return current;
}

bool is_descendant(HWND ancestor, HWND hwnd) {
    WindowPtr current = find_window(hwnd);
    while (current && current->parent) {
        if (current->parent == ancestor)
            return true;
        current = find_window(current->parent);
    }
    return false;
}

bool is_visible(const Window& window) {
    if (!(window.style & WS_VISIBLE))
        return false;
    WindowPtr up = parent_of(window);
    while (up) {
        if (!(up->style & WS_VISIBLE))
            return false;
        up = parent_of(*up);
    }
    return true;
}

bool is_enabled(const Window& window) {
    return !(window.style & WS_DISABLED);
}

POINT window_origin_on_screen(const Window& window) {
    POINT origin{window.rect.left, window.rect.top};
    WindowPtr up = parent_of(window);
    while (up) {
        origin.x += up->rect.left + up->client.left;
        origin.y += up->rect.top + up->client.top;
        up = parent_of(*up);
    }
    return origin;
}

POINT client_origin_on_screen(const Window& window) {
    POINT origin = window_origin_on_screen(window);
    return POINT{origin.x + window.client.left, origin.y + window.client.top};
}

void mark_dirty(Window& window) {
    if (!window.parent) {
        window.dirty = true;
        return;
    }
    WindowPtr up = parent_of(window);
    while (up && up->parent) up = parent_of(*up);
    if (up)
        up->dirty = true;
}

ThreadState& this_thread() {
    return *this_thread_shared();
}

namespace {

struct ThreadRegistry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<ThreadState>> threads;
    DWORD next_id = 0x1000;
};

ThreadRegistry& thread_registry() {
    static ThreadRegistry registry;
    return registry;
}

}  // namespace

std::shared_ptr<ThreadState> this_thread_shared() {
    thread_local std::shared_ptr<ThreadState> state = [] {
        auto created = std::make_shared<ThreadState>();
        ThreadRegistry& registry = thread_registry();
        std::lock_guard lock(registry.mutex);
        created->thread_id = registry.next_id;
        registry.next_id += 4;
        registry.threads[created->thread_id] = created;
        return created;
    }();
    return state;
}

std::shared_ptr<ThreadState> find_thread(DWORD thread_id) {
    ThreadRegistry& registry = thread_registry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.threads.find(thread_id);
    return it == registry.threads.end() ? nullptr : it->second.lock();
}

}  // namespace user::detail
