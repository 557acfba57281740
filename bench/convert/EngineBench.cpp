// Engine overhead: a job of small files in nested folders through the stand-in word processor,
// against a plain loop making the same automation calls, and against a plain copying walk.
// Usage: bench_convert_engine [files] (default 10000)
#include "../BenchClock.h"
#include "../BenchTree.h"
#include "convert/CConverter.h"
#include "convert/CWindowJobEvents.h"
#include "convert/ConvertJob.h"

#include "shared/ConvertType.h"
#include "shared/UserMessages.h"

#include "TempDir.h"
#include "WalkOrder.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::MakeTree;
using bench::Now;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_IS_ITEM_CHECKED)
        return 0;
    if (msg >= UWM_ITEM_CONVERTED && msg <= UWM_LOG_LINE_LOST)
        return 1;
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// The engine's converter, timing each file as tandrelc's report does (the bridge's conversion and
// its settling), so that the two can be compared per file as well as in all. The worker deletes
// it at the job's end: the times go to the bench's own list.
class TimedConverter : public CConverter {
public:
    explicit TimedConverter(std::vector<double>& ms) : m_ms(ms) {}
    BOOL ConvertFile(const CString& source, const CString& target, int nType) override {
        const double start = Now();
        const BOOL done = CConverter::ConvertFile(source, target, nType);
        m_ms.push_back(1000 * (Now() - start));
        return done;
    }

private:
    std::vector<double>& m_ms;
};

// Nothing to tell or ask: every application starts and no entry holds the output folder.
class BenchEvents : public CWindowJobEvents {
public:
    using CWindowJobEvents::CWindowJobEvents;
    void OnApplicationNotStarted(const char*) override {}
    bool SkipEntryHoldingOutput(const CString&) override { return true; }
};

double RunEngine(const std::string& src, const std::string& out, int files,
                 std::vector<double>* fileMs) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CountingProc;
    wc.lpszClassName = "BenchOwner";
    RegisterClassA(&wc);
    HWND owner =
        CreateWindowA("BenchOwner", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    fileMs->reserve(files);
    CConverter* slot = new TimedConverter(*fileMs);
    slot->SetLogFolder(out.c_str());
    slot->ClearLog();
    auto* job = new ConvertJob;
    job->events = std::make_shared<BenchEvents>(owner);
    job->items.push_back({reinterpret_cast<HTREEITEM>(1), src.c_str(), files, CT_WORD_TO_QOR});
    job->SetOutputDir(out.c_str());
    job->ppConverter = &slot;
    double start = Now();
    CHandle worker = StartConvertThread(job);
    HANDLE done = worker.Get();
    while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    double seconds = Now() - start;
    DestroyWindow(owner);
    return seconds;
}

double RunPlainCalls(const std::vector<std::string>& paths, const std::string& out) {
    CoInitialize(nullptr);
    double start = Now();
    COleDispatchDriver app, documents;
    app.CreateDispatch("Qor.Application");
    app.SetProperty(23, VT_BOOL, FALSE);
    LPDISPATCH docs = nullptr;
    app.GetProperty(6, VT_DISPATCH, &docs);
    documents.AttachDispatch(docs);
    COleVariant omitted = OleOmittedArgument();
    COleVariant zero(static_cast<short>(0)), one(static_cast<short>(1)), two(static_cast<short>(2));
    VARIANT* o = omitted;
    int n = 0;
    for (const std::string& path : paths) {
        COleVariant source(path.c_str());
        COleVariant target((out + "\\f" + std::to_string(n++) + ".qor").c_str());
        LPDISPATCH opened = nullptr;
        documents.InvokeHelper(
            18, DISPATCH_METHOD, VT_DISPATCH, &opened,
            VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
                VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
                    VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
            static_cast<VARIANT*>(source), o, static_cast<VARIANT*>(one), o, o, o, o, o, o, o, o, o,
            o, o, o);
        COleDispatchDriver doc(opened);
        doc.SetProperty(4101, VT_BOOL, FALSE);
        doc.InvokeHelper(
            376, DISPATCH_METHOD, VT_EMPTY, nullptr,
            VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
                VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
                    VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
            static_cast<VARIANT*>(target), static_cast<VARIANT*>(zero), o, o, o, o, o, o, o, o, o,
            o, o, o, o, o);
        doc.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr,
                         VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT, static_cast<VARIANT*>(zero),
                         static_cast<VARIANT*>(two), o);
    }
    documents.ReleaseDispatch();
    app.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr,
                     VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT, static_cast<VARIANT*>(zero), o, o);
    app.ReleaseDispatch();
    double seconds = Now() - start;
    CoUninitialize();
    return seconds;
}

void CopyWalk(const std::string& src, const std::string& dst) {
    CreateDirectoryA(dst.c_str(), nullptr);
    ForEachEntry(src, [&](const WIN32_FIND_DATAA& data) {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyWalk(src + "\\" + name, dst + "\\" + name);
        else
            CopyFileA((src + "\\" + name).c_str(), (dst + "\\" + name).c_str(), FALSE);
    });
}

} // namespace

int main(int argc, char** argv) {
    int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tandrel\\OfficeSim");
    TempDir temp("tandrel-bench");
    const std::string& root = temp.path();
    std::vector<std::string> paths = MakeTree(root + "\\src", files);
    std::string plainOut = root + "\\plain", engineOut = root + "\\engine";
    CreateDirectoryA(plainOut.c_str(), nullptr);
    CreateDirectoryA(engineOut.c_str(), nullptr);

    double plain = RunPlainCalls(paths, plainOut);
    std::vector<double> fileMs;
    double engine = RunEngine(root + "\\src", engineOut, files, &fileMs);
    double copyStart = Now();
    CopyWalk(root + "\\src", root + "\\copy");
    double copy = Now() - copyStart;

    std::printf("files: %d\n", files);
    std::printf("engine job:          %8.2f s  %7.3f ms/file\n", engine, 1000 * engine / files);
    std::printf("engine per file:     median %.3f ms, in all %.2f s\n", bench::Median(fileMs),
                bench::Sum(fileMs) / 1000);
    std::printf("plain automation:    %8.2f s  %7.3f ms/file\n", plain, 1000 * plain / files);
    std::printf("plain copying walk:  %8.2f s  %7.3f ms/file\n", copy, 1000 * copy / files);
    std::printf("engine / plain automation: %.3f\n", engine / plain);
    std::printf("engine / copying walk:     %.1f\n", engine / copy);
    return 0;
}
