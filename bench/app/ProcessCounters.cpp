#include "ProcessCounters.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace {

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// One entry of the system's handle list.
struct SystemHandle {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};

// The process's entries in the system's list of every open handle (Wine keeps that list, but
// answers GetProcessHandleCount with 0).
long HandlesFromSystemList(DWORD pid) {
    auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return -1;
    std::vector<BYTE> buffer(1 << 16);
    NTSTATUS status;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    // The count, then the entries at pointer alignment.
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* handles = reinterpret_cast<const SystemHandle*>(buffer.data() + sizeof(void*));
    long owned = 0;
    for (ULONG i = 0; i < count; ++i)
        owned += handles[i].ownerPid == pid;
    return owned;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == windows->pid) {
        ++windows->count;
        EnumChildWindows(hWnd, CountChild, param);
    }
    return TRUE;
}

long GuiObjects(HANDLE hProcess, DWORD which) {
    SetLastError(0);
    DWORD n = GetGuiResources(hProcess, which);
    return n == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? -1 : static_cast<long>(n);
}

} // namespace

ProcessCounters ProcessCounters::Of(HANDLE hProcess) {
    ProcessCounters counters;
    const DWORD pid = GetProcessId(hProcess);
    DWORD handles = 0;
    if (GetProcessHandleCount(hProcess, &handles) && handles != 0)
        counters.handles = static_cast<long>(handles);
    else
        counters.handles = HandlesFromSystemList(pid);
    counters.gdiObjects = GuiObjects(hProcess, GR_GDIOBJECTS);
    WindowCount windows = {pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    counters.windows = windows.count;
    counters.userObjects = GuiObjects(hProcess, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory)))
        // Windows keeps both equal (the commit charge); Wine fills in only PagefileUsage.
        counters.privateBytes =
            memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return counters;
}

std::string ProcessCounters::Sources(HANDLE hProcess) {
    DWORD handles = 0;
    std::string text = GetProcessHandleCount(hProcess, &handles) && handles != 0
                           ? "handles: GetProcessHandleCount"
                           : "handles: the system's handle list (GetProcessHandleCount gives 0)";
    text += GuiObjects(hProcess, GR_GDIOBJECTS) < 0
                ? "; GDI and USER objects: not counted here (GetGuiResources is not implemented),"
                  " windows counted instead"
                : "; GDI and USER objects: GetGuiResources";
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    text += memory.PrivateUsage != 0 ? "; private bytes: PrivateUsage"
                                     : "; private bytes: PagefileUsage (PrivateUsage is 0)";
    return text;
}
