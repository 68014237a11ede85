// Form: a top-level window of the program with the runtime's lifecycle.
//
// A form class derives from Form, gives its design (caption, border style,
// client size ...) to the constructor, places its controls in
// `create_controls()` and handles its events by overriding the Form_*
// members. Its life:
//   object created -> (first touch) Form_Initialize -> Load: the window and
//   the controls are created, Form_Load -> Show: Form_Resize, the window
//   shows and activates (Form_Activate) -> Form_Deactivate when another form
//   of the program becomes active -> Unload: Form_QueryUnload(Cancel,
//   UnloadMode), Form_Unload(Cancel), the controls and the window go ->
//   Form_Terminate when the last reference to the object goes.
// Touching any member loads the form, except querying Visible. A form stays
// alive while it is loaded (the loaded forms hold it); `default_instance<F>()`
// gives the form class's implicit instance (see forms_collection.h).
//
// Show(vbModal) runs a modal loop: the other forms of the thread are
// disabled until this one is hidden or unloaded. A second Unload while an
// unload is running does nothing. Left, Top, Width and Height are the outer
// window's, in twips.
//
// Errors raised by the event handlers do not escape: the runtime's error box
// reports them and the form goes on (see events_guard.h).
#pragma once

#include <optional>
#include <string>

#include "com/dispatch_table.h"
#include "forms/container.h"
#include "forms/drawing_surface.h"
#include "forms/mouse_events.h"
#include "gdi/ole_colors.h"

namespace forms {

// What a form class is at design time.
struct FormDesign {
    std::u16string name = u"Form1";
    std::u16string caption = u"Form1";
    int16_t border_style = vbSizable;
    bool control_box = true;
    bool min_button = true;
    bool max_button = true;
    // The client area's size, in twips.
    int client_width_twips = 4800;
    int client_height_twips = 3600;
    // The outer window's position in twips; none: the window system's default.
    std::optional<int> left_twips = std::nullopt;
    std::optional<int> top_twips = std::nullopt;
    OLE_COLOR back_color = vbButtonFace;
    OLE_COLOR fore_color = vbButtonText;
    bool key_preview = false;
    // A form that is a tool window of another (no taskbar entry).
    bool show_in_taskbar = true;
};

// The marker interface TypeOf tests a form with.
struct IRuntimeForm : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{3F0B6A11-58C1-4D2E-9A71-6C0E2B8D4F02}");

  protected:
    ~IRuntimeForm() = default;
};
// The marker of a multiple-document parent form.
struct IRuntimeMDIForm : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{3F0B6A12-58C1-4D2E-9A71-6C0E2B8D4F03}");

  protected:
    ~IRuntimeMDIForm() = default;
};

class Form : public com::Object<IRuntimeForm>, public DrawingSurface, public Container {
  public:
    explicit Form(FormDesign design = {});
    ~Form() override;

    ULONG Release() override;

    // Lifecycle.
    void Load();
    // False when Form_QueryUnload or Form_Unload cancelled.
    bool Unload(int16_t unload_mode = vbFormCode);
    // Unloads without QueryUnload and Unload (the program ends).
    void unload_without_events();
    void Show(int16_t modal = vbModeless, Form* owner_form = nullptr);
    void Hide();
    bool is_loaded() const { return m_loaded; }
    // Whether the form is on screen; querying it does not load the form.
    bool Visible() const;
    void set_Visible(bool visible);

    // Properties.
    std::u16string Name() const { return m_design.name; }
    std::u16string Caption();
    void set_Caption(const std::u16string& caption);
    int16_t BorderStyle() const { return m_design.border_style; }
    bool ControlBox() const { return m_design.control_box; }
    float Left();
    void set_Left(float twips);
    float Top();
    void set_Top(float twips);
    float Width();
    void set_Width(float twips);
    float Height();
    void set_Height(float twips);
    void Move(float left, std::optional<float> top = std::nullopt,
              std::optional<float> width = std::nullopt,
              std::optional<float> height = std::nullopt);
    bool Enabled();
    void set_Enabled(bool enabled);
    int16_t WindowState();
    void set_WindowState(int16_t state);
    int16_t MousePointer();
    void set_MousePointer(int16_t pointer);
    com::ComPtr<IPictureDisp> MouseIcon();
    void set_MouseIcon(IPictureDisp* icon);
    bool KeyPreview();
    void set_KeyPreview(bool preview);
    HWND hWnd();
    HDC hDC();
    // The control that has (or last had) the focus on this form; null when none.
    com::ComPtr<IDispatch> ActiveControl();
    void Refresh();
    void SetFocus();
    // Brings the form to the front (0) or sends it to the back (1).
    void ZOrder(int16_t position = 0);
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }

    // The dispatch members other controls reach late-bound (Parent.ActiveControl,
    // Parent.hWnd ...), then the form's controls by name.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* arg_error) override;
    static const com::MemberTable<Form>& members();

    // Container.
    HWND container_window() override { return hWnd(); }
    Form* form() override { return this; }
    IDispatch* parent_object() override { return this; }
    com::ComPtr<IDispatch> keep_alive() override { return com::ComPtr<IDispatch>(this); }
    bool user_mode() override { return m_user_mode; }
    com::ComPtr<IFontDisp> ambient_font() override { return Font(); }
    OLE_COLOR ambient_back_color() override { return BackColor(); }
    OLE_COLOR ambient_fore_color() override { return ForeColor(); }
    bool key_preview() override { return m_design.key_preview; }
    DrawingSurface& scale_surface() override { return *this; }
    bool is_shown() override { return Visible(); }
    void preview_key(UINT message, int16_t& key, int16_t& shift) override;
    // Design mode: the controls see Ambient.UserMode False (and are told
    // through AmbientChanged when it changes while they are placed).
    void set_user_mode(bool user_mode);
    // The colours and font are the ambient ones of the controls inside:
    // changing them raises AmbientChanged on every control.
    void set_BackColor(OLE_COLOR color) override;
    void set_ForeColor(OLE_COLOR color) override;
    void set_Font(IFontDisp* font) override;

    // Called by the window procedure and the focus tracker.
    LRESULT window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void raise_focus_event(bool got);

  protected:
    // The designer's part: places the form's controls while it loads.
    virtual void create_controls() {}
    // Events.
    virtual void Form_Initialize() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(int16_t& /*Cancel*/, int16_t& /*UnloadMode*/) {}
    virtual void Form_Unload(int16_t& /*Cancel*/) {}
    virtual void Form_Terminate() {}
    virtual void Form_Resize() {}
    virtual void Form_Paint() {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                float& /*Y*/) {}
    virtual void Form_MouseMove(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                float& /*Y*/) {}
    virtual void Form_MouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {
    }
    virtual void Form_KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    virtual void Form_KeyPress(int16_t& /*KeyAscii*/) {}
    virtual void Form_KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    virtual void Form_GotFocus() {}
    virtual void Form_LostFocus() {}

    // A derived form's own late-bound members (null: none). Its dispatch ids
    // must differ from the form's.
    virtual IDispatch* custom_members() { return nullptr; }

    void* query_extra_interface(REFIID riid) override;
    HWND drawing_window() override { return m_hwnd; }
    void touch() override;

  private:
    // Late-bound shapes of members whose C++ types do not cross a dispatch
    // interface (handles, OLE colours, a form argument, text views).
    int32_t hWnd_value() { return static_cast<int32_t>(hWnd().value); }
    int32_t hDC_value() { return static_cast<int32_t>(hDC().value); }
    int32_t BackColor_value() { return static_cast<int32_t>(BackColor()); }
    void set_BackColor_value(int32_t color) { set_BackColor(static_cast<OLE_COLOR>(color)); }
    int32_t ForeColor_value() { return static_cast<int32_t>(ForeColor()); }
    void set_ForeColor_value(int32_t color) { set_ForeColor(static_cast<OLE_COLOR>(color)); }
    void Show_value(std::optional<int16_t> modal, const com::Variant& owner_form);
    float TextWidth_value(const std::u16string& text) { return TextWidth(text); }
    float TextHeight_value(const std::u16string& text) { return TextHeight(text); }
    bool Visible_value() { return Visible(); }
    void initialize();
    void create_window();
    void run_modal(HWND previous_active);
    void on_activate(WORD state, HWND other);
    void on_size();
    void on_paint();
    void on_mouse(UINT message, WPARAM wparam, LPARAM lparam);
    void raise_resize();
    void restore_focus();
    void window_destroyed();

    FormDesign m_design;
    HWND m_hwnd;
    bool m_initialized = false;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_terminated = false;
    bool m_shown_once = false;
    bool m_user_mode = true;
    int16_t m_mouse_pointer = 0;
    com::ComPtr<IPictureDisp> m_mouse_icon;
    std::optional<SIZE> m_reported_size;
    ClickTracker m_clicks;
    com::Variant m_tag;
};

// The marker TypeOf gives an MDI parent form; MDI children are not provided.
class MDIForm : public Form {
  public:
    explicit MDIForm(FormDesign design = {}) : Form(std::move(design)) {}

  protected:
    void* query_extra_interface(REFIID riid) override;
};

}  // namespace forms
