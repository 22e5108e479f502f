// The shell's "open this with the desktop's default application".
#pragma once

#include "windef.h"

#ifndef SW_SHOWNORMAL
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#endif

// With the default verb (lpOperation nullptr or "open") opens lpFile, a file
// relative to lpDirectory (or the working directory) or an address, with the
// desktop's default application. Returns a value above 32 on success,
// otherwise an error code: 2 file not found, 31 no application for it.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);
#define ShellExecute ShellExecuteA

#define SE_ERR_FNF 2
#define SE_ERR_NOASSOC 31
