#pragma once
// The main dialog template, modeless, with one tree bound to its control by data exchange and
// every tree notification that reaches the dialog recorded.
#include "framework/CDialog.h"
#include "res/resource.h"

#include <commctrl.h>

#include <vector>

struct RecordedNotify {
    UINT code;
    UINT action;
    HTREEITEM hItem;
    UINT state;
    LPARAM lParam;
    UINT mask;
    POINT ptDrag;
};

template <class TTree> class TreeHostDialog : public CDialog {
public:
    explicit TreeHostDialog(int nTreeId) : CDialog(IDD_CONVERT_DIALOG), m_nTreeId(nTreeId) {}
    ~TreeHostDialog() override { DestroyWindow(); }

    TTree m_tree;
    std::vector<RecordedNotify> m_notes;

    // The recorded notifications of one code (and action, when given), in order.
    std::vector<RecordedNotify> ClickNotes(UINT code, UINT action = ~0u) const {
        std::vector<RecordedNotify> out;
        for (const RecordedNotify& n : m_notes) {
            if (n.code == code && (action == ~0u || n.action == action))
                out.push_back(n);
        }
        return out;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, m_nTreeId, m_tree); }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const NMTREEVIEWA* nm = reinterpret_cast<const NMTREEVIEWA*>(lParam);
        if (CDialog::OnNotify(wParam, lParam, pResult))
            return TRUE;
        if (nm->hdr.hwndFrom == m_tree.m_hWnd &&
            (nm->hdr.code == TVN_SELCHANGINGA || nm->hdr.code == TVN_SELCHANGEDA))
            m_notes.push_back({nm->hdr.code, nm->action, nm->itemNew.hItem, nm->itemNew.state,
                               nm->itemNew.lParam, nm->itemNew.mask, nm->ptDrag});
        return FALSE;
    }

private:
    int m_nTreeId;
};
