#include "convert/CServerProcesses.h"

#include "UiPump.h"

#include <gtest/gtest.h>

namespace {

constexpr char kProgId[] = "Tandrel.TestServer";
constexpr char kClsid[] = "{6F2C41D8-3B0E-4A57-9C1D-2E8B7A5F0C93}";

void SetDefault(const std::string& key, const std::string& value) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hKey);
}

} // namespace

// The program whose processes a job may claim: the file name of the class's local server,
// however its command line is written.
TEST(ServerProcesses, ServerImageIsTheFileNameOfTheLocalServerProgram) {
    const struct {
        const char* command;
        const char* image;
    } cases[] = {
        {"\"C:\\Program Files\\Qor\\QOR.EXE\" /automation", "QOR.EXE"},
        {"C:\\Program Files\\Qor\\qor.exe /automation -Embedding", "qor.exe"},
        {"C:\\乗\\表格.Exe", "表格.Exe"},
        {"C:\\tools\\lxserver /x", "lxserver"},
    };
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    const std::string classes = "Software\\Classes\\";
    SetDefault(classes + kProgId + "\\CLSID", kClsid);
    for (const auto& c : cases) {
        SetDefault(classes + "CLSID\\" + kClsid + "\\LocalServer32", c.command);
        EXPECT_EQ(Utf8(c.image), Utf8(CServerProcesses::ServerImage(kProgId))) << Utf8(c.command);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (classes + kProgId).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (classes + "CLSID\\" + kClsid).c_str());
    EXPECT_EQ("", CServerProcesses::ServerImage(kProgId)) << "no class, no program";
    CoUninitialize();
}

// No program, no processes; and a look that finds none leaves no handle behind: a handle made
// after many looks takes the slot that a handle made before them had.
TEST(ServerProcesses, LookingForNoProgramLeavesNoHandle) {
    HANDLE before = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(before);
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(CServerProcesses::ProcessesOf("").empty());
    HANDLE after = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_EQ(before, after) << "handles were left open";
}
