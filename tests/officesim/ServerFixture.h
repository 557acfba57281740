#pragma once
#include "ComApartment.h"
#include "LxClient.h"
#include "OfficeCalls.h"
#include "OfficeSim.h"
#include "QorClient.h"
#include "TempDir.h"
#include "UiPump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// A test against the real stand-in servers: COM on the test's thread, the servers' settings
// and journal of its own, a scratch folder, and a client for each application. Servers still
// running at the end are ended, so that one failed test does not leave them to the next.
class ServerFixture : public testing::Test {
protected:
    ~ServerFixture() override {
        m_qor.Release();
        m_lx.Release();
        OfficeSim::KillServers();
    }

    // Writes a stand-in document into the scratch folder; returns its path.
    std::string Doc(const std::string& name, const std::string& format,
                    const std::string& payload) {
        std::string path = m_dir / name;
        OfficeSim::WriteDoc(path, format, payload);
        return path;
    }

    // The HRESULT a call fails with (DISP_E_EXCEPTION for an error of the application), S_OK
    // when it does not throw.
    static HRESULT ErrorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const COleException& e) {
            return e.m_sc;
        }
        return S_OK;
    }

    // Invoke with arguments (first first) exactly as given, without the layer's help: no named
    // argument is added to a put.
    static HRESULT RawInvoke(const COleDispatchDriver& object, DISPID id, WORD flags,
                             std::vector<VARIANT> args) {
        std::reverse(args.begin(), args.end());
        DISPPARAMS params = {args.empty() ? nullptr : args.data(), nullptr,
                             static_cast<UINT>(args.size()), 0};
        VARIANT result;
        VariantInit(&result);
        HRESULT hr = object.m_lpDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                                 &result, nullptr, nullptr);
        VariantClear(&result);
        return hr;
    }

    static std::string Join(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }

    ComApartment m_com;
    OfficeSim m_sim;
    TempDir m_dir{"officesim-docs"};
    QorClient m_qor;
    LxClient m_lx;
};
