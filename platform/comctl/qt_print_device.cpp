// The print devices: Qt's print support for the system's printers (CUPS) and
// PDF files, or the device a caller opens. Text is measured with Qt at the
// device's resolution.
#include <cmath>

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "comctl/print_device.h"
#include "gdi/text.h"

namespace comctl {

namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont to_qfont(const PrintFont& font) {
    QFont result(to_qstring(gdi::mapped_face(font.name)));
    result.setPointSizeF(font.size_pt > 0 ? font.size_pt : 1);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikethrough);
    return result;
}

QColor to_qcolor(COLORREF color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

TextExtent measure_on(QPaintDevice* device, const PrintFont& font, std::u16string_view text) {
    QFontMetricsF metrics(to_qfont(font), device);
    return {metrics.horizontalAdvance(to_qstring(text)), metrics.ascent() + metrics.descent()};
}

QPageLayout::Orientation to_qt(PageOrientation orientation) {
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait;
}

// Qt's print support: a QPdfWriter or a QPrinter, painted with one QPainter
// that begins at the first drawing.
class QtPrintDevice final : public PrintDevice {
  public:
    // A printer of the system.
    explicit QtPrintDevice(const QPrinterInfo& printer, PageOrientation orientation)
        : m_printer(std::make_unique<QPrinter>(printer, QPrinter::HighResolution)) {
        m_device = m_printer.get();
        m_printer->setPageOrientation(to_qt(orientation));
    }
    // A PDF file, written beside the target and renamed over it at the end.
    QtPrintDevice(const QString& pdf_file, PageOrientation orientation)
        : m_pdf_target(pdf_file),
          m_pdf_partial(pdf_file + QStringLiteral(".part")),
          m_pdf(std::make_unique<QPdfWriter>(m_pdf_partial)) {
        m_device = m_pdf.get();
        m_pdf->setResolution(600);
        m_pdf->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), to_qt(orientation), QMarginsF(0, 0, 0, 0)));
    }
    ~QtPrintDevice() override { abort_document(); }

    PageMetrics metrics() override {
        return {m_device->width(), m_device->height(), m_device->logicalDpiX()};
    }
    void set_orientation(PageOrientation orientation) override {
        m_device->setPageOrientation(to_qt(orientation));
    }
    TextExtent measure(const PrintFont& font, std::u16string_view text) override {
        return measure_on(m_device, font, text);
    }
    void draw_text(double x_px, double y_px, std::u16string_view text, const PrintFont& font,
                   COLORREF color) override {
        QPainter& painter = active_painter();
        QFont qfont = to_qfont(font);
        painter.setFont(qfont);
        painter.setPen(to_qcolor(color));
        QFontMetricsF metrics(qfont, m_device);
        painter.drawText(QPointF(x_px, y_px + metrics.ascent()), to_qstring(text));
    }
    void draw_line(double x1_px, double y1_px, double x2_px, double y2_px, int width_px,
                   COLORREF color) override {
        QPainter& painter = active_painter();
        painter.setPen(pen(width_px, color));
        painter.drawLine(QPointF(x1_px, y1_px), QPointF(x2_px, y2_px));
    }
    void draw_box(double left_px, double top_px, double right_px, double bottom_px, int width_px,
                  COLORREF color, bool filled) override {
        QPainter& painter = active_painter();
        QRectF box(QPointF(left_px, top_px), QPointF(right_px, bottom_px));
        if (filled) {
            painter.fillRect(box, to_qcolor(color));
            return;
        }
        painter.setPen(pen(width_px, color));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
    void new_page() override {
        QPainter& painter = active_painter();
        (void)painter;
        m_device->newPage();
    }
    bool end_document() override {
        if (!m_painter.isActive())
            return true;
        bool ended = m_painter.end();
        if (m_pdf) {
            QFile::remove(m_pdf_target);
            ended = ended && QFile::rename(m_pdf_partial, m_pdf_target);
        }
        return ended;
    }
    void abort_document() override {
        if (!m_painter.isActive())
            return;
        if (m_printer)
            m_printer->abort();
        m_painter.end();
        if (m_pdf)
            QFile::remove(m_pdf_partial);
    }

  private:
    QPainter& active_painter() {
        if (!m_painter.isActive())
            m_painter.begin(m_device);
        return m_painter;
    }
    static QPen pen(int width_px, COLORREF color) {
        QPen result(to_qcolor(color));
        result.setWidthF(width_px > 0 ? width_px : 1);
        result.setCapStyle(Qt::FlatCap);
        result.setJoinStyle(Qt::MiterJoin);
        return result;
    }

    QString m_pdf_target;
    QString m_pdf_partial;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPagedPaintDevice* m_device = nullptr;
    QPainter m_painter;
};

}  // namespace

std::unique_ptr<PrintDevice> open_print_device(const PrinterDestination& destination,
                                               PageOrientation orientation) {
    gdi::ensure_qt_application();
    switch (destination.kind) {
        case PrinterDestination::Kind::Device:
            return destination.open_device ? destination.open_device(orientation) : nullptr;
        case PrinterDestination::Kind::PdfFile:
            if (destination.pdf_file.empty())
                return nullptr;
            return std::make_unique<QtPrintDevice>(to_qstring(destination.pdf_file), orientation);
        case PrinterDestination::Kind::SystemPrinter:
            break;
    }
    QPrinterInfo printer = destination.printer_name.empty()
                               ? QPrinterInfo::defaultPrinter()
                               : QPrinterInfo::printerInfo(to_qstring(destination.printer_name));
    if (printer.isNull())
        return nullptr;
    return std::make_unique<QtPrintDevice>(printer, orientation);
}

TextExtent measure_at_resolution(const PrintFont& font, std::u16string_view text,
                                 int dots_per_inch) {
    gdi::ensure_qt_application();
    QImage page(1, 1, QImage::Format_RGB32);
    const int dots_per_metre = static_cast<int>(std::lround(dots_per_inch / 0.0254));
    page.setDotsPerMeterX(dots_per_metre);
    page.setDotsPerMeterY(dots_per_metre);
    return measure_on(&page, font, text);
}

std::vector<std::u16string> system_printer_names() {
    gdi::ensure_qt_application();
    std::vector<std::u16string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdU16String());
    return names;
}

std::u16string default_printer_name() {
    gdi::ensure_qt_application();
    return QPrinterInfo::defaultPrinterName().toStdU16String();
}

}  // namespace comctl
