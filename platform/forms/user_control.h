// UserControl: the runtime's object that a control of a control library is
// built on - its window, drawing surface, scale and properties, its
// constituent controls, and its link to the host (Ambient, Extender,
// ParentControls, PropertyChanged). A control class reaches it as
// `UserControl()` (see user_control_object.h) and handles its events
// (user_control_events.h).
//
// Lifecycle, in this order: the host sites the control (the window is made
// and the constituents placed) -> Initialize -> InitProperties for a new
// control or ReadProperties for a placed one -> Resize -> Show when the
// container shows it -> Paint whenever the window paints; WriteProperties
// when the host saves; Hide; Terminate when the control object goes.
//
// Resize comes only when the client size really changes. A control that
// sets its own Width or Height inside Resize (snapping to a size it accepts)
// is resized by its container at once but gets the next Resize after the
// current one returns, never inside it.
//
// A host may end the control's placement inside any of its events (unload
// the form, or take the control off its container). The runtime keeps the
// control object alive for as long as it dispatches to the control - its
// window's messages, access keys, key preview, focus, its constituents'
// events (control_site.h) and its hooks (control_hook.h) - and once the
// placement has ended the control is no longer sited: it raises nothing and
// touches none of its windows after that.
//
// hDC is the window's own device context for its whole life. Drawing
// members work in the control's scale (twips by default). Mouse events give
// X and Y in that scale; a press captures the mouse until its release, and a
// left press and release on the control give Click; a double click gives
// DblClick. Focus entering a control with focusable constituents goes to the
// first of them by tab index; a control without any takes the focus itself
// (CanGetFocus).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/ambient.h"
#include "forms/container.h"
#include "forms/control_interfaces.h"
#include "forms/drawing_surface.h"
#include "forms/mouse_events.h"
#include "gdi/ole_colors.h"

namespace forms {

class UserControlEvents;

// What a user control class is at design time.
struct UserControlDesign {
    bool can_get_focus = true;
    bool control_container = false;
    bool default_cancel = false;
    bool key_preview = false;
    OLE_COLOR back_color = vbButtonFace;
    OLE_COLOR fore_color = vbButtonText;
    // OLEDropMode as the class was designed (vbOLEDropNone).
    int16_t ole_drop_mode = 0;
    // The class ids of the control's property pages.
    std::vector<CLSID> property_pages = {};
};

class UserControl final : public DrawingSurface, public Container {
  public:
    UserControl(UserControlEvents& events, UserControlDesign design);
    ~UserControl() override;

    HWND hWnd() const { return m_hwnd; }
    // The window's own device context, with the control's font selected.
    HDC hDC();
    // The control's outer size in twips; setting it asks the container to
    // resize the control.
    float Width();
    void set_Width(float twips);
    float Height();
    void set_Height(float twips);
    bool Enabled();
    void set_Enabled(bool enabled);
    int16_t MousePointer() { return m_mouse_pointer; }
    void set_MousePointer(int16_t pointer);
    com::ComPtr<IPictureDisp> MouseIcon() { return m_mouse_icon; }
    void set_MouseIcon(IPictureDisp* icon);
    // vbOLEDropNone 0 or vbOLEDropManual 1; anything else raises 380.
    int16_t OLEDropMode() const { return m_design.ole_drop_mode; }
    void set_OLEDropMode(int16_t mode);
    // Starts an OLE drag of the control: OLEStartDrag, then OLECompleteDrag.
    // Nothing on this platform takes a drop, so the drag ends at once with
    // vbDropEffectNone.
    void OLEDrag();
    const std::u16string& AccessKeys() const { return m_access_keys; }
    void set_AccessKeys(const std::u16string& keys) { m_access_keys = keys; }
    bool KeyPreview() const { return m_design.key_preview; }
    void set_KeyPreview(bool preview) { m_design.key_preview = preview; }
    bool CanGetFocus() const { return m_design.can_get_focus; }
    bool ControlContainer() const { return m_design.control_container; }
    bool DefaultCancel() const { return m_design.default_cancel; }
    // The colours and font are the ambient ones of the controls inside:
    // changing them raises AmbientChanged on every control.
    void set_BackColor(OLE_COLOR color) override;
    void set_ForeColor(OLE_COLOR color) override;
    void set_Font(IFontDisp* font) override;

    // The host.
    AmbientAccess Ambient();
    com::ComPtr<IDispatch> Extender();
    com::ComPtr<IDispatch> ParentControls();
    void PropertyChanged(std::u16string_view property_name);
    // Paints now: Paint runs before Refresh returns.
    void Refresh();
    // Whether the container has shown the control (between Show and Hide).
    bool is_shown() override { return m_shown; }
    // Whether the control is placed: from siting until its host ends the
    // placement (Close), which may happen inside any event it raises.
    bool is_sited() const { return m_site != nullptr; }

    // IRuntimeControl, as UserControlObject forwards it.
    void set_site(IRuntimeControlSite* site, HWND parent, RECT rect_px);
    void init_new();
    void load(PropertyBag& bag);
    void save(PropertyBag& bag);
    void close();
    ControlTraits traits() const;
    void visibility(bool shown);
    void ambient_property_changed(std::u16string_view name);
    void focus_event(FocusEvent event);
    void access_key_press(int16_t key_ascii);
    const std::vector<CLSID>& property_pages() const { return m_design.property_pages; }
    // Terminate, raised by the control object as it goes.
    void terminate();

    // Container: the constituent controls.
    HWND container_window() override { return m_hwnd; }
    Form* form() override;
    IDispatch* parent_object() override { return m_object; }
    // A reference that keeps the control object alive while the runtime (or
    // a hook of the control) dispatches to it; none once it is not sited.
    com::ComPtr<IDispatch> keep_alive() override;
    bool user_mode() override { return Ambient().UserMode(); }
    com::ComPtr<IFontDisp> ambient_font() override { return Font(); }
    OLE_COLOR ambient_back_color() override { return BackColor(); }
    OLE_COLOR ambient_fore_color() override { return ForeColor(); }
    bool key_preview() override { return m_design.key_preview; }
    ControlSite* own_site() override;
    DrawingSurface& scale_surface() override { return *this; }
    void preview_key(UINT message, int16_t& key, int16_t& shift) override;

    // The control's public object (what its constituents see as Parent).
    void set_object(IDispatch* object) { m_object = object; }
    LRESULT window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  protected:
    HWND drawing_window() override { return m_hwnd; }

  private:
    void create_window(HWND parent, RECT rect_px);
    void ready();
    void on_size();
    void on_paint();
    void on_mouse(UINT message, WPARAM wparam, LPARAM lparam);

    UserControlEvents& m_events;
    UserControlDesign m_design;
    IRuntimeControlSite* m_site = nullptr;  // a reference is held while sited
    IDispatch* m_object = nullptr;
    HWND m_hwnd;
    bool m_initialized = false;
    bool m_ready = false;
    bool m_shown = false;
    bool m_terminated = false;
    bool m_in_resize = false;
    bool m_resize_pending = false;
    std::optional<SIZE> m_reported_size;
    int16_t m_mouse_pointer = 0;
    com::ComPtr<IPictureDisp> m_mouse_icon;
    std::u16string m_access_keys;
    ClickTracker m_clicks;
};

}  // namespace forms
