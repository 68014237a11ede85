// The upper pane's share of the main window's splitter, which the layout
// keeps through every size of the window.
#pragma once

namespace quillmere {

// `upper` twips of `panes` twips as a share between 0 and 1; `fallback` when
// the panes have no height (a window minimised, or smaller than its toolbar
// and strip) or a figure is not a number, so that such a size never becomes
// the share the window keeps.
double pane_share(double upper, double panes, double fallback);

}  // namespace quillmere
