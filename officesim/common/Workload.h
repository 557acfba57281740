#pragma once
#include "common/DispatchCall.h"

#include <string>

// The cost of a real application's work, for benchmarks (the Work value), tokens separated by
// ";": sleep:<ms> makes every open and every save wait that long, cpu:<ms> keeps the processor
// busy that long (time of the serving thread, not of the clock); single-process serves every
// creation from one process, as an office suite may do.
class Workload {
public:
    explicit Workload(const std::string& text);
    // The Work value of the settings, read afresh.
    static Workload Read();

    bool SingleProcess() const { return m_bSingleProcess; }
    // Spends one open's or save's cost on the calling thread. A Work value that cannot be read
    // fails the call, so that a typing error shows.
    HRESULT Spend(DispatchCall& call) const;

private:
    enum Kind { None, Wait, Burn };

    bool Parse(const std::string& token);
    static void BurnProcessor(DWORD ms);

    Kind m_kind = None;
    DWORD m_ms = 0;
    bool m_bSingleProcess = false;
    std::string m_badToken;
};
