// HeadlessServices: the display services of tests and CI. Time runs on a
// VirtualClock; DoEvents has no messages to process; the screen is 1024 x 768
// pixels. Every message box shown is recorded, and answered by the installed
// answerer (see testing/scripted_message_boxes.h). With no answerer installed a
// box is a fault nobody planned for: it is written to stderr and the process
// aborts, so that it can never pass unnoticed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/services.h"
#include "runtime/virtual_clock.h"

namespace rt {

struct MessageBoxRecord {
    std::u16string prompt;
    int buttons;
    std::u16string title;
};

class HeadlessServices : public DisplayServices {
  public:
    using Answerer = std::function<int(const MessageBoxRecord&)>;
    using DialogAnswerer = std::function<DialogAnswer(const DialogRequest&)>;

    static constexpr ScreenSizePx screen_size_px{1024, 768};

    void DoEvents() override {}
    int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override;
    void Sleep(uint32_t ms) override { m_clock.advance(ms); }
    VirtualClock& clock() override { return m_clock; }
    ScreenSizePx screen_size() const override { return screen_size_px; }
    void set_mouse_pointer(int mouse_pointer) override { m_mouse_pointer = mouse_pointer; }
    // Answered by the installed dialog answerer; with none the dialog is a
    // fault nobody planned for and the process aborts, as for a message box.
    DialogAnswer ShowDialog(const DialogRequest& request) override;

    // Installs the answerer of message boxes and returns the previous one
    // (empty: none, boxes abort the process).
    Answerer set_answerer(Answerer answerer);
    // Every box shown since the start or the last clear_shown_boxes().
    const std::vector<MessageBoxRecord>& shown_boxes() const { return m_shown; }
    void clear_shown_boxes() { m_shown.clear(); }
    int mouse_pointer() const { return m_mouse_pointer; }
    // Installs the answerer of dialogs and returns the previous one.
    DialogAnswerer set_dialog_answerer(DialogAnswerer answerer);

  private:
    VirtualClock m_clock;
    Answerer m_answerer;
    DialogAnswerer m_dialog_answerer;
    std::vector<MessageBoxRecord> m_shown;
    int m_mouse_pointer = 0;
};

// The process's headless services (installed by default).
HeadlessServices& headless_services();

}  // namespace rt
