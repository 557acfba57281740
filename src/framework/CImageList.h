#pragma once
// Holds an image list. A list it created or was given with Attach is destroyed with the holder
// unless Detach gave it back first (the shared system list must always be detached).
#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // Refuses a null handle and refuses while the holder already holds a list.
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Adds the bitmap's images; pixels of crMask become transparent. Index of the first, or -1.
    int Add(HBITMAP hBitmap, COLORREF crMask);
    int GetImageCount() const;
    BOOL DeleteImageList();

private:
    HIMAGELIST m_hImageList = nullptr;
};
