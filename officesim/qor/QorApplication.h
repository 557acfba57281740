#pragma once
#include "common/AutomationObject.h"

class QorDocuments;

// The word processor's application object, the one "Qor.Application" creates.
class QorApplication : public AutomationObject {
public:
    explicit QorApplication(ServerProcess& server);
    ~QorApplication() override;

protected:
    HRESULT Call(DispatchCall& call) override;

private:
    HRESULT Documents(DispatchCall& call);
    HRESULT Quit(DispatchCall& call);

    // Made on the first read of the collection and kept, so that every read gives the same one.
    QorDocuments* m_documents = nullptr;
};
