#include "framework/CInterfacePtr.h"

#include "FakeDispatch.h"

#include <gtest/gtest.h>

// Each holder owns one reference: a copy adds one, Receive and the holder's end give theirs back,
// and a holder assigned to itself keeps the object.
TEST(InterfacePtr, EachHolderOwnsOneReference) {
    FakeDispatch fake; // its first reference is the test's
    {
        CInterfacePtr<IDispatch> a(&fake);
        EXPECT_EQ(2, fake.refs);
        CInterfacePtr<IDispatch> b = a;
        EXPECT_EQ(3, fake.refs);
        b = b;
        EXPECT_EQ(3, fake.refs) << "assigned to itself";
        b = CInterfacePtr<IDispatch>();
        EXPECT_EQ(2, fake.refs);
        EXPECT_FALSE(b);

        IDispatch** slot = a.Receive();
        EXPECT_EQ(1, fake.refs) << "the reference held goes before a new one comes";
        EXPECT_EQ(nullptr, *slot);
        fake.AddRef();
        *slot = &fake;
        EXPECT_EQ(&fake, a.Get());
    }
    EXPECT_EQ(1, fake.refs);
}
