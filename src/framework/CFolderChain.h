#pragma once
// The folders on the current path of a recursive walk, known by identity (volume and file
// index) rather than by name, so that a link back to one of them is recognised and not entered.
#include <windows.h>

#include <string>
#include <vector>

class CFolderChain {
public:
    // Enters the folder; FALSE when it is already on the path (a link back to an ancestor).
    // A folder whose identity cannot be read is entered. Each TRUE needs one Leave().
    BOOL Enter(const char* path);
    void Leave();

private:
    // The file index is read for every folder; the volume, which costs the platform far more
    // (under Wine a look at the device, about a millisecond), only when two indices agree.
    struct Id {
        ULONGLONG index; // 0 when unknown
        std::string path;
        int volumeState; // 0 not read yet, 1 read, -1 unreadable
        DWORD volume;
    };
    static ULONGLONG ReadIndex(const char* path);
    static BOOL SameVolume(Id& a, Id& b);
    std::vector<Id> m_path;
};
