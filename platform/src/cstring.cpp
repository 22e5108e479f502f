#include "afxwin.h"
#include "dialog_template.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

int CString::Compare(LPCTSTR psz) const
{
    return std::strcmp(m_str.c_str(), psz != nullptr ? psz : "");
}

CString& CString::MakeLower()
{
    for (char& ch : m_str)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return *this;
}

void CString::Format(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (length < 0)
    {
        va_end(args);
        m_str.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    va_end(args);
    m_str.assign(buffer.data(), static_cast<size_t>(length));
}

BOOL CString::LoadString(UINT nID)
{
    const char* text = AfxFindString(nID);
    m_str = text != nullptr ? text : "";
    return text != nullptr;
}
