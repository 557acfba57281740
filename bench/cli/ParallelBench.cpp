// Large migrations through tandrelc: throughput with N application instances (/jobs:N) when each
// open and save of the stand-ins costs 25 ms of waiting or of processor work, and /update over a
// finished job against a bare walk that looks at each source and target.
// Usage: bench_parallel [files] [update files] (400, 10000)
#include "../BenchClock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::Now;

constexpr char kSimKey[] = "Software\\Tandrel\\OfficeSim";

std::string Here() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.rfind('\\'));
}

// bench\cli\ -> src\cli\tandrelc.exe in the same build tree.
std::string Tandrelc() {
    return Here() + "\\..\\..\\src\\cli\\tandrelc.exe";
}

std::string MakeRoot() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string root =
        std::string(base) + "tandrel-parallel-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    return root;
}

// 10 folders of 10 sub-folders, the files spread evenly over the 100 leaves.
void MakeTree(const std::string& src, int files) {
    CreateDirectoryA(src.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        std::string a = src + "\\d" + std::to_string(i % 10);
        std::string b = a + "\\e" + std::to_string((i / 10) % 10);
        CreateDirectoryA(a.c_str(), nullptr);
        CreateDirectoryA(b.c_str(), nullptr);
        FILE* f = std::fopen((b + "\\f" + std::to_string(i) + ".doc").c_str(), "wb");
        std::fputs("OFFICESIM doc\r\nbench", f);
        std::fclose(f);
    }
}

void SetWork(const char* work) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSimKey, "Work", REG_SZ, work,
                    static_cast<DWORD>(std::strlen(work) + 1));
}

void RemoveTree(const std::string& path) {
    std::string command = "cmd /c rd /s /q \"" + path + "\" >nul 2>nul";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

// Seconds that one tandrelc run takes; its exit code in *code.
double RunTandrelc(const std::string& args, DWORD* code) {
    std::string command = "\"" + Tandrelc() + "\" /quiet " + args;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        *code = 99;
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = Now() - start;
    GetExitCodeProcess(process.hProcess, code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return seconds;
}

// One job of the tree into a fresh output folder; files per second.
double Throughput(const std::string& root, int jobs, int files) {
    const std::string out = root + "\\out" + std::to_string(jobs);
    DWORD code = 0;
    const double seconds = RunTandrelc("/jobs:" + std::to_string(jobs) + " /kind:doc \"" + root +
                                           "\\src\" /out:\"" + out + "\"",
                                       &code);
    RemoveTree(out);
    if (code != 0)
        std::printf("  (exit code %lu)\n", static_cast<unsigned long>(code));
    return files / seconds;
}

void Scaling(const std::string& root, const char* work, const std::vector<int>& counts, int files) {
    SetWork(work);
    std::printf("%s, %d files:\n", work, files);
    double one = 0;
    for (int jobs : counts) {
        const double rate = Throughput(root, jobs, files);
        if (jobs == 1)
            one = rate;
        std::printf("  /jobs:%d  %7.1f files/s  %5.2f x /jobs:1  (goal >= %.2f)\n", jobs, rate,
                    rate / one, 0.85 * jobs);
    }
}

// Every source and its target looked at, as /update does, without the program around it.
void StatWalk(const std::string& src, const std::string& out, int* seen) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((src + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            StatWalk(src + "\\" + name, out + "\\" + name, seen);
            continue;
        }
        WIN32_FILE_ATTRIBUTE_DATA a, b;
        std::string target = out + "\\" + name.substr(0, name.size() - 4) + ".qor";
        if (GetFileAttributesExA((src + "\\" + name).c_str(), GetFileExInfoStandard, &a) &&
            GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &b))
            ++*seen;
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void Update(const std::string& root, int files) {
    const std::string src = root + "\\many";
    const std::string out = root + "\\many-out";
    MakeTree(src, files);
    SetWork("");
    DWORD code = 0;
    RunTandrelc("/jobs:4 /kind:doc \"" + src + "\" /out:\"" + out + "\"", &code);
    std::printf("/update over a finished job of %d files (first run exit code %lu):\n", files,
                static_cast<unsigned long>(code));
    for (int round = 0; round < 3; ++round) {
        const double update =
            RunTandrelc("/update /kind:doc \"" + src + "\" /out:\"" + out + "\"", &code);
        int seen = 0;
        const double start = Now();
        StatWalk(src, out + "\\many", &seen);
        const double walk = Now() - start;
        std::printf("  /update %.2f s (exit code %lu), bare walk %.2f s (%d pairs): %.2f x (goal "
                    "<= 1.2)\n",
                    update, static_cast<unsigned long>(code), walk, seen, update / walk);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 400;
    const int updateFiles = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::string root = MakeRoot();
    MakeTree(root + "\\src", files);
    Scaling(root, "sleep:25", {1, 2, 4, 8}, files);
    Scaling(root, "cpu:25", {1, 2}, files);
    Scaling(root, "sleep:25;single-process", {1, 4}, files);
    if (updateFiles > 0)
        Update(root, updateFiles);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSimKey, "Work");
    RemoveTree(root);
    return 0;
}
