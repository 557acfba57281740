#pragma once
#include <windows.h>

// Messages between the program's own threads; all are sent, except UWM_SCAN_PATH, which the
// counting posts so that it never waits for the add-files box, and UWM_SHELL_ICONS, which the
// source tree's icon thread posts so that it never waits for the tree.
constexpr UINT UWM_ITEM_CONVERTED = WM_USER + 101;  // wParam files done, lParam entry to tick
constexpr UINT UWM_CONVERT_STATE = WM_USER + 102;   // lParam 0 started, 1 finished
constexpr UINT UWM_LIST_COUNT = WM_USER + 103;      // lParam files added to the list
constexpr UINT UWM_IS_ITEM_CHECKED = WM_USER + 104; // lParam entry; answer 1 when ticked
constexpr UINT UWM_SCAN_PATH = WM_USER + 105;       // the source tree has a newer path to show
constexpr UINT UWM_SHELL_ICONS = WM_USER + 106;     // icons for the source tree's items arrived
