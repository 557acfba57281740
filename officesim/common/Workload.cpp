#include "common/Workload.h"

#include "common/CodePage.h"
#include "common/OfficeSimSettings.h"

#include <cstdlib>

namespace {

// The serving thread's processor time, in milliseconds.
ULONGLONG ThreadTimeMs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

} // namespace

Workload::Workload(const std::string& text) {
    for (const std::string& token : OfficeSimSettings::Items(text)) {
        if (!Parse(token) && m_badToken.empty())
            m_badToken = token;
    }
}

Workload Workload::Read() {
    return Workload(OfficeSimSettings::Work());
}

bool Workload::Parse(const std::string& token) {
    if (token == "single-process") {
        m_bSingleProcess = true;
        return true;
    }
    const bool sleep = token.compare(0, 6, "sleep:") == 0;
    if (!sleep && token.compare(0, 4, "cpu:") != 0)
        return false;
    const std::string number = token.substr(sleep ? 6 : 4);
    char* end = nullptr;
    unsigned long ms = std::strtoul(number.c_str(), &end, 10);
    if (number.empty() || number.size() > 7 || *end != '\0')
        return false;
    m_kind = sleep ? Wait : Burn;
    m_ms = static_cast<DWORD>(ms);
    return true;
}

HRESULT Workload::Spend(DispatchCall& call) const {
    if (!m_badToken.empty())
        return call.Raise(E_INVALIDARG, L"无法识别的 Work 设置: " + CodePage::Wide(m_badToken));
    if (m_kind == Wait)
        Sleep(m_ms);
    else if (m_kind == Burn)
        BurnProcessor(m_ms);
    return S_OK;
}

void Workload::BurnProcessor(DWORD ms) {
    const ULONGLONG until = ThreadTimeMs() + ms;
    // A host that keeps no thread times would never reach until: the clock bounds the work.
    const DWORD start = GetTickCount();
    const DWORD bound = ms * 20 + 1000;
    volatile unsigned sum = 0;
    while (ThreadTimeMs() < until && GetTickCount() - start < bound) {
        for (unsigned i = 0; i < 20000; ++i)
            sum = sum + i;
    }
}
