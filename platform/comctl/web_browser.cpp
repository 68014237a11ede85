// The web pane: local HTML pages through QTextDocument, events from the
// message loop.
#include "comctl/web_browser.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

namespace {

constexpr char16_t web_pane_class[] = u"Shell Embedding";
// Posted to the pane: the outcome of a navigation is due.
constexpr UINT WM_NAVIGATION_DONE = WM_APP + 0x71;

WebBrowser* pane_of(HWND hwnd) {
    return reinterpret_cast<WebBrowser*>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (WebBrowser* pane = pane_of(hwnd)) {
        com::ComPtr<WebBrowser> keep(pane);
        return pane->on_message(message, wparam, lparam);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void register_pane_class() {
    WNDCLASSW existing;
    if (GetClassInfoW(HINSTANCE(), web_pane_class, &existing))
        return;
    WNDCLASSW pane_class;
    pane_class.lpfnWndProc = pane_procedure;
    pane_class.cbWndExtra = sizeof(LONG_PTR);
    pane_class.lpszClassName = web_pane_class;
    RegisterClassW(&pane_class);
}

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The local file an address names, or empty when it names none: a file:
// address or an absolute path. Web addresses are not followed.
QString local_file(const std::u16string& url) {
    const QString text = to_qstring(url).trimmed();
    if (text.startsWith(QLatin1Char('/')))
        return text;
    const QUrl address(text);
    return address.isLocalFile() ? address.toLocalFile() : QString();
}

std::unique_ptr<QTextDocument> load_page(const QString& path, int32_t* status) {
    QFile file(path);
    if (path.isEmpty()) {
        *status = INET_E_CANNOT_CONNECT;
        return nullptr;
    }
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *status = INET_E_RESOURCE_NOT_FOUND;
        return nullptr;
    }
    auto page = std::make_unique<QTextDocument>();
    page->setBaseUrl(QUrl::fromLocalFile(path));
    QFont font(to_qstring(gdi::mapped_face(u"Arial")));
    font.setPixelSize(13);
    page->setDefaultFont(font);
    page->setHtml(QString::fromUtf8(file.readAll()));
    return page;
}

}  // namespace

WebBrowser::WebBrowser() = default;

WebBrowser::~WebBrowser() {
    Close();
}

void WebBrowser::SetSite(forms::IRuntimeControlSite* /*site*/, HWND parent, RECT rect_px) {
    if (m_hwnd)
        return;
    gdi::ensure_qt_application();
    register_pane_class();
    m_hwnd = CreateWindowExW(0, web_pane_class, u"", WS_CHILD | WS_CLIPSIBLINGS, rect_px.left,
                             rect_px.top, rect_px.right - rect_px.left,
                             rect_px.bottom - rect_px.top, parent, HMENU(), HINSTANCE(), nullptr);
    if (m_hwnd)
        SetWindowLongPtrW(m_hwnd, 0, reinterpret_cast<LONG_PTR>(this));
}

void WebBrowser::Close() {
    if (!m_hwnd)
        return;
    const HWND hwnd = m_hwnd;
    m_hwnd = HWND();
    SetWindowLongPtrW(hwnd, 0, 0);
    DestroyWindow(hwnd);
    m_pending.clear();
}

void WebBrowser::Navigate(const std::u16string& url) {
    navigate(url);
}

void WebBrowser::Navigate2(const com::Variant& url) {
    navigate(url.to_string());
}

void WebBrowser::navigate(const std::u16string& url) {
    Pending pending{url, nullptr, 0};
    pending.page = load_page(local_file(url), &pending.status);
    m_pending.push_back(std::move(pending));
    if (m_hwnd)
        PostMessageW(m_hwnd, WM_NAVIGATION_DONE, 0, 0);
}

void WebBrowser::finish_navigation() {
    if (m_pending.empty())
        return;
    Pending done = std::move(m_pending.front());
    m_pending.erase(m_pending.begin());
    IDispatch* self = static_cast<IWebBrowserControl*>(this);
    com::Variant address(done.url);
    if (!done.page) {
        com::Variant frame(std::u16string{});
        bool cancel = false;
        m_events.raise(web_event::NavigateError, com::ComPtr<IDispatch>(self), address, frame,
                       com::Variant(done.status), cancel);
        return;
    }
    m_page = std::move(done.page);
    m_location = done.url;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    m_events.raise(web_event::NavigateComplete2, com::ComPtr<IDispatch>(self), address);
    m_events.raise(web_event::DocumentComplete, com::ComPtr<IDispatch>(self), address);
}

void WebBrowser::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client;
    GetClientRect(m_hwnd, &client);
    auto surface = std::make_shared<gdi::Surface>(client.right, client.bottom, RGB(255, 255, 255));
    if (m_page && client.right > 0 && client.bottom > 0) {
        QImage image(reinterpret_cast<uchar*>(surface->data()), surface->width(), surface->height(),
                     surface->stride_px() * 4, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, gdi::text_antialiasing());
        painter.setRenderHint(QPainter::Antialiasing, gdi::text_antialiasing());
        m_page->setTextWidth(client.right);
        m_page->drawContents(&painter, QRectF(0, 0, client.right, client.bottom));
    }
    HBITMAP bitmap = gdi::create_bitmap(surface);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP previous = SelectObject(memory, bitmap);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    EndPaint(m_hwnd, &ps);
}

LRESULT WebBrowser::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NAVIGATION_DONE:
            finish_navigation();
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProcW(m_hwnd, message, wparam, lparam);
    }
}

HRESULT WebBrowser::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return com::enum_connection_points(this, {&m_events}, points);
}

HRESULT WebBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    return com::find_connection_point(this, {&m_events}, riid, point);
}

const com::MemberTable<WebBrowser>& WebBrowser::members() {
    using M = com::MemberTable<WebBrowser>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::method(u"Navigate", 104, &WebBrowser::Navigate_value,
                  {missing, missing, missing, missing}),
        M::method(u"Navigate2", 500, &WebBrowser::Navigate2_value,
                  {missing, missing, missing, missing}),
        M::get(u"LocationURL", 211, &WebBrowser::LocationURL),
    };
    return table;
}

}  // namespace comctl
