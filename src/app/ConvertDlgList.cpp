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
    const char* filter = GetSourceFilter(m_nDirection, m_nKind);
    if (dlg->StartAddThread(&m_shellTree, &m_listTree, filter, type) == nullptr) {
        dlg->DestroyWindow();
        EnableWindow(TRUE);
    }
}

void CConvertDlg::OnRemoveFiles() {
    std::vector<HTREEITEM> selected;
    for (HTREEITEM item = m_listTree.GetFirstSelectedItem(); item != nullptr;
         item = m_listTree.GetNextSelectedItem(item))
        selected.push_back(item);
    for (HTREEITEM item : selected)
        m_nFileCount -= m_listTree.FindEntry(item).nFileCount;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        m_listTree.RemoveEntry(*it);
        m_listTree.DeleteItem(*it);
    }
    selected.clear();
    UpdateFileCount(m_nFileCount);
}
