#pragma once
// Counting the files an entry stands for, as ">>" and tandrelc do before a job: a folder's
// source files by the walk's rules (and one for each name the job will log as one the code page
// cannot hold), or 1 for a file of a source extension.
#include "framework/CExtensionList.h"
#include "walk/ISourceVisitor.h"

#include <atomic>
#include <functional>

class CSourceCount : private ISourceVisitor {
public:
    // Every entry the count examines is handed to examine, when there is one.
    using Examine = std::function<void(const char* path)>;

    CSourceCount(const CExtensionList& extensions, const std::atomic<int>& bContinue,
                 Examine examine = nullptr)
        : m_extensions(extensions), m_bContinue(bContinue), m_examine(std::move(examine)) {}

    // The count of an entry by its path: a folder's (see HasMatchingContent) or a file's.
    int CountPath(const char* path);
    int CountFolder(const char* path);
    // 1 for a path of an extension in the list, whatever it is; 0 otherwise.
    int CountFile(const char* path);
    // Whether a path is walked as a folder when counted: a drive root, a folder with a
    // sub-folder, or one with a visible file of an extension in the list.
    static bool HasMatchingContent(const char* path, const CExtensionList& extensions,
                                   bool bShowFiles);

    // Files are counted only while this is set; folders are walked all the same.
    bool m_bShowFiles = true;

private:
    bool GoOn() override { return m_bContinue != 0; }
    void OnEntry(const char* path) override;
    void OnSourceFile(const char*, const FILETIME&) override;
    void OnFolderUnlisted(const char*) override {}
    // The job logs each such name as a failure: counted, so that the count, the progress and
    // the log agree.
    void OnNameNotHeld(const char* path, const std::wstring&) override {
        OnSourceFile(path, FILETIME());
    }

    const CExtensionList& m_extensions;
    const std::atomic<int>& m_bContinue; // cleared by Cancel or Ctrl+C
    Examine m_examine;
    int m_nCount = 0;
};
