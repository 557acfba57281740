#include "framework/AfxMessageBox.h"
#include "framework/CWinApp.h"
#include "framework/CWinThread.h"

#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

TEST(MessageBoxSeam, AfxMessageBoxUsesTheExecutableNameWithoutAnApplication) {
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, AfxMessageBox("保存路径不存在,创建新目录吗?", MB_OKCANCEL));
    ASSERT_EQ(1u, boxes.Count());
    MessageBoxRecorder::Box box = boxes.Boxes()[0];
    EXPECT_EQ("保存路径不存在,创建新目录吗?", box.text);
    EXPECT_EQ("framework_window_tests", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), box.type);
    EXPECT_EQ(nullptr, box.owner);
}

TEST(MessageBoxSeam, AfxMessageBoxIsOwnedByTheMainWindowAndCaptionedWithTheAppName) {
    CWinApp app("Tandrel");
    CWnd main(GetDesktopWindow());
    app.m_pMainWnd = &main;
    MessageBoxRecorder boxes;
    EXPECT_EQ(IDOK, AfxMessageBox("Qor启动失败"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Tandrel", boxes.Boxes()[0].caption);
    EXPECT_EQ(GetDesktopWindow(), boxes.Boxes()[0].owner);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Boxes()[0].type);
    main.m_hWnd = nullptr;
}

namespace {

UINT ShowFromWorker(LPVOID result) {
    *static_cast<int*>(result) =
        AfxShowMessageBox(nullptr, "转换错误", "批量转换工具", MB_OKCANCEL | MB_ICONHAND);
    return 0;
}

} // namespace

TEST(MessageBoxSeam, BoxesFromAWorkerThreadAreRecordedWithTheirThread) {
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    int answer = 0;
    CWinThread* thread =
        AfxBeginThread(&ShowFromWorker, &answer, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    CHandle done = thread->DuplicateHandle();
    DWORD workerId = thread->m_nThreadID;
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done.Get(), 5000));
    EXPECT_EQ(IDCANCEL, answer);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(workerId, boxes.Boxes()[0].threadId);
    EXPECT_EQ(static_cast<UINT>(0x11), boxes.Boxes()[0].type);
    EXPECT_EQ("批量转换工具", boxes.Boxes()[0].caption);
}
