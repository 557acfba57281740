#include "framework/CImageList.h"

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (hImageList == nullptr || m_hImageList != nullptr)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

int CImageList::Add(HBITMAP hBitmap, COLORREF crMask) {
    return m_hImageList ? ImageList_AddMasked(m_hImageList, hBitmap, crMask) : -1;
}

int CImageList::GetImageCount() const {
    return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::DeleteImageList() {
    HIMAGELIST hImageList = Detach();
    return hImageList != nullptr && ImageList_Destroy(hImageList);
}
