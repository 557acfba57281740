#pragma once
// The files a folder entry stands for: every visible file whose extension is one of the list's,
// in the order the file system lists them, each visible sub-folder walked depth first where it
// is met. Hidden entries and the dots are passed by; a link back to a folder on the current path
// is not walked again. The job's walk and the counting before it both go this way.
#include "framework/CExtensionList.h"
#include "framework/CFolderChain.h"
#include "walk/ISourceVisitor.h"

#include <string>
#include <vector>

class CSourceWalk {
public:
    CSourceWalk(const CExtensionList& extensions, ISourceVisitor& visitor)
        : m_extensions(extensions), m_visitor(visitor) {}

    // False when the visitor ended the walk.
    bool Walk(const char* folder);

private:
    // path is the one buffer of the whole walk: each level appends its entries' names to it and
    // leaves it as it found it.
    bool WalkFolder(std::string& path);
    // The full real path of the entry listed as name in folder, the nth so listed there (the
    // ANSI listing gives every name the code page cannot hold with "?", so two may look alike);
    // wideNames is the folder's wide listing, read when first needed.
    static std::wstring FullName(const std::string& folder, const std::string& name, int nth,
                                 std::vector<std::wstring>& wideNames);

    const CExtensionList& m_extensions;
    ISourceVisitor& m_visitor;
    CFolderChain m_chain;
};
