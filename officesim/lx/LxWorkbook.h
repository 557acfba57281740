#pragma once
#include "common/OpenedFile.h"

// A workbook open in the spreadsheet.
class LxWorkbook : public OpenedFile {
public:
    LxWorkbook(ServerProcess& server, const std::wstring& source, const std::string& payload)
        : OpenedFile(server, "lx.workbook", source, payload) {}

protected:
    HRESULT Call(DispatchCall& call) override;
};
