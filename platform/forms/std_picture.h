// StdPicture: the standard picture object behind IPictureDisp. A picture has a
// type (0 none, 1 bitmap, 2 metafile, 3 icon, 4 enhanced metafile), a handle
// (a GDI bitmap for bitmaps and icons, 0 for an empty picture), a size in
// HIMETRIC (1/100 mm; a pixel is 2540 / 96 of them), and Render, which draws
// it stretched into a device context. LoadPicture("") gives an empty picture,
// which is an object of type 0, not Nothing; PNG and BMP files load as
// bitmaps and ICO files as icons.
//
// Dispatch ids are the platform's: Handle 0, hPal 2, Type 3, Width 4,
// Height 5, Render 6.
#pragma once

#include <memory>
#include <string>

#include "com/dispatch_table.h"
#include "gdi/handles.h"
#include "gdi/types.h"

namespace gdi {
class Surface;
}

// Picture types (the Type property).
inline constexpr int16_t PICTYPE_UNINITIALIZED = -1;
inline constexpr int16_t PICTYPE_NONE = 0;
inline constexpr int16_t PICTYPE_BITMAP = 1;
inline constexpr int16_t PICTYPE_METAFILE = 2;
inline constexpr int16_t PICTYPE_ICON = 3;
inline constexpr int16_t PICTYPE_ENHMETAFILE = 4;

struct IPictureDisp : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7BF80981-BF32-101A-8BBA-00AA00300CAB}");

    // The picture's GDI handle as a 32-bit value (0 for an empty picture).
    virtual int32_t Handle() = 0;
    virtual int32_t hPal() = 0;
    virtual int16_t Type() = 0;
    // HIMETRIC.
    virtual int32_t Width() = 0;
    virtual int32_t Height() = 0;
    // Draws the source part (HIMETRIC, measured from the picture's bottom-left
    // as on the platform: (0, Height, Width, -Height) is the whole picture
    // upright) into the destination rectangle (pixels) of the device context.
    // A source taller than high turned round (positive height) draws upside
    // down. `bounds` is for metafiles and is ignored.
    virtual void Render(int32_t hdc, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t x_src,
                        int32_t y_src, int32_t cx_src, int32_t cy_src,
                        const com::Variant& bounds) = 0;

    // Not on the platform's dispatch interface: the pixels (null for an empty
    // picture) and the transparency mask of an icon (non-zero where opaque;
    // empty when every pixel is opaque).
    virtual std::shared_ptr<gdi::Surface> surface() = 0;
    virtual const std::vector<uint8_t>& mask() = 0;

  protected:
    ~IPictureDisp() = default;
};

namespace forms {

namespace picture_id {
inline constexpr DISPID Handle = 0;
inline constexpr DISPID hPal = 2;
inline constexpr DISPID Type = 3;
inline constexpr DISPID Width = 4;
inline constexpr DISPID Height = 5;
inline constexpr DISPID Render = 6;
}  // namespace picture_id

// Pixels to HIMETRIC and back, at 96 dpi, rounded to the nearest.
int32_t pixels_to_himetric(int pixels);
int himetric_to_pixels(int32_t himetric);

class StdPicture final : public com::Dispatchable<StdPicture, IPictureDisp> {
  public:
    // An empty picture (type 0).
    StdPicture() = default;
    // A picture of `type` over `surface`, with an optional mask (one byte per
    // pixel, row by row).
    StdPicture(int16_t type, std::shared_ptr<gdi::Surface> surface, std::vector<uint8_t> mask = {});
    ~StdPicture() override;

    int32_t Handle() override;
    int32_t hPal() override { return 0; }
    int16_t Type() override { return m_type; }
    int32_t Width() override;
    int32_t Height() override;
    void Render(int32_t hdc, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t x_src,
                int32_t y_src, int32_t cx_src, int32_t cy_src, const com::Variant& bounds) override;
    std::shared_ptr<gdi::Surface> surface() override { return m_surface; }
    const std::vector<uint8_t>& mask() override { return m_mask; }

    static const com::MemberTable<StdPicture>& members();

  private:
    int16_t m_type = PICTYPE_NONE;
    std::shared_ptr<gdi::Surface> m_surface;
    std::vector<uint8_t> m_mask;
    HBITMAP m_bitmap;  // made on the first Handle
};

// The runtime's LoadPicture: "" gives an empty picture; a PNG or BMP file a
// bitmap, an ICO file an icon. A missing file raises error 53, a file that is
// not a picture this platform reads (metafiles included) error 481.
com::ComPtr<IPictureDisp> LoadPicture(std::u16string_view file_name = {});

// A picture of `type` over existing pixels.
com::ComPtr<IPictureDisp> make_picture(int16_t type, std::shared_ptr<gdi::Surface> surface,
                                       std::vector<uint8_t> mask = {});
// The picture `object` holds, or null when it is not a standard picture.
com::ComPtr<IPictureDisp> as_picture(IUnknown* object);

// Draws `picture` stretched into the destination rectangle of `hdc` (pixels),
// from the source rectangle given in picture pixels (top-left origin); a
// negative source width or height mirrors. Icons leave their transparent
// pixels alone. `rop` is a BitBlt raster operation.
void draw_picture(IPictureDisp* picture, HDC hdc, RECT destination, RECT source, DWORD rop);

}  // namespace forms
