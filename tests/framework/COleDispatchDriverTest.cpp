#include "framework/COleDispatchDriver.h"

#include "FakeDispatch.h"

#include <gtest/gtest.h>

TEST(DispatchCalls, EmptyReferenceDoesNothingAndRaisesNothing) {
    COleDispatchDriver empty;
    LPDISPATCH out = reinterpret_cast<LPDISPATCH>(0x1234);
    EXPECT_NO_THROW(empty.InvokeHelper(18, DISPATCH_METHOD, VT_DISPATCH, &out, VTS_BSTR, "x.doc"));
    EXPECT_EQ(reinterpret_cast<LPDISPATCH>(0x1234), out) << "result left untouched";
    EXPECT_NO_THROW(empty.SetProperty(23, VT_BOOL, FALSE));
    EXPECT_NO_THROW(empty.GetProperty(6, VT_DISPATCH, &out));
}

TEST(DispatchCalls, ByReferenceArgumentsArriveInOrderWithTheirTypes) {
    FakeDispatch fake;
    COleDispatchDriver driver(&fake, FALSE);
    COleVariant path("C:\\文档\\乗.doc");
    COleVariant omitted = OleOmittedArgument();
    COleVariant one(static_cast<short>(1), VT_I2);
    driver.InvokeHelper(18, DISPATCH_METHOD, VT_EMPTY, nullptr,
                        VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT, static_cast<VARIANT*>(path),
                        static_cast<VARIANT*>(omitted), static_cast<VARIANT*>(one));
    ASSERT_EQ(1u, fake.calls.size());
    const FakeDispatch::Call& call = fake.calls[0];
    EXPECT_EQ(18, call.id);
    EXPECT_EQ(DISPATCH_METHOD, call.flags);
    std::vector<std::string> expected = {"REF:BSTR:C:\\文档\\乗.doc", "REF:ERROR:80020004",
                                         "REF:I2:1"};
    EXPECT_EQ(expected, call.values);
    EXPECT_EQ(static_cast<VARTYPE>(VT_VARIANT | VT_BYREF), call.types[0]);
    EXPECT_TRUE(call.named.empty());
}

TEST(DispatchCalls, ByValueArgumentsAndPropertyAccess) {
    FakeDispatch fake;
    FakeDispatch child;
    fake.answers[572].object = &child;
    COleDispatchDriver driver(&fake, FALSE);
    driver.InvokeHelper(284, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR VTS_SCODE VTS_I4 VTS_I2,
                        "D:\\out.lx", DISP_E_PARAMNOTFOUND, 0L, 2);
    driver.SetProperty(1695, VT_BOOL, FALSE);
    LPDISPATCH got = nullptr;
    driver.GetProperty(572, VT_DISPATCH, &got);

    ASSERT_EQ(3u, fake.calls.size());
    std::vector<std::string> expected = {"BSTR:D:\\out.lx", "ERROR:80020004", "I4:0", "I2:2"};
    EXPECT_EQ(expected, fake.calls[0].values);
    EXPECT_EQ(DISPATCH_PROPERTYPUT, fake.calls[1].flags);
    EXPECT_EQ(std::vector<std::string>{"BOOL:0"}, fake.calls[1].values);
    EXPECT_EQ(std::vector<DISPID>{DISPID_PROPERTYPUT}, fake.calls[1].named);
    EXPECT_EQ(DISPATCH_PROPERTYGET, fake.calls[2].flags);
    EXPECT_EQ(static_cast<LPDISPATCH>(&child), got);
    EXPECT_EQ(2, child.refs) << "the returned object carries one reference for its new owner";
    COleDispatchDriver owner;
    owner.AttachDispatch(got);
    owner.ReleaseDispatch();
    EXPECT_EQ(1, child.refs);
}

TEST(DispatchErrors, ServerExceptionBecomesDispatchExceptionWithCodeAndText) {
    FakeDispatch fake;
    fake.answers[376].hr = DISP_E_EXCEPTION;
    fake.answers[376].excepCode = static_cast<SCODE>(0x800A1066);
    fake.answers[376].description = L"文件无法保存";
    COleDispatchDriver driver(&fake, FALSE);
    try {
        driver.InvokeHelper(376, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR, "x");
        FAIL() << "no exception";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(static_cast<SCODE>(0x800A1066), e.m_scError);
        EXPECT_STREQ("文件无法保存", e.m_strDescription);
        EXPECT_STREQ("Fake", e.m_strSource);
    }
}

TEST(DispatchErrors, OtherFailuresBecomeOleException) {
    FakeDispatch fake;
    fake.answers[18].hr = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    fake.answers[19].hr = DISP_E_TYPEMISMATCH;
    COleDispatchDriver driver(&fake, FALSE);
    try {
        driver.InvokeHelper(18, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
        FAIL() << "no exception";
    } catch (const COleException& e) {
        EXPECT_EQ(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), e.m_sc);
    }
    EXPECT_THROW(driver.InvokeHelper(19, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE),
                 COleException);
}

TEST(DispatchReferences, AssignmentAddsAReferenceAndDestructionReleasesIt) {
    FakeDispatch fake;
    {
        COleDispatchDriver a;
        fake.AddRef();
        a.AttachDispatch(&fake);
        EXPECT_EQ(2, fake.refs);
        {
            COleDispatchDriver b;
            b = a;
            EXPECT_EQ(3, fake.refs);
            EXPECT_EQ(a.m_lpDispatch, b.m_lpDispatch);
        }
        EXPECT_EQ(2, fake.refs);
        a = a;
        EXPECT_EQ(2, fake.refs) << "self-assignment changes nothing";
    }
    EXPECT_EQ(1, fake.refs);
}

TEST(DispatchReferences, ReleaseEmptiesTheReference) {
    FakeDispatch fake;
    COleDispatchDriver a;
    fake.AddRef();
    a.AttachDispatch(&fake);
    a.ReleaseDispatch();
    EXPECT_EQ(nullptr, a.m_lpDispatch);
    EXPECT_EQ(1, fake.refs);
    a.ReleaseDispatch();
    EXPECT_EQ(1, fake.refs) << "a second release does nothing";
}

TEST(DispatchCreation, UnknownProgIdFailsWithoutThrowing) {
    CoInitialize(nullptr);
    COleDispatchDriver driver;
    COleException error;
    EXPECT_FALSE(driver.CreateDispatch("Tandrel.NoSuchApplication", &error));
    EXPECT_EQ(CO_E_CLASSSTRING, error.m_sc);
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    CoUninitialize();
}
