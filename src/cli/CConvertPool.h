#pragma once
// Several instances of the office applications converting at once (/jobs:N): each instance is a
// thread of its own, in its own apartment, with its own automation bridge (its own watchdog and
// processes) and its own busy retry. The walk hands each file to an idle instance and settles
// the results that come back, on its own thread; instances never touch the log or the owner.
#include "convert/CAutomationBridge.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class CConvertPool {
public:
    struct Task {
        CString source;
        CString target;
        int nType = 0;
        size_t entry = 0; // the job entry the file belongs to
    };
    struct Result {
        Task task;
        CAutomationBridge::Outcome outcome = CAutomationBridge::Outcome::Failed;
        CAutomationBridge::FileError error;
        DWORD ms = 0;
    };

    // nInstances threads; pRunning is the job's run flag, which every instance's calls watch.
    CConvertPool(int nInstances, const std::atomic<int>* pRunning);
    // Close, if not yet done.
    ~CConvertPool();
    CConvertPool(const CConvertPool&) = delete;
    CConvertPool& operator=(const CConvertPool&) = delete;

    // Waits until an instance is idle and gives it task (true), or until a file has finished:
    // then false, with its result in *result to settle first.
    bool HandOver(const Task& task, Result* result);
    // A finished file's result; waits for one while files are in hand. False when none is left.
    bool WaitResult(Result* result);
    // After the last result: every instance quits its applications, and once all have, ends
    // what they started and leaves.
    void Close();

private:
    void Serve();
    bool Take(Task* task);
    // Under m_lock, with a result waiting.
    void PopResult(Result* result);

    const std::atomic<int>* m_pRunning;
    // Creations one at a time: the processes that appear while one lasts are its instance's.
    std::mutex m_creations;

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Task> m_tasks;
    std::deque<Result> m_results;
    int m_nIdle = 0;
    int m_nInHand = 0;   // handed over and not yet taken back as results
    int m_nQuitting = 0; // instances still to quit their applications
    bool m_bClosing = false;
    std::vector<std::thread> m_threads;
};
