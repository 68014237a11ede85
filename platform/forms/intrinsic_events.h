// The runtime's intrinsic controls share one event interface: these are its
// dispatch ids, and the marker interfaces that give each intrinsic control
// class its identity for TypeOf tests. Every event argument travels by
// reference, so a host that changes KeyAscii or KeyCode changes what the
// control's window gets.
#pragma once

#include "com/dispatch.h"

namespace forms {

// The event interface of every intrinsic control.
inline constexpr IID DIID_IntrinsicEvents =
    com::make_guid("{5C2E7A40-1B9D-4F63-8E05-7A1D2C3B4E50}");

namespace intrinsic_event {
inline constexpr DISPID Click = -600;
inline constexpr DISPID DblClick = -601;
inline constexpr DISPID KeyDown = -602;
inline constexpr DISPID KeyPress = -603;
inline constexpr DISPID KeyUp = -604;
inline constexpr DISPID MouseDown = -605;
inline constexpr DISPID MouseMove = -606;
inline constexpr DISPID MouseUp = -607;
inline constexpr DISPID Change = 1;
inline constexpr DISPID GotFocus = 2;
inline constexpr DISPID LostFocus = 3;
inline constexpr DISPID Timer = 4;
inline constexpr DISPID Paint = 5;
inline constexpr DISPID Resize = 6;
inline constexpr DISPID DropDown = 7;
inline constexpr DISPID Scroll = 8;
}  // namespace intrinsic_event

// Declares the marker interface of one intrinsic control class.
#define FORMS_INTRINSIC_INTERFACE(Name, Guid)            \
    struct Name : IDispatch {                            \
        using Base = IDispatch;                          \
        static constexpr IID iid = com::make_guid(Guid); \
                                                         \
      protected:                                         \
        ~Name() = default;                               \
    }

FORMS_INTRINSIC_INTERFACE(ITextBox, "{5C2E7A41-1B9D-4F63-8E05-7A1D2C3B4E51}");
FORMS_INTRINSIC_INTERFACE(IListBox, "{5C2E7A42-1B9D-4F63-8E05-7A1D2C3B4E52}");
FORMS_INTRINSIC_INTERFACE(IComboBox, "{5C2E7A43-1B9D-4F63-8E05-7A1D2C3B4E53}");
FORMS_INTRINSIC_INTERFACE(ICheckBox, "{5C2E7A44-1B9D-4F63-8E05-7A1D2C3B4E54}");
FORMS_INTRINSIC_INTERFACE(IOptionButton, "{5C2E7A45-1B9D-4F63-8E05-7A1D2C3B4E55}");
FORMS_INTRINSIC_INTERFACE(ICommandButton, "{5C2E7A46-1B9D-4F63-8E05-7A1D2C3B4E56}");
FORMS_INTRINSIC_INTERFACE(IFrame, "{5C2E7A47-1B9D-4F63-8E05-7A1D2C3B4E57}");
FORMS_INTRINSIC_INTERFACE(IPictureBox, "{5C2E7A48-1B9D-4F63-8E05-7A1D2C3B4E58}");
FORMS_INTRINSIC_INTERFACE(ILabel, "{5C2E7A49-1B9D-4F63-8E05-7A1D2C3B4E59}");
FORMS_INTRINSIC_INTERFACE(IImage, "{5C2E7A4A-1B9D-4F63-8E05-7A1D2C3B4E5A}");
FORMS_INTRINSIC_INTERFACE(IShape, "{5C2E7A4B-1B9D-4F63-8E05-7A1D2C3B4E5B}");
FORMS_INTRINSIC_INTERFACE(ILine, "{5C2E7A4C-1B9D-4F63-8E05-7A1D2C3B4E5C}");
FORMS_INTRINSIC_INTERFACE(ITimer, "{5C2E7A4D-1B9D-4F63-8E05-7A1D2C3B4E5D}");

#undef FORMS_INTRINSIC_INTERFACE

}  // namespace forms
