#pragma once
#include "common/FileCollection.h"

// The spreadsheet's workbook collection (property 572 of the application): opens workbooks.
class LxWorkbooks : public FileCollection {
public:
    explicit LxWorkbooks(ServerProcess& server) : FileCollection(server, "lx.workbooks") {}

protected:
    HRESULT Call(DispatchCall& call) override;
    AutomationObject* CreateOpened(const std::wstring& path, const std::string& payload) override;
};
