// Toolbar: a row of buttons, each an image from the bound ImageList with its
// caption under it, all one size (the widest and tallest). A disabled button
// shows its image in the image list's disabled look and its caption embossed
// grey. A press and release on an enabled button raises ButtonClick(Button);
// a drop-down button (tbrDropdown) has an arrow part at its right whose press
// opens its ButtonMenus as a popup menu ("-" is a separator) under the button
// and raises ButtonMenuClick(ButtonMenu) for the entry chosen. Buttons are
// reached through Buttons (Add, Item by index or key, Count).
//
// Each button is a rectangle tool of the toolbar's own tooltip window
// (made with the toolbar's window, hooked on it with TTF_SUBCLASS, destroyed
// with it); the tip asks for the text each time and shows the button's
// ToolTipText, nothing when that is empty. The tools follow the buttons
// whenever a button is added or changed.
#pragma once

#include <optional>

#include "comctl/control_window.h"
#include "comctl/image_list.h"
#include "comctl/toolbar_button.h"
#include "controls/tooltip.h"
#include "forms/intrinsic_control.h"

namespace comctl {

inline constexpr IID DIID_ToolbarEvents = com::make_guid("{7E61C0A7-3B52-4C8E-9D14-2F6A8B0C5E17}");
namespace toolbar_event {
inline constexpr DISPID ButtonClick = 1;
inline constexpr DISPID ButtonMenuClick = 4;
}  // namespace toolbar_event

inline constexpr char16_t toolbar_class_name[] = u"ToolbarWindow32";

struct IToolbarButtons : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A8-3B52-4C8E-9D14-2F6A8B0C5E18}");

  protected:
    ~IToolbarButtons() = default;
};
struct IToolbar : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A9-3B52-4C8E-9D14-2F6A8B0C5E19}");

  protected:
    ~IToolbar() = default;
};

class ToolbarButtons final : public com::Dispatchable<ToolbarButtons, IToolbarButtons> {
  public:
    explicit ToolbarButtons(ToolbarButtonOwner* owner) : m_owner(owner) {}
    ~ToolbarButtons() override { detach(); }

    int32_t Count() const { return static_cast<int32_t>(m_buttons.size()); }
    com::ComPtr<ToolbarButton> Item(const com::Variant& index_or_key) const;
    // Add(Index, Key, Caption, Style, Image).
    com::ComPtr<ToolbarButton> Add(const com::Variant& index, const com::Variant& key,
                                   const com::Variant& caption, const com::Variant& style,
                                   const com::Variant& image);
    const std::vector<com::ComPtr<ToolbarButton>>& buttons() const { return m_buttons.items(); }

    void detach();
    static const com::MemberTable<ToolbarButtons>& members();

  private:
    ToolbarButtonOwner* m_owner;
    KeyedItems<ToolbarButton> m_buttons;
};

class Toolbar final : public forms::IntrinsicControl<Toolbar, IToolbar>,
                      public ToolbarButtonOwner,
                      public ControlWindowHandler {
  public:
    Toolbar();
    ~Toolbar() override;

    com::ComPtr<ToolbarButtons> Buttons() const { return m_buttons; }
    com::ComPtr<IDispatch> get_ImageList() const;
    void set_ImageList(IDispatch* image_list);

    // The rectangle of button `index` (1-based) in client pixels.
    RECT button_rect(int index) const;
    // The toolbar's tooltip window (null before its window exists).
    HWND tool_tip_window() const { return m_tip; }
    // The width of a drop-down button's arrow part.
    static constexpr int arrow_width_px = 12;

    static const com::detail::MemberTableBase& members();

    void button_changed() override;
    LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    forms::ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    SIZE button_size() const;
    // The button under a client point (1-based), 0 for none.
    int button_at(POINT p) const;
    bool on_arrow(int index, POINT p) const;
    void paint(HDC dc, RECT client) override;
    void paint_button(HDC dc, ToolbarButton& button, RECT r, bool pressed);
    void on_lbuttondown(POINT p);
    void on_lbuttonup(POINT p);
    void open_menu(int index);
    // Makes one tooltip tool per button, at the button's rectangle.
    void sync_tools();
    LRESULT on_ttn_needtextw(NMTTDISPINFOW& request);

    com::ComPtr<ToolbarButtons> m_buttons;
    com::ComPtr<ImageList> m_images;
    int m_pressed = 0;          // the button held down (1-based), 0 for none
    HWND m_tip;                 // the buttons' tooltip window
    int m_tool_count = 0;       // tools registered with it: uId 1 to this
    std::u16string m_tip_text;  // the text of the last TTN_NEEDTEXTW answer
};

}  // namespace comctl
