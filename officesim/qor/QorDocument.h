#pragma once
#include "common/OpenedFile.h"

// A document open in the word processor.
class QorDocument : public OpenedFile {
public:
    QorDocument(ServerProcess& server, const std::wstring& source, const std::string& payload)
        : OpenedFile(server, "qor.document", source, payload) {}

protected:
    HRESULT Call(DispatchCall& call) override;
};
