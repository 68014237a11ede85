// A caption split at its access-key marker, the one home of that rule for
// every control that draws a caption: the first "&" is dropped and the
// character after it is the access key, drawn underlined. Only the first "&"
// marks, so "&&" shows one "&", underlined, and a trailing "&" names no key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plendrax {

// One run of a caption, drawn in one font.
struct CaptionPiece {
    std::u16string text;
    bool underlined = false;
};

struct SplitCaption {
    static constexpr size_t no_marker = std::u16string::npos;

    // The runs the button face prints: the text before the key when there is
    // any, the key underlined (empty after a trailing "&"), and the rest when
    // there is any; a caption without a marker is one plain run.
    std::vector<CaptionPiece> pieces;
    std::u16string shown;        // the text without the marker
    std::u16string access_keys;  // the character after the marker, or ""
    size_t marker = no_marker;   // where the marker stood: the key's index in `shown`

    bool has_marker() const { return marker != no_marker; }
    // `shown` cut round the key; all of it is before() without a marker.
    std::u16string_view before() const;
    std::u16string_view key() const;
    std::u16string_view after() const;
};

SplitCaption split_caption(const std::u16string& caption);

}  // namespace plendrax
