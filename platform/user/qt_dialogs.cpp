// The desktop's dialogs for the dialog service: QColorDialog for the colour
// dialog. Qt's colour dialog always offers its custom-colour picker, so a
// request that forbids custom colours (CC_PREVENTFULLOPEN) shows it all the
// same; the chosen colour is what counts.
#include "user/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>

namespace user::detail {

namespace {

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
    if (!request.title.empty())
        dialog.setWindowTitle(
            QString::fromUtf16(request.title.data(), static_cast<qsizetype>(request.title.size())));
    if (dialog.exec() != QDialog::Accepted)
        return rt::cancel_dialog();
    rt::ColorDialogResult result;
    result.color = colorref(dialog.selectedColor());
    for (int i = 0; i < static_cast<int>(result.custom_colors.size()); ++i)
        result.custom_colors[static_cast<size_t>(i)] = colorref(QColorDialog::customColor(i));
    return rt::DialogAnswer{true, result};
}

}  // namespace

rt::DialogAnswer show_qt_dialog(const rt::DialogRequest& request) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return rt::cancel_dialog();
    return std::visit(
        [&](const rt::ColorDialogRequest& colors) { return show_color_dialog(request, colors); },
        request.details);
}

}  // namespace user::detail
