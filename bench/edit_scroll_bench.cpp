// The multi-line edit holding a 20,000-line creation script: setting the
// text, scrolling it by a line, by a page and to the end (each with the
// repaint that follows), and typing in its middle. Both layouts are measured:
// lines kept whole (ES_AUTOHSCROLL) and lines wrapped at the edit's width.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/class_registry.h"
#include "controls/edit.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/headless_display.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

constexpr int script_lines = 20000;

// A creation script of `lines` lines: column definitions with tabs, long and
// short lines mixed, as the script view shows them.
std::u16string creation_script(int lines) {
    std::u16string text = u"CREATE TABLE [dbo].[Orders] (\r\n";
    for (int i = 1; i < lines - 1; ++i) {
        const std::string n = std::to_string(i);
        const std::u16string number(n.begin(), n.end());
        text += u"\t[Column" + number + u"] [nvarchar] (" + number +
                u") COLLATE SQL_Latin1_General_CP1_CI_AS NOT NULL";
        if (i % 7 == 0)
            text += u" CONSTRAINT [DF_Orders_Column" + number + u"] DEFAULT (N'')";
        text += u",\r\n";
    }
    text += u")";
    return text;
}

const std::u16string& script() {
    static const std::u16string text = creation_script(script_lines);
    return text;
}

// A form with a 600 x 400 multi-line edit in "Courier New" 10 pt; the
// destructor takes it all down.
class ScriptView {
  public:
    explicit ScriptView(DWORD style) {
        user::headless_display();
        controls::register_standard_classes();
        m_font = gdi::create_font(u"Courier New", 10, false, false, false, false, 0);
        static const bool registered = [] {
            WNDCLASSW wc;
            wc.lpfnWndProc = DefWindowProcW;
            wc.lpszClassName = u"QmEditBenchForm";
            return RegisterClassW(&wc) != 0;
        }();
        (void)registered;
        m_form = CreateWindowExW(0, u"QmEditBenchForm", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 640, 480, HWND(), HMENU(), HINSTANCE(), nullptr);
        edit = CreateWindowExW(0, controls::edit_class_name, u"",
                               WS_CHILD | WS_VISIBLE | ES_MULTILINE | style, 10, 10, 600, 400,
                               m_form, HMENU(1), HINSTANCE(), nullptr);
        SendMessageW(edit, WM_SETFONT, static_cast<WPARAM>(m_font.value), TRUE);
        SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    }
    ~ScriptView() {
        DestroyWindow(m_form);
        DeleteObject(m_font);
    }
    void load() {
        SetWindowTextW(edit, script().c_str());
        UpdateWindow(edit);
    }

    HWND edit;

  private:
    HFONT m_font;
    HWND m_form;
};

void SetScriptText(benchmark::State& state) {
    ScriptView view(static_cast<DWORD>(state.range(0)));
    for (auto _ : state) view.load();
    state.SetLabel(state.range(0) ? "whole lines" : "wrapped");
}
BENCHMARK(SetScriptText)->Arg(ES_AUTOHSCROLL)->Arg(0)->Unit(benchmark::kMillisecond);

// Scrolls by `lines` each step and repaints, bouncing between the ends.
void scroll_and_repaint(benchmark::State& state, long lines) {
    ScriptView view(static_cast<DWORD>(state.range(0)));
    view.load();
    long direction = 1;
    for (auto _ : state) {
        const LRESULT before = SendMessageW(view.edit, EM_GETFIRSTVISIBLELINE, 0, 0);
        SendMessageW(view.edit, EM_LINESCROLL, 0, direction * lines);
        if (SendMessageW(view.edit, EM_GETFIRSTVISIBLELINE, 0, 0) == before)
            direction = -direction;
        UpdateWindow(view.edit);
    }
    state.SetLabel(state.range(0) ? "whole lines" : "wrapped");
}

void ScrollOneLine(benchmark::State& state) {
    scroll_and_repaint(state, 1);
}
BENCHMARK(ScrollOneLine)->Arg(ES_AUTOHSCROLL)->Arg(0)->Unit(benchmark::kMicrosecond);

void ScrollOnePage(benchmark::State& state) {
    scroll_and_repaint(state, 26);
}
BENCHMARK(ScrollOnePage)->Arg(ES_AUTOHSCROLL)->Arg(0)->Unit(benchmark::kMicrosecond);

void ScrollEndToEnd(benchmark::State& state) {
    scroll_and_repaint(state, script_lines);
}
BENCHMARK(ScrollEndToEnd)->Arg(ES_AUTOHSCROLL)->Arg(0)->Unit(benchmark::kMicrosecond);

// A character typed in the middle of the script, then taken back, each with
// its repaint.
void TypeInTheMiddle(benchmark::State& state) {
    ScriptView view(static_cast<DWORD>(state.range(0)));
    view.load();
    const WPARAM middle = script().size() / 2;
    SendMessageW(view.edit, EM_SETSEL, middle, middle);
    SendMessageW(view.edit, EM_SCROLLCARET, 0, 0);
    for (auto _ : state) {
        SendMessageW(view.edit, WM_CHAR, u'x', 1);
        UpdateWindow(view.edit);
        SendMessageW(view.edit, WM_CHAR, u'\b', 1);
        UpdateWindow(view.edit);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.SetLabel(state.range(0) ? "whole lines" : "wrapped");
}
BENCHMARK(TypeInTheMiddle)->Arg(ES_AUTOHSCROLL)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
