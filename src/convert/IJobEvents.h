#pragma once
// What a running job tells its owner, and the two things it asks; every call comes from the
// worker thread, in the order things happen. The window and tandrelc each answer in their way.
#include "framework/CString.h"

#include <commctrl.h>

#include <string>

class IJobEvents {
public:
    virtual ~IJobEvents() = default;

    virtual void OnJobStarted() = 0;
    // Whether an entry was ticked before it came up: then it is skipped with its nFiles.
    virtual bool IsEntryDone(HTREEITEM hItem) = 0;
    virtual void OnEntrySkipped(int nFiles) = 0;
    virtual void OnEntryDone(HTREEITEM hItem) = 0;
    virtual void OnFileConverted(const CString& source) = 0;
    // A source (or a folder that could not be listed) that the job could not convert; it is
    // named in the log unless OnLogLineLost follows.
    virtual void OnFileFailed(const CString& source) = 0;
    virtual void OnLogLineLost(const CString& source) = 0;
    // A source (or folder) whose name the code page cannot hold, as source has it with "?", and
    // its real full name, for an owner that can show it; OnFileFailed follows.
    virtual void OnNameNotHeld(const CString&, const std::wstring&) {}
    // Told once per application and job; text says which application.
    virtual void OnApplicationNotStarted(const char* text) = 0;
    // The output folder lies inside this folder entry: true skips the entry, false ends the job.
    virtual bool SkipEntryHoldingOutput(const CString& entry) = 0;
    virtual void OnJobFinished() = 0;
};
