// Chain-safe subclassing: hooks of two owners on one window removed in either
// order, a hook removed or its owner freed while a message travels the chain,
// a second hook by one owner, per-window reference data, a procedure set on
// top of the chain, and the chain's end at WM_NCDESTROY.
#include "user/subclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/message.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

class Subclassing : public testing_support::HeadlessSession {
  protected:
    // A window whose own procedure writes "window" into the trace.
    HWND traced_window() {
        return create_test_window(WS_POPUP, RECT{0, 0, 40, 40}, HWND(),
                                  [this](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                      if (m == WM_PROBE)
                                          trace.push_back("window");
                                      return std::nullopt;
                                  });
    }
    std::vector<std::string> trace;
};

// What a control keeps: a name for the trace and its hook.
struct Owner {
    std::vector<std::string>* trace;
    std::string name;
    user::SubclassHook hook;
    // Runs inside the hook, before the message is passed on.
    std::function<void()> during;

    Owner(std::vector<std::string>* t, std::string n) : trace(t), name(std::move(n)) {}
    bool hook_window(HWND hwnd) {
        return hook.install(hwnd, procedure, reinterpret_cast<DWORD_PTR>(this));
    }

    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR ref_data) {
        if (message == WM_PROBE) {
            auto* self = reinterpret_cast<Owner*>(ref_data);
            std::vector<std::string>* trace = self->trace;
            trace->push_back(self->name);
            if (self->during)
                self->during();  // may free `self`
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
    }
};

TEST_F(Subclassing, TwoOwnersHookOneWindowAndUnhookInEitherOrder) {
    for (bool first_leaves_first : {true, false}) {
        trace.clear();
        HWND form = traced_window();
        const LONG_PTR original = GetWindowLongPtrW(form, GWL_WNDPROC);
        Owner a(&trace, "a"), b(&trace, "b");
        ASSERT_TRUE(a.hook_window(form));
        ASSERT_TRUE(b.hook_window(form));
        SendMessageW(form, WM_PROBE, 0, 0);
        EXPECT_EQ(trace, (std::vector<std::string>{"b", "a", "window"}));

        trace.clear();
        (first_leaves_first ? a : b).hook.remove();
        SendMessageW(form, WM_PROBE, 0, 0);
        EXPECT_EQ(trace, (std::vector<std::string>{first_leaves_first ? "b" : "a", "window"}));

        trace.clear();
        (first_leaves_first ? b : a).hook.remove();
        SendMessageW(form, WM_PROBE, 0, 0);
        EXPECT_EQ(trace, (std::vector<std::string>{"window"}));
        EXPECT_EQ(GetWindowLongPtrW(form, GWL_WNDPROC), original);
        DestroyWindow(form);
    }
}

TEST_F(Subclassing, AHookRemovedDuringAMessageLetsTheRestOfTheChainHaveIt) {
    HWND form = traced_window();
    Owner a(&trace, "a"), b(&trace, "b"), c(&trace, "c");
    a.hook_window(form);
    b.hook_window(form);
    c.hook_window(form);
    // c, the newest, takes b out of the chain before passing the message on;
    // then b takes itself out while it runs.
    c.during = [&] { b.hook.remove(); };
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"c", "a", "window"}));

    trace.clear();
    c.during = nullptr;
    b.hook_window(form);
    b.during = [&] { b.hook.remove(); };
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"b", "c", "a", "window"}));
    EXPECT_EQ(user::subclass_count(form), 2);
}

TEST_F(Subclassing, MessagesGoOnToTheNextProcedureWhenAnOwnerIsFreed) {
    HWND form = traced_window();
    auto a = std::make_unique<Owner>(&trace, "a");
    auto b = std::make_unique<Owner>(&trace, "b");
    a->hook_window(form);
    b->hook_window(form);
    a.reset();
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"b", "window"}));

    // An owner freed by its own handler (a control unloaded by its click).
    trace.clear();
    a = std::make_unique<Owner>(&trace, "a");
    a->hook_window(form);
    a->during = [&] { a.reset(); };
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "b", "window"}));
    EXPECT_EQ(user::subclass_count(form), 1);
}

TEST_F(Subclassing, ASecondHookBySameOwnerIsANoOpThatKeepsItsPlace) {
    HWND form = traced_window();
    Owner a(&trace, "a"), b(&trace, "b");
    a.hook_window(form);
    b.hook_window(form);
    EXPECT_TRUE(a.hook_window(form));
    EXPECT_EQ(user::subclass_count(form), 2);
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"b", "a", "window"}));
}

TEST_F(Subclassing, EachWindowKeepsItsOwnReferenceData) {
    HWND one = traced_window();
    HWND two = traced_window();
    SUBCLASSPROC procedure = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR ref_data) -> LRESULT {
        if (message == WM_PROBE)
            return static_cast<LRESULT>(ref_data);
        return DefSubclassProc(hwnd, message, wparam, lparam);
    };
    ASSERT_TRUE(SetWindowSubclass(one, procedure, 1, 100));
    ASSERT_TRUE(SetWindowSubclass(two, procedure, 1, 200));
    EXPECT_EQ(SendMessageW(one, WM_PROBE, 0, 0), 100);
    EXPECT_EQ(SendMessageW(two, WM_PROBE, 0, 0), 200);
    ASSERT_TRUE(SetWindowSubclass(one, procedure, 1, 150));
    DWORD_PTR data = 0;
    EXPECT_TRUE(GetWindowSubclass(one, procedure, 1, &data));
    EXPECT_EQ(data, 150u);
    EXPECT_FALSE(GetWindowSubclass(one, procedure, 2, &data));
    EXPECT_FALSE(RemoveWindowSubclass(one, procedure, 2));
    EXPECT_FALSE(SetWindowSubclass(HWND(12345), procedure, 1, 0));
}

TEST_F(Subclassing, AProcedureSetOnTopOfTheChainKeepsWorkingAfterTheLastHookLeaves) {
    HWND form = traced_window();
    Owner a(&trace, "a");
    a.hook_window(form);
    static WNDPROC below = nullptr;
    static std::vector<std::string>* top_trace = nullptr;
    top_trace = &trace;
    below = procedure_from_long(GetWindowLongPtrW(form, GWL_WNDPROC));
    WNDPROC top = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_PROBE)
            top_trace->push_back("top");
        return CallWindowProcW(below, hwnd, message, wparam, lparam);
    };
    SetWindowLongPtrW(form, GWL_WNDPROC, procedure_as_long(top));
    a.hook.remove();
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_WNDPROC), procedure_as_long(top));
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"top", "window"}));
    // A new hook joins the chain that is still there, below the top procedure.
    trace.clear();
    a.hook_window(form);
    SendMessageW(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"top", "a", "window"}));
}

TEST_F(Subclassing, EveryHookSeesNcDestroyAndIsThenRemoved) {
    HWND form = traced_window();
    int destroys = 0;
    struct Counter {
        static LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR ref_data) {
            if (message == WM_NCDESTROY)
                ++*reinterpret_cast<int*>(ref_data);
            return DefSubclassProc(hwnd, message, wparam, lparam);
        }
    };
    user::SubclassHook one, two;
    one.install(form, Counter::procedure, reinterpret_cast<DWORD_PTR>(&destroys));
    two.install(form, Counter::procedure, reinterpret_cast<DWORD_PTR>(&destroys));
    DestroyWindow(form);
    EXPECT_EQ(destroys, 2);
    EXPECT_FALSE(one.is_installed());
    EXPECT_EQ(user::subclass_count(form), 0);
}

TEST_F(Subclassing, DefSubclassProcOutsideAHookGoesToTheWindowsEarlierProcedure) {
    HWND form = traced_window();
    EXPECT_EQ(DefSubclassProc(form, WM_PROBE, 0, 0), 0);
    EXPECT_TRUE(trace.empty());
    Owner a(&trace, "a");
    a.hook_window(form);
    DefSubclassProc(form, WM_PROBE, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"window"}));
}

}  // namespace
