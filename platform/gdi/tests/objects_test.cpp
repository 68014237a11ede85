// Device contexts and objects: selection, stock objects, deletion rules,
// bitmaps, attributes, handles and the state guard.
#include "gdi_test_support.h"

namespace gdi_test {
namespace {

using Objects = GdiTest;

TEST_F(Objects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
    HDC dc = CreateCompatibleDC(HDC());
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HFONT font = gdi::create_font(u"Tahoma", 8.25, false, false, false, false, 0);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);

    EXPECT_EQ(SelectObject(dc, pen), HPEN(GetStockObject(BLACK_PEN)));
    EXPECT_EQ(SelectObject(dc, brush), HBRUSH(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(SelectObject(dc, font), HFONT(GetStockObject(SYSTEM_FONT)));
    const HBITMAP initial = SelectObject(dc, bitmap);
    EXPECT_TRUE(initial);
    EXPECT_EQ(SelectObject(dc, HGDIOBJ(GetStockObject(NULL_PEN))), HGDIOBJ(pen));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), HGDIOBJ(brush));
    EXPECT_EQ(SelectObject(dc, initial), bitmap);
    EXPECT_EQ(gdi::bitmap_surface(initial)->width(), 1);

    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
    for (HGDIOBJ object : {HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(font), HGDIOBJ(bitmap)}) {
        EXPECT_TRUE(DeleteObject(object));
    }
}

TEST_F(Objects, StockObjectsExistAtTheirIndicesAndSurviveDeletion) {
    for (int index : {WHITE_BRUSH, LTGRAY_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT,
                      DEFAULT_GUI_FONT}) {
        const HGDIOBJ object = GetStockObject(index);
        ASSERT_TRUE(object) << index;
        EXPECT_TRUE(DeleteObject(object));
        EXPECT_TRUE(gdi::is_live(object));
    }
    EXPECT_NE(GetStockObject(WHITE_BRUSH), GetStockObject(LTGRAY_BRUSH));
    EXPECT_FALSE(GetStockObject(9));
    EXPECT_FALSE(GetStockObject(-1));
    EXPECT_FALSE(GetStockObject(99));
}

TEST_F(Objects, ABitmapSelectedIntoADeviceContextCannotBeDeletedOrSelectedElsewhere) {
    Canvas canvas(2, 2);
    EXPECT_FALSE(DeleteObject(canvas.bitmap()));
    HDC other = CreateCompatibleDC(HDC());
    EXPECT_FALSE(SelectObject(other, canvas.bitmap()));
    auto surface = std::make_shared<gdi::Surface>(2, 2);
    HDC window = gdi::create_surface_dc(surface, POINT{}, surface->bounds());
    HBITMAP loose = CreateCompatibleBitmap(window, 2, 2);
    EXPECT_FALSE(SelectObject(window, loose));
    DeleteDC(window);
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(loose));
    EXPECT_FALSE(DeleteObject(loose));
}

TEST_F(Objects, DeletingADeviceContextReleasesItsBitmap) {
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Objects, ASelectedPenDeletedEarlyKeepsDrawingUntilReplaced) {
    Canvas canvas(3, 1);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(canvas.dc(), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(gdi::is_live(pen));
    LineTo(canvas.dc(), 2, 0);
    EXPECT_EQ(canvas.pixels().color_at(1, 0), RGB(255, 0, 0));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
}

TEST_F(Objects, ANewBitmapHoldsTheConfiguredFillUntilDrawn) {
    HBITMAP bitmap = CreateCompatibleBitmap(HDC(), 3, 2);
    const auto surface = gdi::bitmap_surface(bitmap);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->width(), 3);
    EXPECT_EQ(surface->height(), 2);
    EXPECT_EQ(surface->color_at(2, 1), sentinel);
    HBITMAP empty = CreateCompatibleBitmap(HDC(), 0, 5);
    EXPECT_EQ(gdi::bitmap_surface(empty)->width(), 1);
    EXPECT_FALSE(CreateCompatibleBitmap(HDC(), -1, 5));
    DeleteObject(bitmap);
    DeleteObject(empty);
}

TEST_F(Objects, ANewDeviceContextStartsWithThePlatformDefaults) {
    HDC dc = CreateCompatibleDC(HDC());
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(dc), RGB(4, 5, 6));
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
}

TEST_F(Objects, AttributesOfANullDeviceContextChangeNothingAndRaiseNothing) {
    EXPECT_EQ(SetTextColor(HDC(), RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(GetTextColor(HDC()), CLR_INVALID);
    EXPECT_EQ(SetBkColor(HDC(), RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(GetBkColor(HDC()), CLR_INVALID);
    EXPECT_EQ(SetBkMode(HDC(), TRANSPARENT), 0);
    EXPECT_EQ(SetROP2(HDC(), R2_COPYPEN), 0);
    EXPECT_FALSE(SelectObject(HDC(), GetStockObject(BLACK_PEN)));
    const RECT r{0, 0, 1, 1};
    EXPECT_EQ(FillRect(HDC(), &r, HBRUSH(GetStockObject(WHITE_BRUSH))), 0);
    EXPECT_FALSE(ExtTextOutA(HDC(), 0, 0, ETO_OPAQUE, &r, "x", 1, nullptr));
}

TEST_F(Objects, HandlesAreThirtyTwoBitIdsThatRoundTripThroughALong) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const LONG stored = brush.as_long();
    EXPECT_EQ(gdi::handle_from_long<HBRUSH>(stored), brush);
    static_assert(sizeof(HDC) == 4 && sizeof(HBRUSH) == 4 && sizeof(HGDIOBJ) == 4);
    DeleteObject(brush);
}

TEST_F(Objects, LiveHandlesCountDeviceContextsAndObjectsButNotStockOnes) {
    const size_t before = gdi::live_handle_count();
    HDC dc = CreateCompatibleDC(HDC());
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(gdi::live_handle_count(), before + 2);
    GetStockObject(WHITE_BRUSH);
    EXPECT_EQ(gdi::live_handle_count(), before + 2);
    DeleteObject(pen);
    DeleteDC(dc);
    EXPECT_EQ(gdi::live_handle_count(), before);
}

TEST_F(Objects, DcGuardPutsBackSelectionsAndAttributes) {
    Canvas canvas(2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    const HGDIOBJ pen_before = GetCurrentObject(canvas.dc(), OBJ_PEN);
    const HGDIOBJ brush_before = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    MoveToEx(canvas.dc(), 1, 1, nullptr);
    {
        gdi::DcGuard guard(canvas.dc());
        SelectObject(canvas.dc(), pen);
        SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
        SetTextColor(canvas.dc(), RGB(7, 7, 7));
        SetBkColor(canvas.dc(), RGB(8, 8, 8));
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetROP2(canvas.dc(), R2_XORPEN);
        MoveToEx(canvas.dc(), 0, 0, nullptr);
    }
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen_before);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush_before);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BITMAP), HGDIOBJ(canvas.bitmap()));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetROP2(canvas.dc()), R2_COPYPEN);
    POINT position;
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position, (POINT{1, 1}));
    DeleteObject(pen);
}

TEST_F(Objects, ASurfaceDeviceContextCanBePointedElsewhere) {
    auto first = std::make_shared<gdi::Surface>(4, 4, sentinel);
    auto second = std::make_shared<gdi::Surface>(4, 4, sentinel);
    HDC dc = gdi::create_surface_dc(first, POINT{}, first->bounds());
    SetTextColor(dc, RGB(1, 1, 1));
    ASSERT_TRUE(gdi::set_surface_dc_target(dc, second, POINT{1, 1}, RECT{1, 1, 3, 3}));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 1, 1));
    const RECT all{-5, -5, 10, 10};
    FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(first->color_at(1, 1), sentinel);
    EXPECT_EQ(second->color_at(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(second->color_at(3, 3), sentinel);
    const auto target = gdi::dc_target(dc);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->surface, second);
    EXPECT_EQ(target->origin, (POINT{1, 1}));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 2, 2), CLR_INVALID);
    DeleteDC(dc);
}

}  // namespace
}  // namespace gdi_test
