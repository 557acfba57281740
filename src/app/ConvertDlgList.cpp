// ">>" and "<<": moving work into and out of the conversion list.
#include "app/AddFilesDlg.h"
#include "app/ConvertDlg.h"

#include "res/resource.h"

#include <vector>

void CConvertDlg::OnAddFiles() {
    EnableWindow(FALSE);
    auto* dlg = new CAddFilesDlg;
    if (!dlg->Create(IDD_ADDFILES, this)) {
        delete dlg;
        EnableWindow(TRUE);
        return;
    }
    int type = GetConvertType(m_nDirection, m_nKind);
    CString filter = GetSourceFilter(m_nDirection, m_nKind);
    if (dlg->StartAddThread(&m_shellTree, &m_listTree, filter, type) == nullptr) {
        dlg->DestroyWindow();
        EnableWindow(TRUE);
    }
}

void CConvertDlg::OnRemoveFiles() {
    std::vector<HTREEITEM> selected;
    m_listTree.GetSelectedEntries(selected);
    for (HTREEITEM item : selected)
        m_nFileCount -= m_listTree.FindEntry(item).nFileCount;
    // The list paints once when all are gone, not once per deletion.
    m_listTree.SetRedraw(FALSE);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        m_listTree.RemoveEntry(*it);
        m_listTree.DeleteItem(*it);
    }
    m_listTree.SetRedraw(TRUE);
    m_listTree.Invalidate();
    selected.clear();
    UpdateFileCount(m_nFileCount);
}
