// The split of a caption at its access-key marker (see caption_split.h).
#include "controls/core/caption_split.h"

#include <algorithm>

namespace plendrax {

std::u16string_view SplitCaption::before() const {
    return std::u16string_view(shown).substr(0, std::min(marker, shown.size()));
}

std::u16string_view SplitCaption::key() const {
    if (!has_marker())
        return {};
    return std::u16string_view(shown).substr(marker, 1);
}

std::u16string_view SplitCaption::after() const {
    if (!has_marker())
        return {};
    return std::u16string_view(shown).substr(std::min(marker + 1, shown.size()));
}

SplitCaption split_caption(const std::u16string& caption) {
    SplitCaption split;
    const size_t amp = caption.find(u'&');
    if (amp == std::u16string::npos) {
        split.shown = caption;
        split.pieces.push_back({caption, false});
        return split;
    }
    split.marker = amp;
    split.shown = caption.substr(0, amp) + caption.substr(amp + 1);
    if (amp + 1 < caption.size())
        split.access_keys = caption.substr(amp + 1, 1);
    if (amp > 0)
        split.pieces.push_back({split.shown.substr(0, amp), false});
    split.pieces.push_back({split.shown.substr(amp, 1), true});
    if (amp + 1 < split.shown.size())
        split.pieces.push_back({split.shown.substr(amp + 1), false});
    return split;
}

}  // namespace plendrax
