#pragma once
// Item-ID lists in the shell's layout: elements that each start with a 16-bit byte count
// (itself included), closed by a count of 0.
#include <windows.h>

#include <shlobj.h>

namespace itemidlist {

// Bytes of all elements, without the closing two; 0 for a null list.
UINT GetSize(LPCITEMIDLIST pidl);
// The last element (the list itself when it is empty).
LPCITEMIDLIST GetLastItem(LPCITEMIDLIST pidl);

} // namespace itemidlist
