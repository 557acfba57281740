#pragma once
#include "common/AutomationObject.h"

#include <string>

// A collection that opens stand-in files: the word processor's documents, the spreadsheet's
// workbooks. Opening applies the open faults configured for the file, reads it and answers with
// the opened object.
class FileCollection : public AutomationObject {
protected:
    FileCollection(ServerProcess& server, const char* journalName)
        : AutomationObject(server, journalName) {}

    HRESULT OpenFile(DispatchCall& call, const std::wstring& path);
    // The object for a file that has been read.
    virtual AutomationObject* CreateOpened(const std::wstring& path,
                                           const std::string& payload) = 0;
};
