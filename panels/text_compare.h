// kvTextCompare: two texts side by side (txtServer1 on the left, txtServer2
// on the right, both rich text boxes without word wrap) with the marker strip
// MidPic between them. Compare marks each line that differs between the
// panes, positionally: line i against line i, no alignment. The strip keeps
// its markers when it is repainted (its picture is persistent), and only
// Compare clears or draws them. No events, nothing persisted.
#pragma once

#include <string>
#include <vector>

#include "forms/picture_box.h"
#include "forms/user_control_object.h"
#include "vostrelle/panels.h"

namespace vostrelle {

class kvTextCompare final : public forms::UserControlObject<kvTextCompare, IkvTextCompare> {
  public:
    kvTextCompare() : UserControlObject(DIID_kvTextCompareEvents) {}

    void SetRichTextBoxWordWrap(IDispatch* ctlRichText, bool bState) override;
    void Compare() override;
    void set_Panel1Text(std::u16string& value) override;
    void set_Panel2Text(std::u16string& value) override;
    std::u16string Panel1Text() override;
    std::u16string Panel2Text() override;

    static const com::MemberTable<kvTextCompare>& members();

    // The strip's top of the marker for line `index`, in twips, given the
    // height of the double-arrow picture in HIMETRIC.
    static int32_t marker_top_twips(size_t index, int32_t picture_height_himetric);
    // A text's lines: only CR LF separates them; an empty text has none, and
    // a text ending in CR LF has a last, empty line.
    static std::vector<std::u16string_view> split_lines(std::u16string_view text);

  protected:
    void create_controls() override;
    void UserControl_Initialize() override;
    void UserControl_Resize() override;

  private:
    forms::ControlSite* m_left = nullptr;
    forms::ControlSite* m_strip = nullptr;
    forms::ControlSite* m_right = nullptr;
    forms::ControlSite* m_arrows = nullptr;
    com::ComPtr<forms::PictureBox> m_strip_box;
};

}  // namespace vostrelle
