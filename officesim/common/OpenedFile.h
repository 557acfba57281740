#pragma once
#include "common/AutomationObject.h"

#include <string>

// A document or workbook opened from a stand-in file. Saving writes its payload under the target
// path in the format the target's extension names; the faults configured for its source file
// apply to save and close. Once closed it refuses every further call.
class OpenedFile : public AutomationObject {
protected:
    OpenedFile(ServerProcess& server, const char* journalName, const std::wstring& source,
               const std::string& payload);

    HRESULT SaveAs(DispatchCall& call, const std::wstring& target);
    HRESULT Close(DispatchCall& call);
    // S_OK while open, else the error the caller gets.
    HRESULT RequireOpen(DispatchCall& call) const;

private:
    std::wstring m_source;
    std::string m_payload;
    bool m_closed = false;
};
