#pragma once
#include <windows.h>

// How long the automation calls of a job may take. A call that an application rejects while it
// is busy is tried again every nRetryPauseMs until nRetryTimeMs have passed; a call that has
// not returned after nCallLimitMs, or nStopGraceMs after the job was stopped, has its
// application ended; at the end of a job each application this job started gets nQuitWaitMs
// to end by itself before it is ended.
struct CallLimits {
    DWORD nRetryPauseMs;
    DWORD nRetryTimeMs;
    DWORD nCallLimitMs;
    DWORD nStopGraceMs;
    DWORD nQuitWaitMs;

    // The limits every job of this program keeps. Defined alone in its own file, so that a test
    // build of the program can link shorter ones in its place; nothing else changes them.
    static CallLimits ForJobs();
};
