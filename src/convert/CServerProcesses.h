#pragma once
// The application processes that one job started, so that the job can end them and no other.
// Applications give no way to ask for their process, so a start is recognised from outside: the
// processes of the application's server program (its class's LocalServer32) that run before the
// creation are never the job's; those that appear while it lasts are. Safe to use from any
// thread: the worker starts applications, the watchdog and the window may end them.
#include "framework/CHandle.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

class CServerProcesses {
public:
    // Destruction forgets the processes; it ends none of them.
    CServerProcesses() = default;
    CServerProcesses(const CServerProcesses&) = delete;
    CServerProcesses& operator=(const CServerProcesses&) = delete;

    // Before application nApp is created from progId: notes which processes of its server
    // program already run.
    void BeginStart(int nApp, const char* progId);
    // After the creation: claims for nApp the processes that appeared meanwhile. When the
    // creation failed nothing can reach them, and they are ended at once.
    void EndStart(int nApp, bool bCreated);
    // Ends nApp's processes that still run; a start in progress claims its new ones first.
    void End(int nApp);
    // Gives each process up to nWaitMs in all to end by itself, then ends those left.
    void EndAll(DWORD nWaitMs);
    // Ends every process now, and every one that a start still claims later.
    void Abandon();
    // The file name of the program that serves progId ("qor.exe"), "" when none is registered.
    static std::string ServerImage(const char* progId);
    // Processes running now whose program has that file name.
    static std::vector<DWORD> ProcessesOf(const std::string& image);

private:
    struct Started {
        int nApp;
        DWORD pid;
        CHandle process;
    };
    struct Starting {
        std::string image;
        std::vector<DWORD> before;
    };

    // Adds the processes of a start in progress that did not run before it; returns them.
    std::vector<HANDLE> Claim(int nApp);
    // Closes nApp's processes that have ended, except those in keep.
    void Forget(int nApp, const std::vector<HANDLE>& keep);
    static void Terminate(HANDLE hProcess);

    std::mutex m_lock;
    std::map<int, Starting> m_starting;
    std::vector<Started> m_started;
    bool m_bAbandoned = false;
};
