#pragma once
// The job's converter as the console runs it: the same engine, showing the file in hand on the
// console and reporting how each file ended; with /update, a file whose target is already as
// new as it is stays as it is. With several instances (/jobs:N) the walk hands each file to an
// idle instance and settles the results here, on the walk's thread, as they come back.
#include "cli/CConsoleEvents.h"
#include "cli/CConvertPool.h"
#include "convert/CConverter.h"

#include <memory>

class CConsoleConverter : public CConverter {
public:
    CConsoleConverter(CConsoleEvents& events, bool bUpdate, int nInstances);

    BOOL ConvertFile(const CString& source, const CString& target, int nType) override;
    // Waits for the files still in hand and settles them before the applications go.
    void QuitApplications() override;

    // Whether target exists as a file last written no earlier than source.
    static bool IsUpToDate(const CString& source, const CString& target);

protected:
    // Under /update, a walked source whose target is as new as its listing: one look-up, at the
    // target, instead of three.
    bool SettleListed(const CString& source, const CString& target,
                      const FILETIME& listedWrite) override;

private:
    // A target this job wrote is another source's result, never this one's.
    bool MayKeep(const CString& target) const { return m_bUpdate && !WrittenByJob(target); }
    void KeepUpToDate(const CString& source, const CString& target);
    // Whether target exists as a file last written no earlier than sourceWrite.
    static bool IsAsNewAs(const CString& target, const FILETIME& sourceWrite);
    // One instance: the engine's own bridge converts the file now.
    BOOL ConvertHere(const CString& source, const CString& target, int nType);
    // Hands the file to an idle instance, settling what comes back while all are busy.
    void HandOver(const CConvertPool::Task& task);
    void Settle(const CConvertPool::Result& result);

    CConsoleEvents& m_events;
    const bool m_bUpdate;
    std::unique_ptr<CConvertPool> m_pool; // null for one instance: the engine's own
    // Applications found not startable by an instance: their files go no further.
    bool m_bUnavailable[2] = {false, false};
};
