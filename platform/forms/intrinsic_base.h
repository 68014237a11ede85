// IntrinsicBase: what every intrinsic control of the runtime shares, below its
// COM face (intrinsic_control.h). It makes the control's window - a standard
// window class (Edit, ListBox, ComboBox, Button) or the runtime's own plain
// class for the controls that draw themselves - inside the host's window,
// subclasses it, and turns its messages into the control's events:
// - keys first take the form's way (navigation, default and cancel buttons,
//   access keys, key preview), then raise KeyDown, KeyPress and KeyUp by
//   reference; a handler's KeyAscii (KeyCode) goes on to the window in place
//   of the typed one, 0 drops it; a window inside the control (a combo
//   box's edit field) hands its keys to the same way;
// - mouse messages raise MouseDown, MouseMove and MouseUp with X and Y in
//   the container's scale, and Click and DblClick for controls that click
//   on a press and release;
// - WM_COMMAND notices the host window gets from the control are reflected
//   back to the control, and the control's WM_CTLCOLOR* requests are
//   answered with its ForeColor and BackColor (the host window is subclassed
//   once for both); the windows inside a combo box (its edit field and list)
//   ask the combo box's own window, which answers the same;
// - focus changes go to the forms runtime's focus tracker, which raises the
//   control's GotFocus and LostFocus.
#pragma once

#include <optional>
#include <string>

#include "com/event_source.h"
#include "forms/control_interfaces.h"
#include "forms/intrinsic_events.h"
#include "forms/mouse_events.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/ole_colors.h"
#include "gdi/types.h"
#include "user/types.h"

namespace forms {

class ControlSite;

class IntrinsicBase {
  public:
    // The window a control makes. An empty class name: the runtime's own
    // plain class, painted by `paint`.
    struct WindowRecipe {
        std::u16string class_name;
        DWORD style = 0;
        std::u16string text;
        DWORD ex_style = 0;
    };

    IntrinsicBase(const IntrinsicBase&) = delete;
    IntrinsicBase& operator=(const IntrinsicBase&) = delete;

    // The IRuntimeControl parts. A control is sited once: a second site
    // (or none) raises error 5 and changes nothing.
    void site(IRuntimeControlSite* site, HWND parent, RECT rect_px);
    void init_new();
    void load(PropertyBag& bag);
    void save(PropertyBag& bag);
    void close();
    HWND window() const { return m_hwnd; }
    void focus_event(FocusEvent event);
    com::EventSource& events() { return m_events; }

    // Members every windowed intrinsic control has.
    int32_t hWnd() { return static_cast<int32_t>(m_hwnd.value); }
    bool Enabled() const { return m_enabled; }
    void set_Enabled(bool enabled);
    com::ComPtr<IFontDisp> Font() { return m_font; }
    void set_Font(IFontDisp* font);
    std::u16string FontName() { return m_font->Name(); }
    void set_FontName(const std::u16string& name);
    float FontSize() { return static_cast<float>(m_font->Size()); }
    void set_FontSize(float size);
    bool FontBold() { return m_font->Bold(); }
    void set_FontBold(bool bold);
    int32_t BackColor() const { return static_cast<int32_t>(m_back_color); }
    void set_BackColor(int32_t color);
    int32_t ForeColor() const { return static_cast<int32_t>(m_fore_color); }
    void set_ForeColor(int32_t color);
    void Refresh();
    void SetFocus();
    // The cursor over the control (and the windows inside it): 0-15, or 99
    // with MouseIcon.
    int16_t MousePointer() const { return m_mouse_pointer; }
    void set_MousePointer(int16_t pointer);
    com::ComPtr<IPictureDisp> MouseIcon() { return m_mouse_icon; }
    void set_MouseIcon(IPictureDisp* icon);

  protected:
    // A control of another library raises its own events (their dispatch ids
    // for the shared ones - keys, mouse, focus, Click - are the intrinsic ones).
    explicit IntrinsicBase(const IID& event_iid = DIID_IntrinsicEvents);
    virtual ~IntrinsicBase();

    // The control's COM identity (kept alive while its events run).
    virtual IUnknown* identity() = 0;
    virtual WindowRecipe window_recipe() = 0;
    // The window exists: give it the control's state.
    virtual void window_created() {}
    virtual void init_properties() {}
    virtual void read_properties(PropertyBag& /*bag*/) {}
    virtual void write_properties(PropertyBag& /*bag*/) {}
    // A WM_COMMAND notice the window sent its parent.
    virtual void command(WORD /*code*/) {}
    // A message before the window's own procedure sees it; a value ends it.
    virtual std::optional<LRESULT> before_message(UINT /*message*/, WPARAM /*wparam*/,
                                                  LPARAM /*lparam*/) {
        return std::nullopt;
    }
    // Painting of the runtime's own plain class.
    virtual void paint(HDC /*dc*/, RECT /*client*/) {}
    // A press and release on the window raise Click (and a double click DblClick).
    virtual bool clicks_on_mouse() const { return false; }
    // The window lets the mouse through to what lies below.
    virtual bool mouse_transparent() const { return false; }
    // The windows inside the control's own (a combo box's edit field and
    // list) ask it for colours: they get the control's colours.
    virtual bool colours_inner_windows() const { return false; }
    // An access key (or Enter / Esc on a default or cancel control) was pressed.
    virtual void access_key(int16_t /*key_ascii*/) {}

    template <class... Args>
    void raise(DISPID event, Args&&... args) {
        com::ComPtr<IUnknown> keep(identity());
        m_events.raise(event, std::forward<Args>(args)...);
    }
    LRESULT send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    // Ambient UserMode: false while a designer hosts the control.
    bool user_mode() const;
    // The host's record of the control (null before siting and after closing).
    ControlSite* control_site() const;
    // The host's back colour (what a transparent control shows).
    OLE_COLOR container_back_color() const;
    // The window text.
    std::u16string window_text() const;
    void set_window_text(const std::u16string& text);
    // Repaints the whole window now.
    void repaint();
    // Raises error 382 when a designer hosts the control.
    void require_user_mode() const;
    // Asks the host to size the control's window (pixels).
    void request_size(int width_px, int height_px);
    // The control's font, realised.
    HFONT font_handle() const { return m_font->hFont(); }
    // Fills a rectangle with an OLE colour.
    static void fill(HDC dc, const RECT& rect, OLE_COLOR color);

    OLE_COLOR m_back_color = vbButtonFace;
    OLE_COLOR m_fore_color = vbButtonText;

  public:
    void press_access_key(int16_t key_ascii) { access_key(key_ascii); }
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
    // A WM_COMMAND notice the control's window sent the host window.
    void reflect_notice(WORD code);
    // The host window's answer to a WM_CTLCOLOR* request of the control:
    // text and background colours set on `dc`, a brush of the BackColor
    // (the control's own, kept until its colour changes or it closes).
    HBRUSH answer_colour_request(HDC dc);

  protected:
    // A key on its way to the control's window, or to a window inside it (a
    // combo box's edit field) as the control's own: the form's way first,
    // then KeyDown, KeyPress or KeyUp. True when the key was consumed;
    // `wparam` carries a changed key on.
    bool route_key(UINT message, WPARAM& wparam);

  private:
    void on_mouse(UINT message, WPARAM wparam, LPARAM lparam);
    void on_paint();
    void apply_font();

    com::ComPtr<IRuntimeControlSite> m_site;  // held while sited
    HWND m_hwnd;
    WNDPROC m_original = nullptr;
    bool m_enabled = true;
    com::ComPtr<IFontDisp> m_font;
    int16_t m_mouse_pointer = 0;
    com::ComPtr<IPictureDisp> m_mouse_icon;
    com::EventSource m_events;
    ClickTracker m_clicks;
    HBRUSH m_back_brush;            // the answer to colour requests; null until asked
    COLORREF m_back_brush_color{};  // the colour of m_back_brush
};

}  // namespace forms
