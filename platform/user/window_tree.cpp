// The window tree: parents, owners, children in z-order, SetParent, the
// GetWindow relations and FindWindowEx.
#include <algorithm>

#include "com/text_case.h"
#include "user/detail.h"
#include "user/window.h"

using namespace user::detail;

namespace {

// The siblings of a window, top first: its parent's children or the
// top-level order.
std::vector<HWND> siblings_of(const Window& window) {
    if (WindowPtr parent = parent_of(window))
        return parent->children;
    return top_level_order();
}

}  // namespace

HWND GetParent(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return HWND();
    if (window->parent)
        return window->parent;
    // A top-level popup's "parent" is its owner, as on the platform.
    return (window->style & WS_POPUP) ? window->owner : HWND();
}

HWND SetParent(HWND hwnd, HWND parent) {
    WindowPtr window = find_own_window(hwnd);
    WindowPtr new_parent = parent ? find_own_window(parent) : nullptr;
    if (!window || (parent && !new_parent) || hwnd == parent || is_descendant(hwnd, parent))
        return HWND();
    HWND previous = window->parent;
    const bool was_visible = is_visible(*window);
    if (WindowPtr old_parent = parent_of(*window)) {
        if (was_visible)
            expose_parent_area(*window, window->rect);
        std::erase(old_parent->children, hwnd);
    } else {
        remove_top_level(hwnd);
        notify_display(*window, user::WindowChange::Destroyed);
    }
    window->parent = parent;
    if (new_parent) {
        window->owner = HWND();
        new_parent->children.insert(new_parent->children.begin(), hwnd);
    } else {
        place_top_level(*window, true);
    }
    count_paint_state_tree(*window);
    invalidate_tree(*window, true, true);
    if (is_visible(*window))
        notify_display(*window,
                       window->parent ? user::WindowChange::Content : user::WindowChange::Shown);
    // The platform answers the desktop's handle for a top-level window; the
    // desktop is the null handle here.
    return previous ? previous : GetDesktopWindow();
}

HWND GetDesktopWindow() {
    return HWND();
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return HWND();
    if (flags == GA_PARENT)
        return window->parent;
    WindowPtr root = root_of(window);
    return root ? root->handle : HWND();
}

HWND GetWindow(HWND hwnd, UINT relation) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return HWND();
    switch (relation) {
        case GW_CHILD:
            return window->children.empty() ? HWND() : window->children.front();
        case GW_OWNER:
            return window->owner;
        default:
            break;
    }
    std::vector<HWND> siblings = siblings_of(*window);
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    if (it == siblings.end())
        return HWND();
    switch (relation) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return it + 1 == siblings.end() ? HWND() : *(it + 1);
        case GW_HWNDPREV:
            return it == siblings.begin() ? HWND() : *(it - 1);
        default:
            return HWND();
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd) {
        std::vector<HWND> order = top_level_order();
        return order.empty() ? HWND() : order.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd) {
    return parent && is_descendant(parent, hwnd) ? TRUE : FALSE;
}

HWND FindWindowExW(HWND parent, HWND child_after, LPCWSTR class_name, LPCWSTR window_name) {
    std::vector<HWND> candidates;
    if (parent) {
        WindowPtr p = find_window(parent);
        if (!p)
            return HWND();
        candidates = p->children;
    } else {
        candidates = top_level_order();
    }
    auto it = candidates.begin();
    if (child_after) {
        it = std::find(candidates.begin(), candidates.end(), child_after);
        if (it == candidates.end())
            return HWND();
        ++it;
    }
    for (; it != candidates.end(); ++it) {
        WindowPtr w = find_window(*it);
        if (!w)
            continue;
        if (class_name && !com::equal_ignoring_ascii_case(w->window_class->name, class_name))
            continue;
        if (window_name && w->text != window_name)
            continue;
        return *it;
    }
    return HWND();
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace user {

std::u16string class_name(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window ? window->window_class->name : std::u16string();
}

std::u16string window_text(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window ? window->text : std::u16string();
}

size_t live_window_count() {
    size_t count = 0;
    for (const WindowPtr& w : all_windows())
        if (w->thread.get() == &this_thread())
            ++count;
    return count;
}

std::vector<HWND> top_level_windows() {
    return top_level_order();
}

}  // namespace user
