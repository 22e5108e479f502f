// The one shape of shell call the program makes: the default action on a
// file or address, with no owner window, parameters or folder.
#pragma once

#include "shellapi.h"
#include "testing.h"

#include <gtest/gtest.h>

inline void ExpectShellOpened(const afxtest::ShellCall& call, const char* file)
{
    EXPECT_EQ(call.hwnd, HWND(nullptr));
    EXPECT_EQ(call.operation, "");
    EXPECT_EQ(call.file, file);
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.showCmd, SW_SHOWNORMAL);
}
