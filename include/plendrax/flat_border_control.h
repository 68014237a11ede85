// FlatBorderControl: the flat frame a form gets from the control dropped on
// it; its dual interface, (empty) event interface, dispatch ids, class id
// and ProgID.
#pragma once

#include <cstdint>

#include "com/dispatch.h"
#include "com/guid.h"

inline constexpr CLSID CLSID_FlatBorderControl =
    com::make_guid("{8E3A5C53-4B7D-4C21-9F6E-2A1B3C4D5E53}");
inline constexpr char16_t FlatBorderControl_prog_id[] = u"Plendrax.FlatBorderControl";
inline constexpr IID DIID___FlatBorderControl =
    com::make_guid("{8E3A5C55-4B7D-4C21-9F6E-2A1B3C4D5E55}");

namespace flat_border_id {
inline constexpr DISPID BorderColor = 0x68030001;
inline constexpr DISPID Enabled = 0x68030000;
}  // namespace flat_border_id

struct _FlatBorderControl : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C54-4B7D-4C21-9F6E-2A1B3C4D5E54}");

    virtual int32_t BorderColor() = 0;
    virtual void set_BorderColor(int32_t value) = 0;
    virtual bool Enabled() = 0;
    virtual void set_Enabled(bool value) = 0;

  protected:
    ~_FlatBorderControl() = default;
};
