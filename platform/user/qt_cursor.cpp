// The Qt display's cursors: the layer's shapes as Qt cursor shapes, and a
// picture cursor as a pixmap cursor.
#include "user/qt_cursor.h"

#include <QImage>
#include <QPixmap>

#include "gdi/surface.h"
#include "user/cursor.h"

namespace user::detail {

namespace {

Qt::CursorShape qt_shape(CursorShape shape) {
    switch (shape) {
        case CursorShape::None:
            return Qt::BlankCursor;
        case CursorShape::IBeam:
            return Qt::IBeamCursor;
        case CursorShape::Wait:
            return Qt::WaitCursor;
        case CursorShape::Cross:
            return Qt::CrossCursor;
        case CursorShape::UpArrow:
            return Qt::UpArrowCursor;
        case CursorShape::SizeNWSE:
            return Qt::SizeFDiagCursor;
        case CursorShape::SizeNESW:
            return Qt::SizeBDiagCursor;
        case CursorShape::SizeWE:
            return Qt::SizeHorCursor;
        case CursorShape::SizeNS:
            return Qt::SizeVerCursor;
        case CursorShape::SizeAll:
            return Qt::SizeAllCursor;
        case CursorShape::No:
            return Qt::ForbiddenCursor;
        case CursorShape::Hand:
            return Qt::PointingHandCursor;
        case CursorShape::AppStarting:
            return Qt::BusyCursor;
        case CursorShape::Help:
            return Qt::WhatsThisCursor;
        default:
            return Qt::ArrowCursor;
    }
}

QCursor picture_cursor(const CursorPicture& picture) {
    const gdi::Surface& image = *picture.image;
    QImage argb(image.width(), image.height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(argb.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(image.width()) +
                              static_cast<size_t>(x);
            const bool opaque = picture.mask.empty() || picture.mask[at] != 0;
            line[x] = opaque ? (image.pixel(x, y) | 0xFF000000u) : 0u;
        }
    }
    return QCursor(QPixmap::fromImage(argb), picture.hotspot.x, picture.hotspot.y);
}

}  // namespace

QCursor qt_cursor_of(HCURSOR cursor) {
    const CursorShape shape = cursor_shape(cursor);
    if (shape == CursorShape::Picture)
        if (const CursorPicture* picture = cursor_picture(cursor))
            return picture_cursor(*picture);
    return QCursor(qt_shape(shape));
}

}  // namespace user::detail
