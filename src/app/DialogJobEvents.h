#pragma once
// The main window's side of a job's events: the reports go to the dialog as its window messages;
// an application that cannot be started and an output folder inside a folder entry are told and
// asked in the boxes the window has always shown, on the worker's thread, which waits for them.
#include "convert/CWindowJobEvents.h"

class CDialogJobEvents : public CWindowJobEvents {
public:
    using CWindowJobEvents::CWindowJobEvents;

    void OnApplicationNotStarted(const char* text) override;
    bool SkipEntryHoldingOutput(const CString& entry) override;
};
