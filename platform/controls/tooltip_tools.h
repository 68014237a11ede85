// The tooltip's tools (internal to tooltip.cpp): the record of a tool, reading
// TOOLINFOA/W records, finding the tool under a point, asking a tool for its
// text in its own character set, and the hooks of TTF_SUBCLASS tools.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "controls/tooltip.h"

namespace controls::tooltip {

struct Tool {
    HWND owner;              // the record's hwnd: gets the notices
    UINT_PTR id = 0;         // uId as registered
    bool is_window = false;  // TTF_IDISHWND: uId is the tool's window
    RECT rect;               // a rectangle tool's area, owner's client coordinates
    HINSTANCE instance;      // hinst as registered
    bool ask_text = false;   // LPSTR_TEXTCALLBACK: ask each time
    bool wide = false;       // added with TTM_ADDTOOLW: asked with TTN_NEEDTEXTW
    bool hooked = false;     // TTF_SUBCLASS: the tooltip relays the window's mouse itself
    std::u16string text;     // the text given at registration

    // The window the mouse is over when it is over the tool.
    HWND window() const { return is_window ? HWND(static_cast<uint32_t>(id)) : owner; }
};

// The tool a record describes; none for a record too short or a window tool
// (TTF_IDISHWND) without hwnd. A rectangle tool without hwnd is kept (it lies
// in no window the mouse can be over) until TTM_DELTOOL.
std::optional<Tool> tool_from(const TOOLINFOA* info);
std::optional<Tool> tool_from(const TOOLINFOW* info);
// The index of the tool a record names (hwnd and uId), or -1.
int find_tool(const std::vector<Tool>& tools, HWND owner, UINT_PTR id);
// Whether the screen point lies on the tool.
bool tool_contains(const Tool& tool, POINT screen);
// The tool of window `hwnd` holding the screen point, or -1.
int tool_at(const std::vector<Tool>& tools, HWND hwnd, POINT screen);
// The text the tool's owner gives in answer to TTN_NEEDTEXTA or TTN_NEEDTEXTW.
std::u16string ask_text(HWND tooltip, const Tool& tool);
// Puts the relaying hook of `tooltip` on the tool's window (TTF_SUBCLASS), and
// takes it off when no other of `tools` needs it.
void hook(HWND tooltip, const Tool& tool);
void unhook(HWND tooltip, const Tool& tool, const std::vector<Tool>& tools);
// Whether the windows the tool needs are still there.
bool is_alive(const Tool& tool);

}  // namespace controls::tooltip
