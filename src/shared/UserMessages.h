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
// A job's reports beyond the design's four; lParam a text valid while the message is handled.
constexpr UINT UWM_FILE_FAILED = WM_USER + 107;   // a file failed (one step of the progress)
constexpr UINT UWM_LOG_LINE_LOST = WM_USER + 108; // the failed file's log line was not written
constexpr UINT UWM_JOB_NOTICE = WM_USER + 109;    // posted to itself: the end-of-job notice
