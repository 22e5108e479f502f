// The help image that ships beside the program, opened by the shell in the
// user's image viewer; relative to the working directory.
#pragma once

inline const char* const HELP_IMAGE_FILE = "TabulorHelp.gif";
