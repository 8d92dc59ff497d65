#pragma once

#include <windows.h>

#include <string>

// What the user reads when the events could not be saved to `path` (`error` from the
// platform): the file's name, why in words a user can act on (a name reserved for a device, a
// name or path too long, the folder does not exist, it is a folder, the file is in use by
// another program, it is read-only, the disk is full, access is denied), and that the old file
// is unchanged where there was one (`existed`). Looks at the name, the file and its folder to
// tell the causes apart: the platform gives "access denied" for several of them.
std::wstring SaveFailureText(const std::wstring& path, DWORD error, bool existed);
