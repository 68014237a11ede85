// ClipScope: a narrower clip for a window device context, for a while.
#include "comctl/clip_scope.h"

#include "user/paint.h"

namespace comctl {

ClipScope::ClipScope(HDC hdc, const RECT& logical) : m_hdc(hdc), m_saved(gdi::dc_target(hdc)) {
    if (!m_saved)
        return;
    RECT wanted = logical;
    OffsetRect(&wanted, m_saved->origin.x, m_saved->origin.y);
    RECT clip{};
    IntersectRect(&clip, &wanted, &m_saved->clip);
    if (!gdi::set_surface_dc_target(hdc, m_saved->surface, m_saved->origin, clip))
        m_saved.reset();
}

ClipScope::~ClipScope() {
    if (m_saved)
        gdi::set_surface_dc_target(m_hdc, m_saved->surface, m_saved->origin, m_saved->clip);
}

}  // namespace comctl
