#pragma once
#include "convert/IJobEvents.h"
#include "framework/CHandle.h"
#include "shared/ConvertItem.h"

#include <memory>
#include <vector>

class CConverter;

// What Start hands to the worker thread, which owns and frees it.
struct ConvertJob {
    std::shared_ptr<IJobEvents> events; // the owner's ear: told everything, asked twice
    std::vector<ConvertItem> items;     // the entries, in list order
    char szOutputDir[MAX_PATH] = {};    // the output folder as typed
    CConverter** ppConverter = nullptr; // the dialog's converter slot

    // Copies folder into szOutputDir; a text that does not fit is refused, never cut.
    bool SetOutputDir(const char* folder);
};

// The worker thread's body: runs the job from start to end and frees it. Always returns 0.
UINT ConvertThreadProc(LPVOID pParam);
// Runs ConvertThreadProc for job on a new worker thread, which then owns the job. Returns the
// thread's handle, to wait on even after the thread object has gone, and its id; no handle when
// no thread started (the job is then still the caller's).
CHandle StartConvertThread(ConvertJob* job, DWORD* pThreadId = nullptr);
