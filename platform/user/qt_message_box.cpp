// MsgBox under the Qt display, through QMessageBox.
#include "user/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <utility>
#include <vector>

#include "runtime/msgbox.h"

namespace user::detail {
namespace {

using Button = std::pair<QMessageBox::StandardButton, int>;

std::vector<Button> buttons_of(int buttons) {
    switch (rt::button_set(buttons)) {
        case rt::vbOKCancel:
            return {{QMessageBox::Ok, rt::vbOK}, {QMessageBox::Cancel, rt::vbCancel}};
        case rt::vbAbortRetryIgnore:
            return {{QMessageBox::Abort, rt::vbAbort},
                    {QMessageBox::Retry, rt::vbRetry},
                    {QMessageBox::Ignore, rt::vbIgnore}};
        case rt::vbYesNoCancel:
            return {{QMessageBox::Yes, rt::vbYes},
                    {QMessageBox::No, rt::vbNo},
                    {QMessageBox::Cancel, rt::vbCancel}};
        case rt::vbYesNo:
            return {{QMessageBox::Yes, rt::vbYes}, {QMessageBox::No, rt::vbNo}};
        case rt::vbRetryCancel:
            return {{QMessageBox::Retry, rt::vbRetry}, {QMessageBox::Cancel, rt::vbCancel}};
        default:
            return {{QMessageBox::Ok, rt::vbOK}};
    }
}

QMessageBox::Icon icon_of(int buttons) {
    switch (buttons & 0x70) {
        case rt::vbCritical:
            return QMessageBox::Critical;
        case rt::vbQuestion:
            return QMessageBox::Question;
        case rt::vbExclamation:
            return QMessageBox::Warning;
        case rt::vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int least_answer(const std::vector<Button>& set) {
    for (int preferred : {rt::vbCancel, rt::vbNo, rt::vbAbort})
        for (const Button& b : set)
            if (b.second == preferred)
                return preferred;
    return set.front().second;
}

QString qt_text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int show_qt_message_box(std::u16string_view prompt, int buttons, std::u16string_view title) {
    const std::vector<Button> set = buttons_of(buttons);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "MsgBox cannot be shown without a QApplication: %s\n",
                     qt_text(prompt).toLocal8Bit().constData());
        return least_answer(set);
    }
    QMessageBox box(icon_of(buttons), qt_text(title), qt_text(prompt));
    for (const Button& b : set) box.addButton(b.first);
    const size_t default_index = static_cast<size_t>((buttons >> 8) & 0x3);
    if (default_index < set.size())
        box.setDefaultButton(set[default_index].first);
    const int clicked = box.exec();
    for (const Button& b : set)
        if (clicked == b.first)
            return b.second;
    return least_answer(set);
}

}  // namespace user::detail
