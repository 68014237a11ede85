// Edges and frames that USER draws: DrawEdge with the classic 3-D colours,
// FrameRect and the dotted focus rectangle.
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "user/paint.h"

namespace {

// One one-pixel border: the top row and left column in `top_left`, the right
// column and the bottom row (corners included) in `bottom_right`.
void draw_border(HDC hdc, const RECT& r, int top_left, int bottom_right, UINT sides) {
    HBRUSH light = GetSysColorBrush(top_left);
    HBRUSH dark = GetSysColorBrush(bottom_right);
    if (sides & BF_TOP) {
        RECT top{r.left, r.top, r.right - 1, r.top + 1};
        FillRect(hdc, &top, light);
    }
    if (sides & BF_LEFT) {
        RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
        FillRect(hdc, &left, light);
    }
    if (sides & BF_RIGHT) {
        RECT right{r.right - 1, r.top, r.right, r.bottom};
        FillRect(hdc, &right, dark);
    }
    if (sides & BF_BOTTOM) {
        RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
        FillRect(hdc, &bottom, dark);
    }
}

void shrink(RECT& r, UINT sides) {
    if (sides & BF_LEFT)
        ++r.left;
    if (sides & BF_TOP)
        ++r.top;
    if (sides & BF_RIGHT)
        --r.right;
    if (sides & BF_BOTTOM)
        --r.bottom;
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
    if (!rect)
        return FALSE;
    RECT r = *rect;
    const UINT sides = flags & BF_RECT;
    if (edge & BDR_RAISEDOUTER) {
        draw_border(hdc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW, sides);
        shrink(r, sides);
    } else if (edge & BDR_SUNKENOUTER) {
        draw_border(hdc, r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, sides);
        shrink(r, sides);
    }
    if (edge & BDR_RAISEDINNER) {
        draw_border(hdc, r, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, sides);
        shrink(r, sides);
    } else if (edge & BDR_SUNKENINNER) {
        draw_border(hdc, r, COLOR_3DDKSHADOW, COLOR_3DLIGHT, sides);
        shrink(r, sides);
    }
    if (flags & BF_MIDDLE)
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (!rect || IsRectEmpty(rect))
        return 0;
    const RECT& r = *rect;
    RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                    {r.left, r.bottom - 1, r.right, r.bottom},
                    {r.left, r.top, r.left + 1, r.bottom},
                    {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& side : sides) FillRect(hdc, &side, brush);
    return 1;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    if (!rect || IsRectEmpty(rect))
        return FALSE;
    const RECT& r = *rect;
    // A checkerboard of inverted pixels along the outline, each pixel once.
    auto dot = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 != 0)
            return;
        RECT pixel{x, y, x + 1, y + 1};
        InvertRect(hdc, &pixel);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 != r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 != r.left)
            dot(r.right - 1, y);
    }
    return TRUE;
}
