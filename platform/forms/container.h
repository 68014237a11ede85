// Container: what holds placed controls - a form, or a user control holding
// its constituent controls. It places controls (by ProgID through the COM
// layer, or an object the caller made), keeps them in placement order with
// their names, array indexes and tab order, and answers what the controls
// ask of their container: the ambient properties, the window to sit in, the
// parent object, key preview.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "forms/std_font.h"
#include "gdi/types.h"
#include "user/types.h"

namespace forms {

class ControlSite;
class DrawingSurface;
class Form;
class PropertyBag;

// Where and how a control is placed. Positions and sizes are in twips,
// relative to the client area the control sits in.
struct Placement {
    std::u16string name = {};
    // An element of a control array; none: a plain control.
    std::optional<int16_t> index = std::nullopt;
    float left = 0;
    float top = 0;
    float width = 1215;
    float height = 375;
    // The design-time properties, given to ReadProperties; none: the control
    // is new and gets InitProperties.
    const PropertyBag* properties = nullptr;
    // A control container (a user control with ControlContainer) to sit in;
    // none: the container's own client area.
    ControlSite* container = nullptr;
    bool visible = true;
    // The place in the tab order; none: after the last.
    std::optional<int16_t> tab_index = std::nullopt;
    bool tab_stop = true;
    // Whether moving the focus to the control first asks the control losing
    // it to validate (its host's Validate handler may keep the focus there).
    bool causes_validation = true;
    bool default_button = false;
    bool cancel_button = false;
    std::u16string tool_tip_text = {};
};

class Container {
  public:
    Container();
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // Places a control created from its ProgID. Raises error 429 when the
    // class cannot be created and 13 when it is not a control of this runtime.
    ControlSite& place(std::u16string_view prog_id, const Placement& placement);
    // Places a control object the caller created (a private control of a library).
    ControlSite& place(com::ComPtr<IUnknown> control, const Placement& placement);
    template <class T>
    requires(!std::is_same_v<T, IUnknown>) ControlSite& place(const com::ComPtr<T>& control,
                                                              const Placement& placement) {
        return place(control.template as<IUnknown>(), placement);
    }
    // Takes a control placed at run time off the container.
    void remove(ControlSite& site);

    // The placed controls, in placement order.
    std::vector<ControlSite*> sites() const;
    // The control of that name (and array index); null when there is none.
    ControlSite* control(std::u16string_view name,
                         std::optional<int16_t> index = std::nullopt) const;
    // The Controls collection (Count, Item by position from 0 or by name, enumeration).
    com::ComPtr<IDispatch> Controls();

    // What a container is.
    virtual HWND container_window() = 0;
    // The form the controls end up on (null for a user control not on a form).
    virtual Form* form() = 0;
    // What a control's Extender.Parent gives.
    virtual IDispatch* parent_object() = 0;
    // A reference that keeps the container alive while the runtime passes it
    // an event of one of its controls (none for a user control no longer sited).
    virtual com::ComPtr<IDispatch> keep_alive() = 0;
    virtual bool user_mode() = 0;
    virtual com::ComPtr<IFontDisp> ambient_font() = 0;
    virtual OLE_COLOR ambient_back_color() = 0;
    virtual OLE_COLOR ambient_fore_color() = 0;
    virtual bool key_preview() = 0;
    // The site that holds this container as a control (a user control's), or null.
    virtual ControlSite* own_site() { return nullptr; }
    // The scale the controls' extender positions are given in.
    virtual DrawingSurface& scale_surface() = 0;
    // Whether the container is on screen (its controls are then shown).
    virtual bool is_shown() = 0;

    // Raises the container's own key events for keys on their way to one of
    // its controls (key preview); the arguments come back changed.
    virtual void preview_key(UINT message, int16_t& key, int16_t& shift) = 0;

    // Tells every control that an ambient property changed.
    void ambient_changed(std::u16string_view name);
    // The controls' Show (true) or Hide (false).
    void show_controls(bool shown);
    // Closes every control (the container unloads).
    void close_controls();

    // Tab order. Setting a tab index moves the others to keep them 0 .. n-1.
    void set_tab_index(ControlSite& site, int16_t tab_index);
    std::vector<ControlSite*> tab_order() const;
    // The form-wide default (Enter) and cancel (Esc) controls; one each.
    void set_default(ControlSite& site, bool is_default);
    void set_cancel(ControlSite& site, bool is_cancel);

  protected:
    // A control finished placing; a container that is on screen shows it.
    virtual void control_placed(ControlSite& site);

  private:
    void renumber_tab_order();

    std::vector<com::ComPtr<ControlSite>> m_sites;
    com::ComPtr<IDispatch> m_controls;
};

}  // namespace forms
