#pragma once
#include "common/BusyFilter.h"
#include "common/ServerIdentity.h"

#include <string>

// The process of one stand-in server. Started with /RegServer or /UnregServer it registers or
// unregisters its class and ends; started by COM (-Embedding) it offers one object (single use,
// so that a server that dies never blocks the next start; in the single-process mode, every
// object) and serves until no object is left or it is asked to end.
class ServerProcess : public ObjectServer {
public:
    ServerProcess(const ServerIdentity& identity, CreateTopObject createTop);

    // The whole life of the process, from its command line; returns the exit code.
    int Run();
    const ServerIdentity& Identity() const { return m_identity; }
    // Whether format is one of this application's own.
    bool HasFormat(const std::string& format) const;

    AutomationObject* CreateTop() override { return m_createTop(*this); }
    // Objects and class-factory locks keep the process alive; the last one gone ends it.
    void Lock() override;
    void Unlock() override;
    // Ends the process shortly after the call in progress has been answered, objects or not.
    void Quit();
    // The application is busy for the next count automation calls: it rejects them.
    void RejectCalls(DWORD count) { m_busy.RejectNext(count); }

private:
    int Serve();
    void RunMessageLoop();
    void EndSoon();
    // Whether the process ends now, when the timer that EndSoon set has run out.
    bool Ending();

    const ServerIdentity& m_identity;
    CreateTopObject m_createTop;
    LONG m_locks = 0;
    bool m_quitting = false;
    bool m_bSingleProcess = false; // every creation served here (the Work value)
    UINT_PTR m_endTimer = 0;
    BusyFilter m_busy;
};
