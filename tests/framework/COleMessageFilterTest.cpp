#include "framework/COleDispatchDriver.h"
#include "framework/COleMessageFilter.h"

#include "FakeDispatch.h"

#include <gtest/gtest.h>

// A rejected call is made again after each pause while the thread's filter allows it, and fails
// with the rejection once the retry time is over; without a filter it fails at once.
TEST(MessageFilter, RejectedCallsAreRetriedForTheRetryTimeOnly) {
    const struct {
        bool filter;
        unsigned busy;
        size_t calls; // how many times the call is made (at least, for a retry time)
        bool fails;
        DWORD atLeastMs;
    } cases[] = {
        {false, 0, 1, false, 0},
        {false, 2, 1, true, 0},
        {true, 3, 4, false, 300},
        {true, 1000, 4, true, 400},
    };
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.filter << " " << c.busy);
        COleMessageFilter filter;
        filter.SetRetryReply(100, 400);
        if (c.filter) {
            ASSERT_TRUE(filter.Register());
        }
        EXPECT_EQ(c.filter ? &filter : nullptr, COleMessageFilter::FromThread());
        FakeDispatch fake;
        fake.busyCalls = c.busy;
        COleDispatchDriver driver(&fake, FALSE);
        HRESULT hr = S_OK;
        const DWORD start = GetTickCount();
        try {
            driver.SetProperty(23, VT_BOOL, FALSE);
        } catch (const COleException& e) {
            hr = e.m_sc;
        }
        const DWORD took = GetTickCount() - start;
        EXPECT_EQ(c.fails ? RPC_E_CALL_REJECTED : S_OK, hr);
        EXPECT_GE(fake.calls.size(), c.calls);
        EXPECT_LE(fake.calls.size(), c.fails && c.filter ? 6u : c.calls);
        EXPECT_GE(took + 20, c.atLeastMs);
        filter.Revoke();
        EXPECT_EQ(nullptr, COleMessageFilter::FromThread());
    }
    CoUninitialize();
}

// What the filter tells COM on Windows: a pause while the retry time lasts, then "give up";
// the shortest pause is 100 ms, as an answer below that would mean "again at once".
TEST(MessageFilter, RetryRejectedCallAnswersAPauseThenGivesUp) {
    COleMessageFilter filter;
    filter.SetRetryReply(20, 1000);
    EXPECT_EQ(100u, filter.RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER));
    EXPECT_EQ(100u, filter.RetryRejectedCall(nullptr, 999, SERVERCALL_REJECTED));
    EXPECT_EQ(static_cast<DWORD>(-1),
              filter.RetryRejectedCall(nullptr, 1000, SERVERCALL_RETRYLATER));
    EXPECT_EQ(static_cast<DWORD>(SERVERCALL_ISHANDLED),
              filter.HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr));
}
