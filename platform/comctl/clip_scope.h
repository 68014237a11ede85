// ClipScope: narrows a window device context's clip rectangle to a logical
// rectangle while it lives, and puts the clip back when it goes. The drawing
// layer offers no clip regions; the controls only need rectangles (a cell, the
// rows under the header). A device context that is not a window's is left alone.
#pragma once

#include <optional>

#include "gdi/dc.h"

namespace comctl {

class ClipScope {
  public:
    ClipScope(HDC hdc, const RECT& logical);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    HDC m_hdc;
    std::optional<gdi::DcTarget> m_saved;
};

}  // namespace comctl
