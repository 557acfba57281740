#pragma once
#include "common/DispatchCall.h"

#include <string>
#include <vector>

// The faults configured for one source file, rules separated by ";":
// open-nothing, open-error:<hex scode>:<text>, save-error:..., close-error:...,
// save-fail:<hex hresult>, save-nothing, save-die, delay:<open|save|close>:<ms>,
// hang:<open|save|close>, busy:<n>.
class FaultRules {
public:
    enum Operation { Open, Save, Close };

    explicit FaultRules(const std::string& rules);
    // The rules configured for the file name part of path.
    static FaultRules ForFile(const std::wstring& path);

    // Carries out the faults that come before op's work: waits the configured delay, hangs for
    // ever if so configured, then raises the configured error through call. S_OK when the work may
    // go on. A rule that cannot be read makes every operation on the file fail, so that a typing
    // error shows.
    HRESULT Apply(Operation op, DispatchCall& call) const;

    // The first rule that could not be read, or "" when all are good.
    const std::string& BadRule() const { return m_badRule; }
    DWORD DelayMs(Operation op) const;
    bool OpenNothing() const { return Find(Nothing, Open) != nullptr; }
    // Whether save must return a failure HRESULT of its own (not an application error).
    bool SaveFail(HRESULT* hr) const;
    bool SaveDie() const { return Find(Die, Save) != nullptr; }
    // Whether save must report success and write nothing.
    bool SaveNothing() const { return Find(Nothing, Save) != nullptr; }
    // How many calls the application rejects as busy once the file has been opened.
    DWORD BusyCalls() const;

private:
    enum Action { Delay, Nothing, Raise, Fail, Die, Hang, Busy };
    struct Rule {
        Action action;
        Operation op;
        DWORD number;
        std::string text;
    };

    bool Parse(const std::string& rule);
    const Rule* Find(Action action, Operation op) const;

    std::vector<Rule> m_rules;
    std::string m_badRule;
};
