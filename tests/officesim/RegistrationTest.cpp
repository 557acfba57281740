#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The stand-ins are built into <build>\officesim, the tests into <build>\tests\officesim.
std::string ServerPath(const char* program) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    for (int level = 0; level < 3; ++level)
        folder.erase(folder.rfind('\\'));
    return folder + "\\officesim\\" + program;
}

DWORD RunServer(const std::string& program, const char* option) {
    std::string commandLine = "\"" + program + "\" " + option;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string DefaultValue(const std::string& key) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return std::string();
    return value;
}

} // namespace

TEST(Registration, UnregisterRemovesTheClassAndRegisterPutsItBack) {
    const std::string lxsim = ServerPath("lxsim.exe");
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(lxsim.c_str())) << lxsim;
    CLSID clsid;
    // Whatever fails below, the tests that follow find the spreadsheet registered.
    struct Reregister {
        const std::string& program;
        ~Reregister() { RunServer(program, "/RegServer"); }
    } reregister{lxsim};

    ASSERT_EQ(0u, RunServer(lxsim, "/UnregServer"));
    EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromProgID(L"LX.Exe", &clsid));
    EXPECT_EQ("", DefaultValue("Software\\Classes\\LX.Exe\\CLSID"));

    ASSERT_EQ(0u, RunServer(lxsim, "/RegServer"));
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"LX.Exe", &clsid));
    wchar_t text[40];
    StringFromGUID2(clsid, text, 40);
    std::string clsidText;
    for (const wchar_t* c = text; *c; ++c)
        clsidText += static_cast<char>(*c);
    EXPECT_EQ(clsidText, DefaultValue("Software\\Classes\\LX.Exe\\CLSID"));
    const std::string classKey = "Software\\Classes\\CLSID\\" + clsidText;
    EXPECT_EQ("\"" + lxsim + "\"", DefaultValue(classKey + "\\LocalServer32"));
    EXPECT_EQ("LX.Exe", DefaultValue(classKey + "\\ProgID"));
}
