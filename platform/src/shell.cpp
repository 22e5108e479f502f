#include "shellapi.h"

#include "afx_internal.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstring>

namespace
{
// Success values of ShellExecute are any above 32.
const std::intptr_t SHELL_SUCCESS = 42;

HINSTANCE ShellResult(std::intptr_t code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

bool IsAddress(const QString& file)
{
    const QUrl url(file);
    return url.isValid() && url.scheme().size() > 1 && (file.contains("://") || url.scheme() == "mailto");
}
}  // namespace

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd)
{
    if (afx::g_onShellExecute)
    {
        afx::g_onShellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
        return ShellResult(SHELL_SUCCESS);
    }
    // Only the default verb: open with the desktop's default application.
    if (lpFile == nullptr || (lpOperation != nullptr && std::strcmp(lpOperation, "open") != 0))
        return ShellResult(SE_ERR_NOASSOC);
    const QString file = afx::ToQt(lpFile);
    QUrl url;
    if (IsAddress(file))
    {
        url = QUrl(file);
    }
    else
    {
        const QDir base(lpDirectory != nullptr && *lpDirectory != '\0' ? afx::ToQt(lpDirectory) : QDir::currentPath());
        const QFileInfo info(base, file);
        if (!info.exists())
            return ShellResult(SE_ERR_FNF);
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return ShellResult(QDesktopServices::openUrl(url) ? SHELL_SUCCESS : SE_ERR_NOASSOC);
}
