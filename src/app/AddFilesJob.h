#pragma once
#include "framework/CString.h"

#include <windows.h>

class CConvertListTree;
class CShellTree;
class CWnd;

// What ">>" hands to the add thread, which owns and frees it.
struct AddFilesJob {
    CShellTree* pSourceTree = nullptr;
    CConvertListTree* pListTree = nullptr;
    CWnd* pMainWnd = nullptr; // receives UWM_LIST_COUNT
    CString strFilter;
    int nType = 0;
    HWND hDlg = nullptr; // the add-files box: the searched paths and the final Cancel
};

// Adds every selected source item with its file count, then reports the total. Returns 0.
UINT AddFilesThreadProc(LPVOID pParam);
