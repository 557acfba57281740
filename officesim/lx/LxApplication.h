#pragma once
#include "common/AutomationObject.h"

class LxWorkbooks;

// The spreadsheet's application object.
class LxApplication : public AutomationObject {
public:
    explicit LxApplication(ServerProcess& server) : AutomationObject(server, "lx.app") {}
    ~LxApplication() override;

protected:
    HRESULT Call(DispatchCall& call) override;

private:
    HRESULT Workbooks(DispatchCall& call);

    LxWorkbooks* m_workbooks = nullptr;
};
