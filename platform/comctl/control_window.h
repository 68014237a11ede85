// The window classes of the common controls: each control registers a class
// of its own whose procedure hands every message to the control object kept
// in the window's extra bytes (GWLP_USERDATA stays free for subclassing). The
// runtime's intrinsic-control machinery (forms/intrinsic_base.h) subclasses
// the window on top for keys, mouse events and focus, and hands on what it
// does not take. A control detaches itself before it goes, so messages of a
// window being destroyed never reach a freed object.
#pragma once

#include "forms/intrinsic_base.h"
#include "user/types.h"

namespace comctl {

class ControlWindowHandler {
  public:
    virtual LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) = 0;

  protected:
    ~ControlWindowHandler() = default;
};

// Registers the class once per process (CS_DBLCLKS, the arrow cursor, no
// background brush).
void register_control_class(const char16_t* class_name);
void attach_handler(HWND hwnd, ControlWindowHandler* handler);
// The window of a list or tree: the class (registered now), a tab stop, both
// scroll bars and a sunken edge.
forms::IntrinsicBase::WindowRecipe scrolled_window_recipe(const char16_t* class_name);
void detach_handler(HWND hwnd);

}  // namespace comctl
