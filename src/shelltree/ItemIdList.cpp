#include "shelltree/ItemIdList.h"

namespace itemidlist {

namespace {

LPCITEMIDLIST Next(LPCITEMIDLIST pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + pidl->mkid.cb);
}

} // namespace

UINT GetSize(LPCITEMIDLIST pidl) {
    UINT size = 0;
    for (; pidl != nullptr && pidl->mkid.cb != 0; pidl = Next(pidl))
        size += pidl->mkid.cb;
    return size;
}

LPCITEMIDLIST GetLastItem(LPCITEMIDLIST pidl) {
    if (pidl == nullptr)
        return nullptr;
    LPCITEMIDLIST last = pidl;
    for (; pidl->mkid.cb != 0; pidl = Next(pidl))
        last = pidl;
    return last;
}

} // namespace itemidlist
