// The resource registry and the stock cursors.
#include "afx_internal.h"

#include <map>

namespace
{
struct Registry
{
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, std::string> strings;
    std::map<UINT, const char* const*> iconImages;
    std::map<UINT, std::unique_ptr<HICON__>> icons;  // made on first use: needs the application
};

// Built on first use: registrations run during static initialisation, in no
// fixed order with other translation units.
Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}
}  // namespace

void AfxRegisterDialogTemplate(const DialogTemplate& dialogTemplate)
{
    TheRegistry().dialogs[dialogTemplate.id] = dialogTemplate;
}

void AfxRegisterString(UINT nID, const char* text)
{
    TheRegistry().strings[nID] = text;
}

void AfxRegisterIcon(UINT nID, const char* const* xpmLines)
{
    TheRegistry().iconImages[nID] = xpmLines;
    TheRegistry().icons.erase(nID);
}

const DialogTemplate* AfxFindDialogTemplate(UINT nID)
{
    const auto found = TheRegistry().dialogs.find(nID);
    return found != TheRegistry().dialogs.end() ? &found->second : nullptr;
}

const char* AfxFindString(UINT nID)
{
    const auto found = TheRegistry().strings.find(nID);
    return found != TheRegistry().strings.end() ? found->second.c_str() : nullptr;
}

namespace afx
{
HICON IconFromResource(UINT nID)
{
    Registry& registry = TheRegistry();
    const auto made = registry.icons.find(nID);
    if (made != registry.icons.end())
        return made->second.get();
    const auto image = registry.iconImages.find(nID);
    if (image == registry.iconImages.end())
        return nullptr;
    auto icon = std::make_unique<HICON__>();
    icon->pixmap = QPixmap(image->second);
    HICON handle = icon.get();
    registry.icons[nID] = std::move(icon);
    return handle;
}

namespace
{
HCURSOR StockCursor(Qt::CursorShape shape)
{
    static std::map<int, std::unique_ptr<HICON__>> cursors;
    auto& cursor = cursors[shape];
    if (!cursor)
    {
        cursor = std::make_unique<HICON__>();
        cursor->isCursor = true;
        cursor->shape = shape;
    }
    return cursor.get();
}
}  // namespace

HCURSOR ArrowCursor()
{
    return StockCursor(Qt::ArrowCursor);
}

HCURSOR StandardCursor(LPCTSTR name)
{
    if (name == IDC_ARROW)
        return StockCursor(Qt::ArrowCursor);
    if (name == IDC_HAND)
        return StockCursor(Qt::PointingHandCursor);
    return nullptr;
}
}  // namespace afx

HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName)
{
    // Only the system's cursors: the program has no cursor resources.
    return hInstance == nullptr ? afx::StandardCursor(lpCursorName) : nullptr;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return afx::IconFromResource(nIDResource);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return afx::StandardCursor(lpszCursorName);
}
