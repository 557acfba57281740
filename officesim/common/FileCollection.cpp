#include "common/FileCollection.h"

#include "common/FaultRules.h"
#include "common/ServerProcess.h"
#include "common/StandInFile.h"
#include "common/Workload.h"

HRESULT FileCollection::OpenFile(DispatchCall& call, const std::wstring& path) {
    const FaultRules faults = FaultRules::ForFile(path);
    if (HRESULT hr = faults.Apply(FaultRules::Open, call))
        return hr;
    if (HRESULT hr = Workload::Read().Spend(call))
        return hr;
    if (faults.OpenNothing()) {
        call.ReturnObject(nullptr);
        return S_OK;
    }
    std::string format, payload;
    if (DWORD error = StandInFile::Read(path, &format, &payload))
        return call.Raise(HRESULT_FROM_WIN32(error), L"无法打开文件: " + path);
    if (!format.empty() && !Server().HasFormat(format))
        return call.Raise(HRESULT_FROM_WIN32(ERROR_BAD_FORMAT), L"文件格式不属于本程序: " + path);
    call.ReturnObject(CreateOpened(path, payload));
    if (DWORD busy = faults.BusyCalls())
        Server().RejectCalls(busy);
    return S_OK;
}
