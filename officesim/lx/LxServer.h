#pragma once
#include "common/AutomationObject.h"

class LxApplication;

// The object "LX.Exe" creates; its property 1 is the spreadsheet's application object.
class LxServer : public AutomationObject {
public:
    explicit LxServer(ServerProcess& server) : AutomationObject(server, "lx.server") {}
    ~LxServer() override;

protected:
    HRESULT Call(DispatchCall& call) override;

private:
    LxApplication* m_application = nullptr;
};
