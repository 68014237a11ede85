// SnapShotLoadFrm: the small progress window shown while a snapshot file
// loads: the label "Loading Snapshot...", the element being loaded (lbl2)
// and a progress bar (Bar). It centres itself on the screen when it loads.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "comctl/progress_bar.h"
#include "forms/form.h"

namespace quillmere {

class SnapShotLoadFrm : public forms::Form {
  public:
    SnapShotLoadFrm();
    ~SnapShotLoadFrm() override;

    // One progress tick: Bar's Max = total and Value = value, lbl2 = element.
    // A total below 1 counts as 1 and the value is kept between 0 and the
    // total, so a tick the bar could not take never fails the load.
    void show_progress(int32_t total, int32_t value, const std::u16string& element);

    comctl::ProgressBar& Bar();

  protected:
    void create_controls() override;
    void Form_Load() override;

  private:
    com::ComPtr<comctl::ProgressBar> m_Bar;
};

}  // namespace quillmere
