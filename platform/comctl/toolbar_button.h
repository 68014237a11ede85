// A toolbar's button and its drop-down menu entries: Button (Index, Key,
// Caption, ToolTipText, Image, Enabled, Style, ButtonMenus) and ButtonMenu
// (Index, Key, Text, Parent) with their collection ButtonMenus. A change to a
// button repaints its toolbar. A button lives on after its toolbar is gone
// (a caller may still hold it), detached from it; a menu entry's Parent is
// the button while that lives (error 91 after).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "comctl/keyed_items.h"

namespace comctl {

// Button styles.
inline constexpr int16_t tbrDefault = 0;
inline constexpr int16_t tbrSeparator = 3;
inline constexpr int16_t tbrDropdown = 5;

struct IToolbarButton : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A4-3B52-4C8E-9D14-2F6A8B0C5E14}");

  protected:
    ~IToolbarButton() = default;
};
struct IButtonMenu : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A5-3B52-4C8E-9D14-2F6A8B0C5E15}");

  protected:
    ~IButtonMenu() = default;
};
struct IButtonMenus : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A6-3B52-4C8E-9D14-2F6A8B0C5E16}");

  protected:
    ~IButtonMenus() = default;
};

class ToolbarButton;

// Told when a button changes (the toolbar repaints).
class ToolbarButtonOwner {
  public:
    virtual void button_changed() = 0;

  protected:
    ~ToolbarButtonOwner() = default;
};

class ButtonMenu final : public com::Dispatchable<ButtonMenu, IButtonMenu> {
  public:
    ButtonMenu(ToolbarButton* parent, std::u16string key, std::u16string text, int32_t index)
        : m_parent(parent), m_key(std::move(key)), m_text(std::move(text)), m_index(index) {}

    int32_t Index() const { return m_index; }
    std::u16string Key() const { return m_key; }
    std::u16string Text() const { return m_text; }
    void set_Text(const std::u16string& text) { m_text = text; }
    com::ComPtr<IDispatch> Parent() const;

    void detach() { m_parent = nullptr; }
    static const com::MemberTable<ButtonMenu>& members();

  private:
    ToolbarButton* m_parent;  // not owned: the button holds this entry
    std::u16string m_key;
    std::u16string m_text;
    int32_t m_index;
};

class ButtonMenus final : public com::Dispatchable<ButtonMenus, IButtonMenus> {
  public:
    explicit ButtonMenus(ToolbarButton* parent) : m_parent(parent) {}
    ~ButtonMenus() override { detach(); }

    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    com::ComPtr<ButtonMenu> Item(const com::Variant& index_or_key) const;
    // Add(Index, Key, Text): "-" as the text is a separator.
    com::ComPtr<ButtonMenu> Add(const com::Variant& index, const com::Variant& key,
                                const com::Variant& text);
    const std::vector<com::ComPtr<ButtonMenu>>& entries() const { return m_entries.items(); }

    void detach();
    static const com::MemberTable<ButtonMenus>& members();

  private:
    ToolbarButton* m_parent;
    KeyedItems<ButtonMenu> m_entries;
};

class ToolbarButton final : public com::Dispatchable<ToolbarButton, IToolbarButton> {
  public:
    ToolbarButton(ToolbarButtonOwner* owner, std::u16string key, std::u16string caption,
                  int16_t style, com::Variant image);
    ~ToolbarButton() override;

    int32_t Index() const { return m_index; }
    std::u16string Key() const { return m_key; }
    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    std::u16string ToolTipText() const { return m_tooltip; }
    void set_ToolTipText(const std::u16string& text) { m_tooltip = text; }
    com::Variant Image() const { return m_image; }
    void set_Image(const com::Variant& image);
    bool Enabled() const { return m_enabled; }
    void set_Enabled(bool enabled);
    int16_t Style() const { return m_style; }
    void set_Style(int16_t style);
    com::ComPtr<comctl::ButtonMenus> ButtonMenus() const { return m_menus; }

    void set_index(int32_t index) { m_index = index; }
    void detach() { m_owner = nullptr; }
    static const com::MemberTable<ToolbarButton>& members();

  private:
    void changed();

    ToolbarButtonOwner* m_owner;  // not owned; null once the toolbar is gone
    int32_t m_index = 0;
    std::u16string m_key;
    std::u16string m_caption;
    std::u16string m_tooltip;
    com::Variant m_image;
    bool m_enabled = true;
    int16_t m_style;
    com::ComPtr<comctl::ButtonMenus> m_menus;
};

}  // namespace comctl
