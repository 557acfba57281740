#pragma once
// The clock and the worker-thread runner shared by the benchmark programs.
#include <windows.h>

#include <atomic>
#include <thread>

namespace bench {

// Seconds from the performance counter.
inline double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Runs work on a second thread while this thread dispatches its messages; returns the seconds.
template <class F> double TimeOnWorker(F work) {
    std::atomic<bool> done{false};
    double start = Now();
    std::thread t([&] {
        work();
        done = true;
    });
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    t.join();
    return Now() - start;
}

} // namespace bench
