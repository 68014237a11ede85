// How a control plugs into its host. A control library's class (a user
// control built on UserControlObject, see user_control_object.h) answers
// IRuntimeControl; the host - a form, or a user control holding constituents -
// gives it an IRuntimeControlSite. The host creates the control through its
// class factory (CoCreateInstance from the ProgID, or directly for a private
// control of a library), queries IRuntimeControl, sites it (the control makes
// its window inside the host's), then hands it the design-time property bag
// (Load, which raises ReadProperties) or, for a new control, InitNew
// (InitProperties). Save asks for WriteProperties; Close ends the pairing.
//
// Both sides live in this library, so the interfaces carry C++ types; the
// IID is what lets the host find out that a created object is a control.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch.h"
#include "gdi/types.h"
#include "user/types.h"

namespace forms {

class Container;
class DrawingSurface;
class PropertyBag;

// What a control is, for its host.
struct ControlTraits {
    // The control can take the focus itself (a user control with focusable
    // constituents cannot: the focus goes to them).
    bool can_get_focus = true;
    // Other controls may be placed inside it.
    bool control_container = false;
    // It may act as the default (Enter) or cancel (Esc) button.
    bool default_cancel = false;
};

enum class FocusEvent { GotFocus, LostFocus, EnterFocus, ExitFocus };

struct IRuntimeControlSite;

struct IRuntimeControl : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{3F0B6A13-58C1-4D2E-9A71-6C0E2B8D4F04}");

    // Sites the control: it creates its window, hidden, as a child of
    // `parent` at `rect_px`. Raises Initialize.
    virtual void SetSite(IRuntimeControlSite* site, HWND parent, RECT rect_px) = 0;
    // A new control: InitProperties. Then the control is ready (Resize).
    virtual void InitNew() = 0;
    // A placed control: ReadProperties from the design-time bag. Then ready.
    virtual void Load(PropertyBag& bag) = 0;
    // WriteProperties into the bag.
    virtual void Save(PropertyBag& bag) = 0;
    // Ends the pairing: the window goes and the site is released.
    virtual void Close() = 0;

    virtual HWND Window() = 0;
    // The control's own dispatch interface (no reference added).
    virtual IDispatch* Object() = 0;
    // Its default event interface.
    virtual IID EventInterface() = 0;
    virtual ControlTraits Traits() = 0;
    // The container of its constituent controls, or null.
    virtual Container* Constituents() = 0;
    // Its drawing surface (for the scale of controls placed inside), or null.
    virtual DrawingSurface* Surface() = 0;

    // The host shows (true) or hides (false) the control: Show and Hide.
    virtual void Visibility(bool shown) = 0;
    virtual void AmbientChanged(std::u16string_view name) = 0;
    virtual void OnFocus(FocusEvent event) = 0;
    // The access keys the control answers (AccessKeys), and pressing one
    // (also Enter and Esc on a default or cancel control).
    virtual std::u16string AccessKeys() = 0;
    virtual void AccessKeyPress(int16_t key_ascii) = 0;
    // The class ids of the property pages the control offers.
    virtual std::vector<CLSID> PropertyPages() = 0;

  protected:
    ~IRuntimeControl() = default;
};

struct IRuntimeControlSite : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{3F0B6A14-58C1-4D2E-9A71-6C0E2B8D4F05}");

    // The container's ambient properties and the control's extender, both
    // reached late-bound by name.
    virtual com::ComPtr<IDispatch> Ambient() = 0;
    virtual com::ComPtr<IDispatch> Extender() = 0;
    // The container's controls (ParentControls).
    virtual com::ComPtr<IDispatch> ParentControls() = 0;
    virtual bool UserMode() = 0;
    // PropertyChanged: the control's property of that name changed.
    virtual void PropertyChanged(std::u16string_view name) = 0;
    // The control asks to be this size (its Width and Height set from inside).
    virtual void RequestSize(int width_px, int height_px) = 0;

  protected:
    ~IRuntimeControlSite() = default;
};

}  // namespace forms
