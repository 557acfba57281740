#pragma once
// One job's conversion engine: which files are sources of a type, where each result goes, the
// recursive folder walk into mirror folders, and the job's stop flag. Every source it meets ends
// converted at its own mirror path or named in the log, and the job's owner hears of each.
#include "convert/CAutomationBridge.h"
#include "convert/IJobEvents.h"
#include "framework/CString.h"

#include <atomic>
#include <set>
#include <string>

class CConverter {
public:
    CConverter() { m_bridge.WatchStopFlag(&m_bRunning); }
    virtual ~CConverter() = default;
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    static CString MapExtension(const CString& ext);
    static CString MakeTargetName(const CString& path);
    static CString GetFolderName(const CString& path);
    static BOOL FolderHasEntries(const CString& path);
    static BOOL IsSourceFile(const CString& path, int nType);
    static BOOL IsSubFolder(const CString& source, const CString& output);
    // The new folder's path, "" when it cannot be made.
    static CString MakeSubFolder(const CString& parent, const CString& name);

    // FALSE when the folder is not yet done: a stop cut the walk short, or a file was left for a
    // later Start because its application could not be started.
    BOOL ConvertFolder(const CString& source, const CString& targetParent, int nType);
    // Virtual so that a front end can watch each file go by; the walk and the worker call it.
    // FALSE when the file is not done, as for ConvertFolder; a failed file is done.
    virtual BOOL ConvertFile(const CString& source, const CString& target, int nType);
    // A source (or folder) that cannot be converted: logged, and the owner told.
    void FailFile(const CString& source);
    // Virtual so that a front end with work still in hand can finish it first.
    virtual void QuitApplications() { m_bridge.Quit(); }
    void EndApplications() { m_bridge.EndApplications(); }
    void SetLogFolder(const CString& folder) { m_bridge.SetLogFolder(folder); }
    // FALSE when the log cannot be made in the output folder.
    BOOL ClearLog() { return m_bridge.ClearLog(); }

    // The dialog's converter slot is shared with the worker that clears it at the end of a job;
    // these three keep Stop and Close away from a converter that the worker is destroying.
    static void StoreInSlot(CConverter** slot, CConverter* converter);
    static CConverter* LoadSlot(CConverter** slot);
    static void StopInSlot(CConverter** slot);
    // Empties the slot if it still holds this converter; true when it did. A converter whose
    // slot was abandoned never touches it again.
    static bool DetachFromSlot(CConverter** slot, CConverter* converter);
    // The slot's owner goes away while its job still runs: the job is stopped, every
    // application it started is ended, and the slot is emptied for good.
    static void AbandonSlot(CConverter** slot);

    // Armed here, before the job is handed over; only Stop and Close change it, to FALSE.
    std::atomic<BOOL> m_bRunning{TRUE};
    IJobEvents* m_pEvents = nullptr; // the job's owner, told of every file
    BOOL m_bSameFolder = FALSE; // the entry walked is the output folder: results beside sources
    CAutomationBridge m_bridge;

protected:
    // Tells the owner and the log how the bridge's conversion of source ended; the result of
    // ConvertFile.
    BOOL SettleFile(const CString& source, const CString& target, int nType,
                    CAutomationBridge::Outcome outcome);
    // Whether this job has written target already; no later source may overwrite it.
    bool WrittenByJob(const CString& target) const;
    // target is this job's result from now on.
    void NoteWritten(const CString& target);
    // A walked source that the front end settles from its listing alone, with no further look
    // at the source; true when it did. The window's job settles none this way.
    virtual bool SettleListed(const CString& /*source*/, const CString& /*target*/,
                              const FILETIME& /*listedWrite*/) {
        return false;
    }

private:
    // Set under the slot lock by AbandonSlot.
    bool m_bAbandoned = false;
    // The targets this job has written, case folded: no later source may overwrite one.
    std::set<std::string> m_written;

    // The folder walk's side of the job: each folder gets its mirror before it is listed, each
    // source met is converted into its folder's mirror.
    class WalkVisitor;
    bool ConvertWalkedFile(const CString& source, const CString& targetFolder, int nType,
                           const FILETIME& listedWrite);
    CString ChooseTargetFolder(const CString& source, const CString& targetParent) const;
};
