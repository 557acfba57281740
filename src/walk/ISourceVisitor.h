#pragma once
// What a walk of an entry's folders tells the one who asked for it, in the order it meets things.
#include <windows.h>

#include <string>

class ISourceVisitor {
public:
    virtual ~ISourceVisitor() = default;

    // Asked before each folder is entered and before each entry is looked at: false ends the
    // whole walk at once (Stop, Cancel).
    virtual bool GoOn() = 0;
    // Every entry the file system lists, the dots and hidden ones too.
    virtual void OnEntry(const char*) {}
    // A folder about to be listed (the first one too), and the same folder when it is done.
    virtual void OnFolderEnter(const char*) {}
    virtual void OnFolderLeave() {}
    // A visible file whose extension is one of the walk's, with its time of last writing as the
    // listing gave it (the file may have changed or gone since).
    virtual void OnSourceFile(const char* path, const FILETIME& listedWrite) = 0;
    // A folder that cannot be listed (too long, access denied): what it holds is out of reach.
    virtual void OnFolderUnlisted(const char* path) = 0;
    // A visible sub-folder, or a file of one of the walk's extensions, whose name the code page
    // cannot hold: path has "?" for each such character, as the ANSI functions give it, and
    // cannot be opened; fullName is the real one. Such a folder is not entered.
    virtual void OnNameNotHeld(const char* path, const std::wstring& fullName) = 0;
};
