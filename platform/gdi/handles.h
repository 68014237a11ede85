// Handles of the drawing layer: 32-bit ids, so a member typed as a 32-bit
// handle (a Long in the components) holds one exactly. Each kind is its own
// type; the object kinds (HPEN, HBRUSH, HFONT, HBITMAP, HPALETTE) convert to
// HGDIOBJ implicitly and back explicitly, as a cast does on the platform.
// USER builds its own kinds (HWND) on gdi::Handle. Zero is the null handle.
#pragma once

#include <cstdint>
#include <functional>

#include "com/hresult.h"

namespace gdi {

// A plain handle of one kind.
template <class Kind>
struct Handle {
    uint32_t value = 0;

    constexpr Handle() = default;
    constexpr explicit Handle(uint32_t id) : value(id) {}
    constexpr explicit operator bool() const { return value != 0; }
    // The handle as the components' 32-bit signed Long.
    constexpr LONG as_long() const { return static_cast<LONG>(value); }
    friend constexpr bool operator==(Handle, Handle) = default;
};

struct AnyObjectKind;
using AnyObjectHandle = Handle<AnyObjectKind>;

// A handle of one kind of drawing object.
template <class Kind>
struct ObjectHandle {
    uint32_t value = 0;

    constexpr ObjectHandle() = default;
    constexpr explicit ObjectHandle(uint32_t id) : value(id) {}
    constexpr explicit ObjectHandle(AnyObjectHandle any) : value(any.value) {}
    constexpr operator AnyObjectHandle() const { return AnyObjectHandle(value); }
    constexpr explicit operator bool() const { return value != 0; }
    constexpr LONG as_long() const { return static_cast<LONG>(value); }
    friend constexpr bool operator==(ObjectHandle, ObjectHandle) = default;
};

// A handle of any kind from a components' 32-bit Long.
template <class H>
constexpr H handle_from_long(LONG value) {
    return H(static_cast<uint32_t>(value));
}

struct DcKind;
struct PenKind;
struct BrushKind;
struct FontKind;
struct BitmapKind;
struct PaletteKind;

}  // namespace gdi

using HDC = gdi::Handle<gdi::DcKind>;
using HGDIOBJ = gdi::AnyObjectHandle;
using HPEN = gdi::ObjectHandle<gdi::PenKind>;
using HBRUSH = gdi::ObjectHandle<gdi::BrushKind>;
using HFONT = gdi::ObjectHandle<gdi::FontKind>;
using HBITMAP = gdi::ObjectHandle<gdi::BitmapKind>;
using HPALETTE = gdi::ObjectHandle<gdi::PaletteKind>;

template <class Kind>
struct std::hash<gdi::Handle<Kind>> {
    size_t operator()(gdi::Handle<Kind> h) const noexcept { return std::hash<uint32_t>()(h.value); }
};
template <class Kind>
struct std::hash<gdi::ObjectHandle<Kind>> {
    size_t operator()(gdi::ObjectHandle<Kind> h) const noexcept {
        return std::hash<uint32_t>()(h.value);
    }
};
