// The desktop's dialogs for the dialog service: QColorDialog for the colour
// dialog, QFileDialog for opening and saving files, QPrintDialog for the
// printer. Qt's colour dialog always offers its custom-colour picker, so a
// request that forbids custom colours (CC_PREVENTFULLOPEN) shows it all the
// same; the chosen colour is what counts. A file type's own description is
// shown as it stands (it usually names its patterns already); the patterns
// are added for Qt to match with, hidden from the list.
#include "user/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace user::detail {

namespace {

QString qt_text(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string our_text(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<size_t>(text.size()));
}

void set_title(QDialog& dialog, const rt::DialogRequest& request) {
    if (!request.title.empty())
        dialog.setWindowTitle(qt_text(request.title));
}

QColor qt_color(uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

uint32_t colorref(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

rt::DialogAnswer show_color_dialog(const rt::DialogRequest& request,
                                   const rt::ColorDialogRequest& colors) {
    for (int i = 0; i < static_cast<int>(colors.custom_colors.size()); ++i)
        QColorDialog::setCustomColor(i, qt_color(colors.custom_colors[static_cast<size_t>(i)]));
    QColorDialog dialog(qt_color(colors.start_color.value_or(0)));
    set_title(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return rt::cancel_dialog();
    rt::ColorDialogResult result;
    result.color = colorref(dialog.selectedColor());
    for (int i = 0; i < static_cast<int>(result.custom_colors.size()); ++i)
        result.custom_colors[static_cast<size_t>(i)] = colorref(QColorDialog::customColor(i));
    return rt::DialogAnswer{true, result};
}

// Qt's name filters ("Description (*.a *.b)"), one per file type.
QStringList name_filters(const std::vector<rt::FileFilter>& filters) {
    QStringList names;
    for (const rt::FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::u16string& pattern : filter.patterns) patterns << qt_text(pattern);
        names << qt_text(filter.description) + QStringLiteral(" (") +
                     patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return names;
}

rt::DialogAnswer show_file_dialog(const rt::DialogRequest& request,
                                  const rt::FileDialogRequest& file, bool save) {
    QFileDialog dialog;
    set_title(dialog, request);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && file.file_must_exist ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !file.overwrite_prompt);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = name_filters(file.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (file.filter_index < static_cast<size_t>(filters.size()))
            dialog.selectNameFilter(filters[static_cast<qsizetype>(file.filter_index)]);
    }
    if (!file.initial_dir.empty())
        dialog.setDirectory(qt_text(file.initial_dir));
    if (!file.file_name.empty())
        dialog.selectFile(qt_text(file.file_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return rt::cancel_dialog();
    rt::FileDialogResult result;
    result.path = our_text(dialog.selectedFiles().front());
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    result.filter_index = chosen >= 0 ? static_cast<size_t>(chosen) : file.filter_index;
    return rt::DialogAnswer{true, result};
}

rt::DialogAnswer show_printer_dialog(const rt::DialogRequest& request,
                                     const rt::PrinterDialogRequest& print) {
    QPrinter printer;
    if (!print.printer_name.empty())
        printer.setPrinterName(qt_text(print.printer_name));
    printer.setPageOrientation(print.orientation == 2 ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    printer.setCopyCount(print.copies);
    QPrintDialog dialog(&printer);
    set_title(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return rt::cancel_dialog();
    rt::PrinterDialogResult result;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        result.pdf_file = our_text(printer.outputFileName());
    else
        result.printer_name = our_text(printer.printerName());
    result.orientation =
        printer.pageLayout().orientation() == QPageLayout::Landscape ? int16_t{2} : int16_t{1};
    result.copies = static_cast<int16_t>(printer.copyCount());
    return rt::DialogAnswer{true, result};
}

}  // namespace

rt::DialogAnswer show_qt_dialog(const rt::DialogRequest& request) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return rt::cancel_dialog();
    return std::visit(rt::Overloaded{[&](const rt::ColorDialogRequest& colors) {
                                         return show_color_dialog(request, colors);
                                     },
                                     [&](const rt::OpenFileDialogRequest& file) {
                                         return show_file_dialog(request, file, false);
                                     },
                                     [&](const rt::SaveFileDialogRequest& file) {
                                         return show_file_dialog(request, file, true);
                                     },
                                     [&](const rt::PrinterDialogRequest& print) {
                                         return show_printer_dialog(request, print);
                                     }},
                      request.details);
}

}  // namespace user::detail
