#pragma once
#include "common/FileCollection.h"

// The word processor's document collection (property 6 of the application): opens documents.
class QorDocuments : public FileCollection {
public:
    explicit QorDocuments(ServerProcess& server) : FileCollection(server, "qor.documents") {}

protected:
    HRESULT Call(DispatchCall& call) override;
    AutomationObject* CreateOpened(const std::wstring& path, const std::string& payload) override;
};
