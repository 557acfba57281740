#pragma once
// A source tree in the main dialog template, filled from the shell, over a test folder that has a
// drive letter of its own.
#include "shelltree/CShellTree.h"

#include "TempDir.h"
#include "TestDrive.h"
#include "TreeHostDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern const char kWordFilter[];

class ShellTreeFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CShellTree& tree() { return dlg.m_tree; }

    // The computer folder's item for the test drive (after SetFilter).
    HTREEITEM DriveItem();
    // SetFilter(TRUE, filter), then that item expanded.
    HTREEITEM ExpandedDrive(const char* filter = kWordFilter);
    // The child of hParent whose path ends in name.
    HTREEITEM Child(HTREEITEM hParent, const std::string& name);
    std::vector<HTREEITEM> Children(HTREEITEM hParent);
    // Last path components of the children, in tree order.
    std::vector<std::string> ChildNames(HTREEITEM hParent);
    int ChildrenFlag(HTREEITEM hItem);
    void Hide(const std::string& relative);
    // Expands or collapses as the user does, with the item's button (the control notifies a
    // collapse, and an expansion after the first, only then).
    void ClickButton(HTREEITEM hItem);

    TempDir dir{"shelltree"};
    TestDrive* drive = nullptr;
    TreeHostDialog<CShellTree> dlg{IDC_SHELL_TREE};
};
