#include "framework/CWinThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> g_ran{0};

UINT Count(LPVOID code) {
    g_ran++;
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(code));
}

} // namespace

TEST(WorkerThread, DuplicatedHandleOutlivesTheSelfDeletingObject) {
    g_ran = 0;
    CWinThread* thread = AfxBeginThread(&Count, reinterpret_cast<LPVOID>(7), THREAD_PRIORITY_NORMAL,
                                        0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    EXPECT_TRUE(thread->m_bAutoDelete);
    CHandle handle = thread->DuplicateHandle();
    ASSERT_TRUE(handle);
    EXPECT_EQ(0, g_ran.load()) << "created suspended";
    thread->ResumeThread();
    // The object may be gone from here on; only the duplicate is used.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(handle.Get(), 5000));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(handle.Get(), &code));
    EXPECT_EQ(7u, code);
    EXPECT_EQ(1, g_ran.load());
}

TEST(WorkerThread, RunsAtOnceWithoutCreateSuspended) {
    g_ran = 0;
    CWinThread* thread = AfxBeginThread(&Count, nullptr);
    ASSERT_NE(nullptr, thread);
    for (int i = 0; i < 500 && g_ran.load() == 0; ++i)
        Sleep(10);
    EXPECT_EQ(1, g_ran.load());
}

TEST(WorkerThread, ObjectKeptWhenAutoDeleteIsOff) {
    CWinThread* thread = AfxBeginThread(&Count, reinterpret_cast<LPVOID>(3), THREAD_PRIORITY_NORMAL,
                                        0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, 5000));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(3u, code);
    delete thread;
}
