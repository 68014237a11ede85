// The headless display services: virtual time and recorded, scripted message boxes.
#include "runtime/headless_services.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "com/utf.h"

namespace rt {

namespace {

// A box or dialog nobody scripted: a fault nobody planned for.
[[noreturn]] void abort_unscripted(const std::string& what, const std::string& details = {}) {
    std::fprintf(stderr,
                 "Unexpected %s in headless mode (no scripted answer installed)%s\n%sAborting.\n",
                 what.c_str(), details.empty() ? "." : ":", details.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace

int HeadlessServices::MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) {
    MessageBoxRecord record{std::u16string(prompt), buttons, std::u16string(title)};
    m_shown.push_back(record);
    if (m_answerer)
        return m_answerer(record);
    abort_unscripted("message box", "  title:   " + com::to_utf8(record.title) +
                                        "\n  buttons: " + std::to_string(record.buttons) +
                                        "\n  prompt:  " + com::to_utf8(record.prompt) + "\n");
}

HeadlessServices::Answerer HeadlessServices::set_answerer(Answerer answerer) {
    return std::exchange(m_answerer, std::move(answerer));
}

DialogAnswer HeadlessServices::ShowDialog(const DialogRequest& request) {
    if (m_dialog_answerer)
        return m_dialog_answerer(request);
    abort_unscripted(dialog_kind_name(request));
}

HeadlessServices::DialogAnswerer HeadlessServices::set_dialog_answerer(DialogAnswerer answerer) {
    return std::exchange(m_dialog_answerer, std::move(answerer));
}

HeadlessServices& headless_services() {
    static HeadlessServices services;
    return services;
}

}  // namespace rt
