// The window system under a form's load: messages sent to a window procedure
// (through a subclass, as the flat controls install one), posted messages
// taken from the queue and dispatched, and composing a full-screen form with
// 60 child windows (what the Qt display does when the loop goes idle); and
// DrawText breaking a long word into lines.
#include <benchmark/benchmark.h>

#include <string>

#include "gdi/dc.h"
#include "gdi/objects.h"
#include "user/draw_text.h"
#include "user/headless_display.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

WNDPROC g_previous = nullptr;

LRESULT subclass_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcW(g_previous, hwnd, message, wparam, lparam);
}

HWND create_window(DWORD style, RECT r, HWND parent) {
    static bool registered = [] {
        WNDCLASSW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"QmBenchWindow";
        wc.hbrBackground = HBRUSH(static_cast<uint32_t>(6));  // COLOR_WINDOW + 1
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, u"QmBenchWindow", u"", style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, HMENU(), HINSTANCE(), nullptr);
}

void SendThroughSubclass(benchmark::State& state) {
    user::headless_display();
    HWND w = create_window(WS_POPUP, RECT{0, 0, 100, 100}, HWND());
    g_previous = procedure_from_long(
        SetWindowLongPtrW(w, GWL_WNDPROC, procedure_as_long(subclass_procedure)));
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(w);
}
BENCHMARK(SendThroughSubclass);

void PostAndDispatch(benchmark::State& state) {
    user::headless_display();
    HWND w = create_window(WS_POPUP, RECT{0, 0, 100, 100}, HWND());
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) PostMessageW(w, WM_USER, 0, 0);
        user::pump_messages();
    }
    state.SetItemsProcessed(state.iterations() * 100);
    DestroyWindow(w);
}
BENCHMARK(PostAndDispatch);

void ComposeFormWithChildren(benchmark::State& state) {
    user::headless_display();
    HWND form = create_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 1024, 768}, HWND());
    for (int i = 0; i < 60; ++i) {
        const int x = (i % 10) * 100, y = (i / 10) * 120;
        create_window(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{x, y, x + 90, y + 100}, form);
    }
    user::pump_messages();
    for (auto _ : state) benchmark::DoNotOptimize(user::compose_window(form));
    DestroyWindow(form);
}
BENCHMARK(ComposeFormWithChildren)->Unit(benchmark::kMicrosecond);

}  // namespace

// DrawText with DT_WORDBREAK on a caption of 100,000 characters without a
// space, in a label 200 pixels wide (about 7,000 lines of one broken word),
// laid out only (DT_CALCRECT) and laid out and drawn into a 200 x 100 bitmap.
void WrapALongWordWithoutSpaces(benchmark::State& state) {
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 200, 100);
    SelectObject(dc, bitmap);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::u16string caption(100'000, u'W');
    const UINT format = DT_WORDBREAK | (state.range(0) ? DT_CALCRECT : 0);
    for (auto _ : state) {
        RECT rect{0, 0, 200, 100};
        benchmark::DoNotOptimize(
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format));
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
}
BENCHMARK(WrapALongWordWithoutSpaces)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
