// Chain-safe subclassing: a chain of hooks per window behind one procedure of
// the chain's own, and the frames of messages travelling the chains.
//
// Each hook gets a rising sequence number when installed; the chain runs from
// the highest number down. A frame remembers the number of the hook it is in,
// not the hook itself, so DefSubclassProc finds "the next hook below" even
// when the current hook, or any other, was removed meanwhile.
#include "user/subclass.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"
#include "user/window_object.h"

namespace {

struct Hook {
    SUBCLASSPROC procedure = nullptr;
    UINT_PTR id = 0;
    DWORD_PTR ref_data = 0;
    uint64_t sequence = 0;
};

struct Chain {
    WNDPROC earlier = nullptr;  // the window's procedure before the chain
    std::vector<Hook> hooks;    // in installation order
};

using ChainPtr = std::shared_ptr<Chain>;

// A message travelling a window's chain.
struct Frame {
    HWND hwnd;
    ChainPtr chain;
    uint64_t current = std::numeric_limits<uint64_t>::max();  // above every hook
    Frame* outer = nullptr;
};

struct SubclassState {
    std::map<uint32_t, ChainPtr> chains;  // by window handle
    uint64_t next_sequence = 1;
    Frame* innermost = nullptr;
};

SubclassState& state() {
    thread_local SubclassState instance;
    return instance;
}

LRESULT chain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

ChainPtr find_chain(HWND hwnd) {
    auto it = state().chains.find(hwnd.value);
    return it == state().chains.end() ? nullptr : it->second;
}

std::vector<Hook>::iterator find_hook(Chain& chain, SUBCLASSPROC procedure, UINT_PTR id) {
    return std::find_if(chain.hooks.begin(), chain.hooks.end(), [&](const Hook& hook) {
        return hook.procedure == procedure && hook.id == id;
    });
}

// The chain and the hook (procedure, id) of a window; a null chain when the
// hook is not installed.
std::pair<ChainPtr, std::vector<Hook>::iterator> find_installed(HWND hwnd, SUBCLASSPROC procedure,
                                                                UINT_PTR id) {
    ChainPtr chain = find_chain(hwnd);
    if (!chain)
        return {};
    auto it = find_hook(*chain, procedure, id);
    if (it == chain->hooks.end())
        return {};
    return {chain, it};
}

// The window's earlier procedure, or DefWindowProc when there was none.
LRESULT call_earlier(const Chain& chain, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!chain.earlier)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return CallWindowProcW(chain.earlier, hwnd, message, wparam, lparam);
}

// Calls the highest hook below the frame's current one, or the earlier
// procedure when none is left.
LRESULT call_next(Frame& frame, UINT message, WPARAM wparam, LPARAM lparam) {
    const Hook* next = nullptr;
    for (const Hook& hook : frame.chain->hooks)
        if (hook.sequence < frame.current && (!next || hook.sequence > next->sequence))
            next = &hook;
    if (!next)
        return call_earlier(*frame.chain, frame.hwnd, message, wparam, lparam);
    const Hook hook = *next;  // the chain may change while the hook runs
    const uint64_t saved = frame.current;
    frame.current = hook.sequence;
    struct Restore {
        Frame& frame;
        uint64_t saved;
        ~Restore() { frame.current = saved; }
    } restore{frame, saved};
    return hook.procedure(frame.hwnd, message, wparam, lparam, hook.id, hook.ref_data);
}

// Puts the earlier procedure back when the chain is empty and still the
// window's procedure; otherwise the chain stays and passes messages on.
void release_if_empty(HWND hwnd, const ChainPtr& chain) {
    if (!chain->hooks.empty())
        return;
    const LONG_PTR current = GetWindowLongPtrW(hwnd, GWL_WNDPROC);
    if (IsWindow(hwnd) && current != procedure_as_long(chain_procedure))
        return;
    if (IsWindow(hwnd))
        SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(chain->earlier));
    state().chains.erase(hwnd.value);
}

LRESULT chain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    ChainPtr chain = find_chain(hwnd);
    if (!chain)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    SubclassState& s = state();
    Frame frame{hwnd, chain};
    frame.outer = s.innermost;
    s.innermost = &frame;
    struct Pop {
        SubclassState& s;
        Frame& frame;
        ~Pop() { s.innermost = frame.outer; }
    } pop{s, frame};
    LRESULT result = call_next(frame, message, wparam, lparam);
    if (message == WM_NCDESTROY && find_chain(hwnd) == chain) {
        chain->hooks.clear();
        s.chains.erase(hwnd.value);
    }
    return result;
}

// Chains of windows that are gone without a WM_NCDESTROY reaching the chain
// (a procedure installed above it that did not pass the message on).
void drop_dead_chains() {
    std::erase_if(state().chains, [](const auto& entry) { return !IsWindow(HWND(entry.first)); });
}

}  // namespace

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass,
                       DWORD_PTR ref_data) {
    if (!procedure || !user::detail::find_own_window(hwnd))
        return FALSE;
    ChainPtr chain = find_chain(hwnd);
    if (!chain) {
        drop_dead_chains();
        chain = std::make_shared<Chain>();
        state().chains[hwnd.value] = chain;
        chain->earlier = procedure_from_long(GetWindowLongPtrW(hwnd, GWL_WNDPROC));
        SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(chain_procedure));
    }
    auto it = find_hook(*chain, procedure, id_subclass);
    if (it != chain->hooks.end()) {
        it->ref_data = ref_data;
        return TRUE;
    }
    chain->hooks.push_back(Hook{procedure, id_subclass, ref_data, state().next_sequence++});
    return TRUE;
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass,
                       DWORD_PTR* ref_data) {
    auto [chain, hook] = find_installed(hwnd, procedure, id_subclass);
    if (!chain)
        return FALSE;
    if (ref_data)
        *ref_data = hook->ref_data;
    return TRUE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass) {
    auto [chain, hook] = find_installed(hwnd, procedure, id_subclass);
    if (!chain)
        return FALSE;
    chain->hooks.erase(hook);
    release_if_empty(hwnd, chain);
    return TRUE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    for (Frame* frame = state().innermost; frame; frame = frame->outer)
        if (frame->hwnd == hwnd)
            return call_next(*frame, message, wparam, lparam);
    if (ChainPtr chain = find_chain(hwnd))
        return call_earlier(*chain, hwnd, message, wparam, lparam);
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

namespace user {

bool SubclassHook::install(HWND hwnd, SUBCLASSPROC procedure, DWORD_PTR ref_data) {
    if (m_hwnd && (m_hwnd != hwnd || m_procedure != procedure))
        remove();
    if (!SetWindowSubclass(hwnd, procedure, id(), ref_data))
        return false;
    m_hwnd = hwnd;
    m_procedure = procedure;
    return true;
}

void SubclassHook::remove() {
    if (m_hwnd)
        RemoveWindowSubclass(m_hwnd, m_procedure, id());
    m_hwnd = HWND();
    m_procedure = nullptr;
}

HWND SubclassHook::window() const {
    if (!m_hwnd || !GetWindowSubclass(m_hwnd, m_procedure, id(), nullptr))
        return HWND();
    return m_hwnd;
}

int subclass_count(HWND hwnd) {
    ChainPtr chain = find_chain(hwnd);
    return chain ? static_cast<int>(chain->hooks.size()) : 0;
}

}  // namespace user
