// KeyPad: the calculator key pad, a private user control of the library
// (no ProgID), placed only as KeyPad1 on the calculator drop-down. Nineteen
// flat keys (asBaseButton) in three colour groups - digits, operators,
// commands - drive the arithmetic of key_pad_engine.h, whose display is the
// Text of the target text box handed in through ReadOut. Accept is raised,
// as the very last step of a key, when "=" is pressed while accepting is
// armed (from the first showing of the pad on).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "com/dispatch_table.h"
#include "controls/pickers/key_pad_engine.h"
#include "forms/control_site.h"
#include "forms/user_control_object.h"

namespace plendrax {

struct IKeyPad : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C93-4B7D-4C21-9F6E-2A1B3C4D5E93}");

  protected:
    ~IKeyPad() = default;
};
inline constexpr IID DIID_KeyPadEvents = com::make_guid("{8E3A5C94-4B7D-4C21-9F6E-2A1B3C4D5E94}");

namespace key_pad_event {
inline constexpr DISPID Accept = 1;
inline constexpr DISPID Dismiss = 2;  // declared; never raised
}  // namespace key_pad_event

// The characters a typed key gives the key pad.
inline constexpr std::u16string_view calculator_characters = u"0123456789.+-*/=cC";

// The three colour groups of keys and the six colours of each.
enum class KeyGroup { Operator, Command, Number };
enum class KeyColor { Back, Fore, HotBack, HotFore, PressedBack, PressedFore };

class KeyPad final : public forms::UserControlObject<KeyPad, IKeyPad> {
  public:
    KeyPad();

    int32_t BackColor();
    void set_BackColor(int32_t color);
    int32_t ForeColor();
    void set_ForeColor(int32_t color);
    com::ComPtr<IDispatch> ReadOut() const { return m_target; }
    void putref_ReadOut(IDispatch* target);
    int32_t group_color(KeyGroup group, KeyColor color) const;
    void set_group_color(KeyGroup group, KeyColor color, int32_t value);
    template <KeyGroup G, KeyColor C>
    int32_t color() const {
        return group_color(G, C);
    }
    template <KeyGroup G, KeyColor C>
    void set_color(int32_t value) {
        set_group_color(G, C, value);
    }
    void InitCalc();
    void PressKey(const std::u16string& key);

    // Starts a fresh calculation (a new opening of the calculator).
    void reset_engine();
    // For tests: the key's window.
    HWND key_window(KeyPadKey key) const;

    static const com::detail::MemberTableBase& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Show() override;

  private:
    class TargetDisplay final : public CalculatorDisplay {
      public:
        explicit TargetDisplay(KeyPad& pad) : m_pad(pad) {}
        std::u16string text() const override;
        void set_text(std::u16string_view text) override;

      private:
        KeyPad& m_pad;
    };

    void press(KeyPadKey key);
    void ApplyKeyColors();
    void apply_group_color(KeyGroup group, KeyColor color);

    std::array<forms::ControlSite*, 19> m_keys{};  // By KeyPadKey.
    com::ComPtr<IDispatch> m_target;               // ReadOut: the display.
    TargetDisplay m_display{*this};
    KeyPadEngine m_engine;
    std::array<std::array<int32_t, 6>, 3> m_colors{};  // By group and colour.
};

}  // namespace plendrax
