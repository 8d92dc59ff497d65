#pragma once

#include <windows.h>

// The family of the running system, as the menus tell them apart: 0 and 1 are the
// Windows 95 family below and from version 4 on, 2 and 3 the NT family below and from
// version 4 on. Set once at start-up.
extern int g_nPlatformClass;

int GetPlatformClass();

// The shells from version 4 on: 3D face colours and edges, and the menu font selected
// for measuring.
BOOL IsNewShell();
