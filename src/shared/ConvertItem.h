#pragma once
#include "framework/CString.h"

#include <commctrl.h>

// One entry of the conversion list and one item of a job.
struct ConvertItem {
    HTREEITEM hItem = nullptr; // the entry's item in the conversion list
    CString strPath;           // full path of the file or folder
    int nFileCount = 0;        // matching files the entry stands for
    int nType = 0;             // its ConvertType
};
