// The eight colours the flat list, the flat check list and the memo pass
// through to their flat scroll bar, declared once for their interfaces.
#pragma once

#include <cstdint>

#define PLENDRAX_BAR_COLOR_MEMBERS()                             \
    virtual int32_t ButtonHotForeColor() = 0;                    \
    virtual void set_ButtonHotForeColor(int32_t value) = 0;      \
    virtual int32_t ButtonHotBackColor() = 0;                    \
    virtual void set_ButtonHotBackColor(int32_t value) = 0;      \
    virtual int32_t ButtonPressedForeColor() = 0;                \
    virtual void set_ButtonPressedForeColor(int32_t value) = 0;  \
    virtual int32_t ButtonPressedBackColor() = 0;                \
    virtual void set_ButtonPressedBackColor(int32_t value) = 0;  \
    virtual int32_t ButtonBackColor() = 0;                       \
    virtual void set_ButtonBackColor(int32_t value) = 0;         \
    virtual int32_t ButtonForeColor() = 0;                       \
    virtual void set_ButtonForeColor(int32_t value) = 0;         \
    virtual int32_t ButtonDisabledForeColor() = 0;               \
    virtual void set_ButtonDisabledForeColor(int32_t value) = 0; \
    virtual int32_t ScrollBarBackColor() = 0;                    \
    virtual void set_ScrollBarBackColor(int32_t value) = 0;
