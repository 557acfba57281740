// The installer as IT deploys it, run by install-test.sh in a Wine prefix of its own: a silent
// install, an upgrade by a newer build over it and a silent uninstall, each followed by what a
// user and an administrator would look at. The script names the packages and their versions in
// TANDREL_MSI, TANDREL_VERSION, TANDREL_NEXT_MSI and TANDREL_NEXT_VERSION.
#include "FileVersion.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "UiPump.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr char kEnvironmentKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kProductKey[] = "Software\\Tandrel";
constexpr char kShortcutName[] = "批量转换工具.lnk";
constexpr REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

std::string Env(const char* name) {
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, MAX_PATH);
    return value;
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string InstallDir() {
    return Folder(CSIDL_PROGRAM_FILES) + "\\Tandrel"; // the 32-bit one, for this 32-bit package
}

// Where a shortcut may be: the common Start menu on Windows, the user's under Wine.
std::vector<std::string> ShortcutPlaces() {
    return {Folder(CSIDL_COMMON_PROGRAMS) + "\\" + kShortcutName,
            Folder(CSIDL_PROGRAMS) + "\\" + kShortcutName};
}

int RunProgram(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD code = WaitForSingleObject(pi.hProcess, 180000) == WAIT_OBJECT_0 ? 0 : DWORD(-1);
    if (code == 0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

bool KeyExists(const char* path, REGSAM view) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

std::string ReadValue(const std::string& path, const char* name, REGSAM view = 0) {
    char value[8192] = {};
    DWORD size = sizeof(value) - 1;
    RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name,
                 RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND | view, nullptr, value, &size);
    return value;
}

void WritePath(const std::string& path) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, KEY_SET_VALUE, &hKey));
    RegSetValueExA(hKey, "PATH", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(hKey);
}

struct UninstallEntry {
    std::string name, version, publisher, uninstall;
};

// Programs and Features' entries of Tandrel, in both registry views, each product once.
std::vector<UninstallEntry> UninstallEntries() {
    std::set<std::string> seen;
    std::vector<UninstallEntry> entries;
    for (REGSAM view : kViews) {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &hKey))
            continue;
        char product[256];
        for (DWORD i = 0, n = sizeof(product);
             !RegEnumKeyExA(hKey, i, product, &n, nullptr, nullptr, nullptr, nullptr);
             ++i, n = sizeof(product)) {
            std::string key = std::string(kUninstallKey) + "\\" + product;
            UninstallEntry entry = {
                ReadValue(key, "DisplayName", view), ReadValue(key, "DisplayVersion", view),
                ReadValue(key, "Publisher", view), ReadValue(key, "UninstallString", view)};
            if (entry.name.find("Tandrel") == 0 && seen.insert(product).second)
                entries.push_back(entry);
        }
        RegCloseKey(hKey);
    }
    return entries;
}

// The shortcut's target and working folder, "" when it cannot be read.
std::pair<std::string, std::string> ShortcutTarget(const std::string& lnk) {
    std::pair<std::string, std::string> target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = {}, dir[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetWorkingDirectory(dir, MAX_PATH)))
            target = {path, dir};
        file->Release();
    }
    link->Release();
    return target;
}

std::string WithoutTrailingSlash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

class Installer : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        m_originalPath = ReadValue(kEnvironmentKey, "PATH");
        // Longer than the 1,024 characters at which some installers cut PATH short.
        m_seededPath = m_originalPath;
        for (int i = 0; m_seededPath.size() < 2500; ++i)
            m_seededPath += ";C:\\Tools\\Long folder name for the PATH test number " +
                            std::to_string(i) + "\\bin";
        WritePath(m_seededPath);
    }
    void TearDown() override {
        WritePath(m_originalPath);
        CoUninitialize();
    }

    void ExpectInstalled(const std::string& version) {
        std::set<std::string> files;
        for (const auto& entry : TreeContents(InstallDir()))
            files.insert(entry.first);
        EXPECT_EQ(
            (std::set<std::string>{"LICENSE.txt", "README.txt", "tandrel.exe", "tandrelc.exe"}),
            files);
        for (const char* exe : {"tandrel.exe", "tandrelc.exe"})
            EXPECT_EQ(version, FileVersion(InstallDir() + "\\" + exe).FileNumbers()) << exe;

        int shortcuts = 0;
        for (const std::string& lnk : ShortcutPlaces())
            if (PathExists(lnk)) {
                ++shortcuts;
                auto target = ShortcutTarget(lnk);
                EXPECT_EQ(InstallDir() + "\\tandrel.exe", target.first);
                EXPECT_EQ(InstallDir(), WithoutTrailingSlash(target.second));
            }
        EXPECT_EQ(1, shortcuts) << "Start-menu shortcuts named 批量转换工具";

        // Once, first, and before the PATH as it was.
        std::string path = ReadValue(kEnvironmentKey, "PATH");
        EXPECT_EQ(0u, path.find(InstallDir()));
        EXPECT_EQ(path.find(InstallDir()), path.rfind(InstallDir()));
        EXPECT_TRUE(
            path.size() > m_seededPath.size() &&
            path.compare(path.size() - m_seededPath.size(), std::string::npos, m_seededPath) == 0)
            << "the PATH before the install, cut or changed";

        auto installed = UninstallEntries();
        ASSERT_EQ(1u, installed.size()) << "entries in Programs and Features";
        EXPECT_EQ("Tandrel 批量转换工具", installed[0].name) << Utf8(installed[0].name);
        EXPECT_EQ(version, installed[0].version);
        EXPECT_EQ("Tandrel 软件工作室", installed[0].publisher) << Utf8(installed[0].publisher);
        EXPECT_NE(std::string::npos, installed[0].uninstall.find("MsiExec.exe /X{"));

        ExpectConsoleFindsTandrelc(path, version);
        TandrelApp app;
        EXPECT_TRUE(app.Start(InstallDir() + "\\tandrel.exe")) << app.LastError();
    }

    // A console opened after the install, which takes PATH from the registry, finds tandrelc.
    void ExpectConsoleFindsTandrelc(const std::string& path, const std::string& version) {
        char expanded[8192] = {};
        ExpandEnvironmentStringsA(path.c_str(), expanded, sizeof(expanded));
        char ownPath[8192] = {};
        GetEnvironmentVariableA("PATH", ownPath, sizeof(ownPath));
        SetEnvironmentVariableA("PATH", expanded);
        TempDir work("console");
        std::string out = work / "out.txt";
        EXPECT_EQ(0, RunProgram("cmd /c tandrelc /? > \"" + out + "\""));
        EXPECT_NE(std::string::npos, ReadFileBytes(out).find("tandrelc"));
        EXPECT_EQ(0, RunProgram("cmd /c tandrelc /version > \"" + out + "\""));
        EXPECT_EQ("tandrelc " + version + "\r\n", ReadFileBytes(out));
        SetEnvironmentVariableA("PATH", ownPath);
    }

    void ExpectNothingLeft() {
        EXPECT_FALSE(PathExists(InstallDir()));
        for (const std::string& lnk : ShortcutPlaces())
            EXPECT_FALSE(PathExists(lnk)) << Utf8(lnk);
        EXPECT_TRUE(UninstallEntries().empty());
        for (REGSAM view : kViews)
            EXPECT_FALSE(KeyExists(kProductKey, view));
        std::string path = ReadValue(kEnvironmentKey, "PATH");
        EXPECT_TRUE(path == m_seededPath) << "PATH is not as before: " << path.substr(0, 160);
    }

    std::string m_originalPath;
    std::string m_seededPath;
};

} // namespace

TEST_F(Installer, InstallsUpgradesInPlaceAndUninstallsWithoutATrace) {
    const std::string version = Env("TANDREL_VERSION"), next = Env("TANDREL_NEXT_VERSION");
    ASSERT_FALSE(version.empty() || next.empty()) << "run through install-test.sh";
    ASSERT_NE(version, next);
    const struct {
        const char* what;
        std::string command;
        std::string version; // installed afterwards, "" for nothing
    } steps[] = {
        {"silent install", "/i \"" + Env("TANDREL_MSI") + "\" /qn", version},
        {"a newer build over it", "/i \"" + Env("TANDREL_NEXT_MSI") + "\" /qn", next},
        {"silent uninstall", "/x \"" + Env("TANDREL_NEXT_MSI") + "\" /qn", ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_EQ(0, RunProgram("msiexec " + step.command));
        if (step.version.empty())
            ExpectNothingLeft();
        else
            ExpectInstalled(step.version);
    }
}
