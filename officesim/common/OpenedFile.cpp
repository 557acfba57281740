#include "common/OpenedFile.h"

#include "common/FaultRules.h"
#include "common/ServerProcess.h"
#include "common/StandInFile.h"
#include "common/Workload.h"

OpenedFile::OpenedFile(ServerProcess& server, const char* journalName, const std::wstring& source,
                       const std::string& payload)
    : AutomationObject(server, journalName), m_source(source), m_payload(payload) {}

HRESULT OpenedFile::SaveAs(DispatchCall& call, const std::wstring& target) {
    if (HRESULT hr = RequireOpen(call))
        return hr;
    const FaultRules faults = FaultRules::ForFile(m_source);
    if (HRESULT hr = faults.Apply(FaultRules::Save, call))
        return hr;
    if (HRESULT hr = Workload::Read().Spend(call))
        return hr;
    HRESULT failure = S_OK;
    if (faults.SaveFail(&failure))
        return failure;
    const std::string format = StandInFile::FormatOf(target);
    if (!Server().HasFormat(format))
        return call.Raise(HRESULT_FROM_WIN32(ERROR_BAD_FORMAT), L"不支持的目标格式: " + target);
    if (faults.SaveNothing())
        return S_OK;
    std::string bytes = StandInFile::Compose(format, m_payload);
    if (faults.SaveDie()) {
        // A crash half-way through writing: the target stays cut short.
        bytes.resize(bytes.size() / 2);
        StandInFile::WriteBytes(target, bytes);
        ExitProcess(9);
    }
    if (DWORD error = StandInFile::WriteBytes(target, bytes))
        return call.Raise(HRESULT_FROM_WIN32(error), L"无法保存文件: " + target);
    return S_OK;
}

HRESULT OpenedFile::Close(DispatchCall& call) {
    if (HRESULT hr = RequireOpen(call))
        return hr;
    if (HRESULT hr = FaultRules::ForFile(m_source).Apply(FaultRules::Close, call))
        return hr;
    m_closed = true;
    return S_OK;
}

HRESULT OpenedFile::RequireOpen(DispatchCall& call) const {
    if (!m_closed)
        return S_OK;
    return call.Raise(HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE), L"文件已关闭");
}
