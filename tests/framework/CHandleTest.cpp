#include "framework/CHandle.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

} // namespace

// Every handle is closed once, by whichever holder has it last; a failed call's
// INVALID_HANDLE_VALUE is held as no handle and never closed.
TEST(HandleHolder, ClosesWhatItHoldsExactlyOnce) {
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        CHandle a(first);
        CHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(first, b.Get());
        a = CHandle(second);
        b = std::move(a);
        EXPECT_FALSE(IsOpen(first)) << "the handle a holder gives up for another is closed";
        EXPECT_TRUE(IsOpen(second));
        b = std::move(b);
        EXPECT_TRUE(IsOpen(second)) << "moved onto itself";
        EXPECT_FALSE(CHandle(INVALID_HANDLE_VALUE));
    }
    EXPECT_FALSE(IsOpen(second)) << "the last holder closes at its end";
}
