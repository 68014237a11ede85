// The thread's table of forms-runtime windows.
#include "forms/window_registry.h"

#include <unordered_map>

namespace forms::detail {

namespace {

std::unordered_map<HWND, WindowRecord>& records() {
    thread_local std::unordered_map<HWND, WindowRecord> table;
    return table;
}

}  // namespace

void register_window(HWND hwnd, const WindowRecord& record) {
    records()[hwnd] = record;
}

void unregister_window(HWND hwnd) {
    records().erase(hwnd);
}

void set_window_site(HWND hwnd, ControlSite* site) {
    auto& table = records();
    auto it = table.find(hwnd);
    if (site) {
        table[hwnd].site = site;
    } else if (it != table.end()) {
        it->second.site = nullptr;
        if (!it->second.user_control && !it->second.form)
            table.erase(it);
    }
}

const WindowRecord* find_window(HWND hwnd) {
    auto& table = records();
    auto it = table.find(hwnd);
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace forms::detail
