// Device contexts, fonts and brushes with GDI's pixel rules.
#include "afx_internal.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

namespace afx
{
namespace
{
std::map<HGDIOBJ, std::unique_ptr<AfxGdiObject>>& ObjectTable()
{
    static std::map<HGDIOBJ, std::unique_ptr<AfxGdiObject>> table;
    return table;
}

QColor BrushColor(const CBrush* brush)
{
    if (brush == nullptr || !IsGdiObject(brush->m_hObject))
        return QColor();
    return static_cast<HBRUSH>(brush->m_hObject)->color;
}

long ColorArg(const QColor& color)
{
    return color.isValid() ? static_cast<long>(FromQColor(color)) : -1L;
}

// GDI normalises the corners and stays inside the right and bottom edges.
QRect InsideRect(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}
}  // namespace

HGDIOBJ AddGdiObject(std::unique_ptr<AfxGdiObject> object)
{
    HGDIOBJ handle = object.get();
    ObjectTable()[handle] = std::move(object);
    return handle;
}

void DeleteGdiObject(HGDIOBJ handle)
{
    ObjectTable().erase(handle);
}

bool IsGdiObject(HGDIOBJ handle)
{
    return handle != nullptr && ObjectTable().count(handle) != 0;
}
}  // namespace afx

// ---------------------------------------------------------------------------
// Fonts and brushes
// ---------------------------------------------------------------------------
CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    afx::DeleteGdiObject(m_hObject);
    m_hObject = nullptr;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (lpLogFont == nullptr || m_hObject != nullptr)
        return FALSE;
    auto font = std::make_unique<HFONT__>();
    font->logFont = *lpLogFont;
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lpLogFont->lfFaceName, LF_FACESIZE);
    font->font = QFont(afx::ToQt(face));
    // A negative height is the character height, a positive one the cell
    // height (here taken as the same pixel size), 0 the default size.
    const LONG height = std::labs(lpLogFont->lfHeight);
    if (height != 0)
        font->font.setPixelSize(static_cast<int>(height));
    font->font.setWeight(static_cast<QFont::Weight>(
        std::clamp(lpLogFont->lfWeight != 0 ? static_cast<int>(lpLogFont->lfWeight) : 400, 100, 900)));
    font->font.setItalic(lpLogFont->lfItalic != 0);
    font->font.setUnderline(lpLogFont->lfUnderline != 0);
    font->font.setStrikeOut(lpLogFont->lfStrikeOut != 0);
    m_hObject = afx::AddGdiObject(std::move(font));
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    auto brush = std::make_unique<HBRUSH__>();
    brush->color = afx::ToQColor(crColor);
    m_hObject = afx::AddGdiObject(std::move(brush));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Device contexts
// ---------------------------------------------------------------------------
HDC__::HDC__(QImage* image) : target(image), painter(std::make_unique<QPainter>(image))
{
    painter->setRenderHint(QPainter::Antialiasing, false);
}

HDC__::HDC__(int cx, int cy)
    : ownImage(std::make_unique<QImage>(std::max(1, cx), std::max(1, cy), QImage::Format_RGB32))
{
    ownImage->fill(Qt::white);
    target = ownImage.get();
    painter = std::make_unique<QPainter>(target);
    painter->setRenderHint(QPainter::Antialiasing, false);
}

HDC__::~HDC__()
{
    if (painter)
        painter->end();
}

CDC::CDC() : m_hDC(nullptr)
{
}

CDC::~CDC()
{
    delete m_hDC;
}

void CDC::Attach(HDC hDC)
{
    m_hDC = hDC;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    const QColor color = afx::BrushColor(pBrush);
    afx::Record({"SelectBrush", {afx::ColorArg(color)}, {}});
    if (m_hDC == nullptr)
        return nullptr;
    CBrush* previous = m_hDC->selectedBrush;
    m_hDC->selectedBrush = pBrush;
    m_hDC->brush = color;
    return previous;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    afx::Record({"SelectFont", {}, {}});
    if (m_hDC == nullptr)
        return nullptr;
    CFont* previous = m_hDC->selectedFont;
    m_hDC->selectedFont = pFont;
    if (pFont != nullptr && afx::IsGdiObject(pFont->m_hObject))
        m_hDC->painter->setFont(static_cast<HFONT>(pFont->m_hObject)->font);
    return previous;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    const QColor color = afx::BrushColor(pBrush);
    afx::Record({"FillRect", {lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, afx::ColorArg(color)}, {}});
    // FillRect does not normalise: an empty or inverted rectangle fills nothing.
    if (m_hDC == nullptr || !color.isValid() || lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top)
        return;
    m_hDC->painter->fillRect(
        QRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top), color);
}

namespace
{
// What Rectangle and Ellipse share: the drawing log, the pixels inside the
// right and bottom edges, and the default one-pixel black pen. Calls draw
// with the painter unless the shape covers no pixel; false without a device.
bool DrawShape(const char* op, HDC hDC, int x1, int y1, int x2, int y2,
               const std::function<void(QPainter&, const QRect&)>& draw)
{
    afx::Record({op, {x1, y1, x2, y2}, {}});
    if (hDC == nullptr)
        return false;
    const QRect inside = afx::InsideRect(x1, y1, x2, y2);
    if (!inside.isEmpty())
    {
        hDC->painter->setPen(QPen(Qt::black, 1));
        draw(*hDC->painter, inside);
    }
    return true;
}
}  // namespace

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    const QColor brush = m_hDC != nullptr ? m_hDC->brush : QColor();
    return DrawShape("Rectangle", m_hDC, x1, y1, x2, y2, [&brush](QPainter& painter, const QRect& inside) {
        if (brush.isValid())
            painter.fillRect(inside, brush);
        painter.setBrush(Qt::NoBrush);
        // An aliased one-pixel outline of a w x h QRect covers w + 1 x h + 1 pixels.
        painter.drawRect(inside.adjusted(0, 0, -1, -1));
    });
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    const QColor brush = m_hDC != nullptr ? m_hDC->brush : QColor();
    return DrawShape("Ellipse", m_hDC, x1, y1, x2, y2, [&brush](QPainter& painter, const QRect& inside) {
        painter.setBrush(brush.isValid() ? QBrush(brush) : QBrush(Qt::NoBrush));
        painter.drawEllipse(inside.adjusted(0, 0, -1, -1));
    });
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(int x, int y)
{
    afx::Record({"MoveTo", {x, y}, {}});
    if (m_hDC == nullptr)
        return CPoint();
    const CPoint previous(m_hDC->position.x(), m_hDC->position.y());
    m_hDC->position = QPoint(x, y);
    return previous;
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    afx::Record({"LineTo", {x, y}, {}});
    if (m_hDC == nullptr)
        return FALSE;
    // Bresenham from the current position, without the end point.
    int x0 = m_hDC->position.x();
    int y0 = m_hDC->position.y();
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int error = dx + dy;
    QVector<QPoint> points;
    while (x0 != x || y0 != y)
    {
        points.append(QPoint(x0, y0));
        const int doubled = 2 * error;
        if (doubled >= dy)
        {
            error += dy;
            x0 += sx;
        }
        if (doubled <= dx)
        {
            error += dx;
            y0 += sy;
        }
    }
    if (!points.isEmpty())
    {
        m_hDC->painter->setPen(QPen(Qt::black, 1));
        m_hDC->painter->drawPoints(points.data(), static_cast<int>(points.size()));
    }
    m_hDC->position = QPoint(x, y);
    return TRUE;
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    afx::Record({"DrawIcon", {x, y}, {}});
    if (m_hDC == nullptr || hIcon == nullptr)
        return FALSE;
    m_hDC->painter->drawPixmap(QRect(x, y, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)), hIcon->pixmap);
    return TRUE;
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return DrawIcon(point.x, point.y, hIcon);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

int GetDeviceCaps(HDC, int nIndex)
{
    switch (nIndex)
    {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return afx::LogicalDpi();
    default:
        return 0;
    }
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex)
    {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}

namespace
{
QSize WindowClientSize(HWND hWnd)
{
    if (const AfxDialogWindow* dialog = afx::AsDialog(hWnd))
        return dialog->ClientSize();
    return hWnd != nullptr && hWnd->widget ? afx::ToDevice(hWnd->widget->size()) : QSize(1, 1);
}
}  // namespace

namespace
{
// A window's device contexts draw into its client image; one made while a
// paint of the same window runs draws nowhere. Returns whether it took the
// window's image.
bool AttachClientImage(CDC& dc, HWND hWnd, bool bPaint)
{
    AfxDialogWindow* dialog = afx::AsDialog(hWnd);
    if (dialog != nullptr && dialog->paintDepth == 0)
    {
        dc.Attach(new HDC__(dialog->BeginPaint(bPaint)));
        return true;
    }
    const QSize size = WindowClientSize(hWnd);
    dc.Attach(new HDC__(size.width(), size.height()));
    return false;
}

void ReleaseClientImage(CDC& dc, HWND hWnd, bool bWindowImage)
{
    delete dc.m_hDC;
    dc.m_hDC = nullptr;
    if (bWindowImage)
        if (AfxDialogWindow* dialog = afx::AsDialog(hWnd))
            dialog->EndPaint();
}
}  // namespace

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_bWindowImage(AttachClientImage(*this, m_hWnd, true))
{
}

CPaintDC::~CPaintDC()
{
    ReleaseClientImage(*this, m_hWnd, m_bWindowImage);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_bWindowImage(AttachClientImage(*this, m_hWnd, false))
{
}

CClientDC::~CClientDC()
{
    ReleaseClientImage(*this, m_hWnd, m_bWindowImage);
}
