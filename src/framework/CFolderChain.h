#pragma once
// The folders on the current path of a recursive walk, known by identity (volume and file
// index) rather than by name, so that a link back to one of them is recognised and not entered.
#include <windows.h>

#include <vector>

class CFolderChain {
public:
    // Enters the folder; FALSE when it is already on the path (a link back to an ancestor).
    // A folder whose identity cannot be read is entered. Each TRUE needs one Leave().
    BOOL Enter(const char* path);
    void Leave();

private:
    struct Id {
        bool known;
        DWORD volume, high, low;
    };
    static Id Identify(const char* path);
    std::vector<Id> m_path;
};
