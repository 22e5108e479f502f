// Puts new content into a file without ever leaving it cut or destroyed.
#pragma once

#include <string_view>

// Makes the file named fileName hold exactly bytes, and says whether it does.
// On false the file is as it was and nothing is left beside it.
//
// The file stays what it is: where a new file renamed over the old one would
// keep its links, owner and group, that is how it is replaced (the new text
// goes to an unnamed temporary file first); otherwise it is rewritten in
// place, after the room for the new text has been reserved. A symbolic link
// is followed, also to a file not yet there, which is then created; in a
// shared sticky folder only links the kernel's protected-symlinks rule would
// follow. A file without any write permission bit is never touched, whoever
// saves. A text above the process's file size limit is refused.
bool SaveCarefully(const char* fileName, std::string_view bytes);
