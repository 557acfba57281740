#pragma once
// A path's item in a source tree of this process, found as a person finds it: under the computer
// folder (the item a freshly filled tree selects), each folder on the way opened.
#include "framework/MbcsText.h"
#include "shelltree/CShellTree.h"

#include <string>

// The child of parent whose path is path, without regard to case; null when there is none.
inline HTREEITEM ChildWithPath(CShellTree& tree, HTREEITEM parent, const std::string& path) {
    for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h)) {
        if (tree.GetItemPath(h).CompareNoCase(path.c_str()) == 0)
            return h;
    }
    return nullptr;
}

// The item of relative ("a\\b.doc"; "" for the drive itself) below a drive root such as "X:\\".
inline HTREEITEM ShellItemOf(CShellTree& tree, const std::string& root,
                             const std::string& relative) {
    HTREEITEM item = ChildWithPath(tree, tree.GetSelectedItem(), root);
    std::string path = root;
    for (size_t start = 0; item != nullptr && start < relative.size();) {
        size_t end = mbcs::FindChar(relative, '\\', start);
        if (end == mbcs::npos)
            end = relative.size();
        path = mbcs::JoinPath(path, relative.substr(start, end - start));
        start = end + 1;
        tree.Expand(item, TVE_EXPAND);
        item = ChildWithPath(tree, item, path);
    }
    return item;
}
