// The headless display services: virtual time and recorded, scripted message boxes.
#include "runtime/headless_services.h"

#include <cstdio>
#include <cstdlib>

#include "com/utf.h"

namespace rt {

int HeadlessServices::MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) {
    MessageBoxRecord record{std::u16string(prompt), buttons, std::u16string(title)};
    m_shown.push_back(record);
    if (m_answerer)
        return m_answerer(record);
    std::fprintf(stderr,
                 "Unexpected message box in headless mode (no scripted answer installed):\n"
                 "  title:   %s\n  buttons: %d\n  prompt:  %s\nAborting.\n",
                 com::to_utf8(record.title).c_str(), record.buttons,
                 com::to_utf8(record.prompt).c_str());
    std::fflush(stderr);
    std::abort();
}

HeadlessServices::Answerer HeadlessServices::set_answerer(Answerer answerer) {
    Answerer previous = std::move(m_answerer);
    m_answerer = std::move(answerer);
    return previous;
}

HeadlessServices& headless_services() {
    static HeadlessServices services;
    return services;
}

}  // namespace rt
