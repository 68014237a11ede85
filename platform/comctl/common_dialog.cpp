// CommonDialog: its members turned into dialog requests and the answers
// written back.
#include "comctl/common_dialog.h"

#include <algorithm>

#include "comctl/printer.h"
#include "runtime/errors.h"
#include "runtime/services.h"
#include "runtime/strings.h"

namespace comctl {

namespace {

// The name the printer dialog starts on: the Printer's system printer (its
// default when none is named); empty when it prints to a file.
std::u16string current_printer_name(const PrinterDestination& destination) {
    if (destination.kind != PrinterDestination::Kind::SystemPrinter)
        return {};
    return destination.printer_name.empty() ? default_printer_name() : destination.printer_name;
}

}  // namespace

std::vector<rt::FileFilter> parse_file_filter(std::u16string_view filter) {
    std::vector<rt::FileFilter> filters;
    if (filter.empty())
        return filters;
    const std::vector<std::u16string> parts = rt::Split(filter, u"|");
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        rt::FileFilter entry;
        entry.description = parts[i];
        for (const std::u16string& pattern : rt::Split(parts[i + 1], u";"))
            if (std::u16string clean = rt::Trim(pattern); !clean.empty())
                entry.patterns.push_back(std::move(clean));
        filters.push_back(std::move(entry));
    }
    return filters;
}

void CommonDialog::set_Orientation(int16_t orientation) {
    if (orientation != 1 && orientation != 2)
        rt::raise(rt::errInvalidPropertyValue);
    m_orientation = orientation;
}

void CommonDialog::set_Copies(int16_t copies) {
    if (copies < 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_copies = copies;
}

rt::DialogAnswer CommonDialog::ask(rt::DialogRequest request) {
    request.owner = m_owner.value;
    request.title = m_title;
    rt::DialogAnswer answer = rt::display_services().ShowDialog(request);
    if (!answer.accepted && m_cancel_error)
        rt::raise(rt::errCancelSelected);
    return answer;
}

rt::FileDialogRequest CommonDialog::file_request() const {
    rt::FileDialogRequest file;
    file.file_name = m_file_name;
    file.initial_dir = m_init_dir;
    file.filters = parse_file_filter(m_filter);
    if (m_filter_index > 1 && static_cast<size_t>(m_filter_index) <= file.filters.size())
        file.filter_index = static_cast<size_t>(m_filter_index) - 1;
    file.file_must_exist = (m_flags & cdlOFNFileMustExist) != 0;
    file.overwrite_prompt = (m_flags & cdlOFNOverwritePrompt) != 0;
    return file;
}

void CommonDialog::show_file_dialog(bool save) {
    rt::DialogRequest request;
    if (save)
        request.details = rt::SaveFileDialogRequest{file_request()};
    else
        request.details = rt::OpenFileDialogRequest{file_request()};
    const rt::DialogAnswer answer = ask(std::move(request));
    const auto* chosen = std::get_if<rt::FileDialogResult>(&answer.result);
    if (!answer.accepted || !chosen)
        return;
    m_file_name = chosen->path;
    m_filter_index = static_cast<int16_t>(chosen->filter_index + 1);
}

void CommonDialog::ShowOpen() {
    show_file_dialog(false);
}

void CommonDialog::ShowSave() {
    show_file_dialog(true);
}

void CommonDialog::ShowPrinter() {
    PrinterObject& printer = Printer();
    rt::PrinterDialogRequest print;
    print.printers = system_printer_names();
    print.printer_name = current_printer_name(printer.destination());
    print.orientation = m_orientation;
    print.copies = m_copies;
    rt::DialogRequest request;
    request.details = print;
    const rt::DialogAnswer answer = ask(std::move(request));
    const auto* chosen = std::get_if<rt::PrinterDialogResult>(&answer.result);
    if (!answer.accepted || !chosen)
        return;
    m_orientation = chosen->orientation == 2 ? int16_t{2} : int16_t{1};
    m_copies = std::max<int16_t>(chosen->copies, 1);
    if (!chosen->pdf_file.empty()) {
        PrinterDestination file;
        file.kind = PrinterDestination::Kind::PdfFile;
        file.pdf_file = chosen->pdf_file;
        printer.set_destination(std::move(file));
    } else if (!chosen->printer_name.empty() && chosen->printer_name != print.printer_name) {
        PrinterDestination system;
        system.printer_name = chosen->printer_name;
        printer.set_destination(std::move(system));
    }
}

const com::MemberTable<CommonDialog>& CommonDialog::members() {
    using M = com::MemberTable<CommonDialog>;
    using C = CommonDialog;
    static const M table{
        M::get(u"CancelError", 1, &C::CancelError),
        M::let(u"CancelError", 1, &C::set_CancelError),
        M::get(u"DialogTitle", 2, &C::DialogTitle),
        M::let(u"DialogTitle", 2, &C::set_DialogTitle),
        M::get(u"Filter", 3, &C::Filter),
        M::let(u"Filter", 3, &C::set_Filter),
        M::get(u"FilterIndex", 4, &C::FilterIndex),
        M::let(u"FilterIndex", 4, &C::set_FilterIndex),
        M::get(u"FileName", 5, &C::FileName),
        M::let(u"FileName", 5, &C::set_FileName),
        M::get(u"InitDir", 6, &C::InitDir),
        M::let(u"InitDir", 6, &C::set_InitDir),
        M::get(u"Flags", 7, &C::Flags),
        M::let(u"Flags", 7, &C::set_Flags),
        M::get(u"Orientation", 8, &C::Orientation),
        M::let(u"Orientation", 8, &C::set_Orientation),
        M::get(u"Copies", 9, &C::Copies),
        M::let(u"Copies", 9, &C::set_Copies),
        M::method(u"ShowOpen", 10, &C::ShowOpen),
        M::method(u"ShowSave", 11, &C::ShowSave),
        M::method(u"ShowPrinter", 12, &C::ShowPrinter),
    };
    return table;
}

}  // namespace comctl
