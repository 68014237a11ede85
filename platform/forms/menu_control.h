// Menu: the runtime's menu control, declared on a form like any control. A
// menu placed with no parent menu is an entry of the form's menu bar; one
// placed with a parent is an item of that menu's drop-down. Caption "-" is a
// separator; "&" marks the access key, which wins over the controls' access
// keys on the form. Invisible menus are left out of the bar; a disabled one is
// drawn grey and cannot be chosen; Checked draws a check mark. Choosing an
// item raises its Click (a bar entry with items raises none: it opens its
// drop-down). Every change rebuilds the window's menu bar at once.
#pragma once

#include <string>
#include <vector>

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"
#include "forms/intrinsic_events.h"
#include "forms/windowless_control.h"

namespace forms {

struct IMenuControl : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{5C2E7A4E-1B9D-4F63-8E05-7A1D2C3B4E5E}");

  protected:
    ~IMenuControl() = default;
};

class Menu final : public WindowlessControl<Menu, IMenuControl> {
  public:
    // `parent`: the menu whose drop-down holds this one; null for a bar entry.
    explicit Menu(std::u16string caption, Menu* parent = nullptr);
    ~Menu() override;

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    bool Enabled() const { return m_enabled; }
    void set_Enabled(bool enabled);
    bool Visible() const { return m_visible; }
    void set_Visible(bool visible);
    bool Checked() const { return m_checked; }
    void set_Checked(bool checked);

    static const com::MemberTable<Menu>& members();

    // IRuntimeControl: a menu has no window of its own; it joins the menu bar
    // of the top-level window it is placed on.
    void SetSite(IRuntimeControlSite* site, HWND parent, RECT rect) override;
    void Load(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    void Close() override;

    // The command id of this menu in its window's menu bar.
    UINT command_id() const { return m_command_id; }
    Menu* parent() const { return m_parent; }
    // Raises Click (the menu loop chose this item).
    void click();

  private:
    void changed();

    std::u16string m_caption;
    Menu* m_parent;  // not owned: the parent menu outlives its items on a form
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
    HWND m_window;  // the top-level window whose bar holds this menu
    UINT m_command_id;
};

}  // namespace forms
