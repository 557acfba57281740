#include "common/FaultRules.h"

#include "common/CodePage.h"
#include "common/OfficeSimSettings.h"
#include "common/StandInFile.h"

#include <cstdlib>

namespace {

bool ParseOperation(const std::string& name, FaultRules::Operation* op) {
    if (name == "open")
        *op = FaultRules::Open;
    else if (name == "save")
        *op = FaultRules::Save;
    else if (name == "close")
        *op = FaultRules::Close;
    else
        return false;
    return true;
}

bool ParseNumber(const std::string& text, int base, DWORD* number) {
    if (text.empty() || text.size() > 10)
        return false;
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, base);
    *number = static_cast<DWORD>(value);
    return *end == '\0';
}

// Splits "head:rest" at the first colon; rest is "" when there is none.
std::string SplitHead(const std::string& text, std::string* rest) {
    size_t colon = text.find(':');
    *rest = colon == std::string::npos ? std::string() : text.substr(colon + 1);
    return text.substr(0, colon);
}

// A dialog that nobody answers: the application goes on pumping messages, but the call that
// showed it never returns.
[[noreturn]] void HangForever() {
    for (;;) {
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace

FaultRules::FaultRules(const std::string& rules) {
    for (const std::string& rule : OfficeSimSettings::Items(rules)) {
        if (!Parse(rule) && m_badRule.empty())
            m_badRule = rule;
    }
}

bool FaultRules::Parse(const std::string& rule) {
    std::string rest;
    std::string head = SplitHead(rule, &rest);
    Rule parsed{Nothing, Open, 0, std::string()};
    if (rule == "open-nothing") {
        // The defaults already say it.
    } else if (rule == "save-nothing") {
        parsed.op = Save;
    } else if (rule == "save-die") {
        parsed = {Die, Save, 0, std::string()};
    } else if (head == "save-fail") {
        parsed = {Fail, Save, 0, std::string()};
        if (!ParseNumber(rest, 16, &parsed.number))
            return false;
    } else if (head.size() > 6 && head.compare(head.size() - 6, 6, "-error") == 0) {
        parsed.action = Raise;
        std::string code = SplitHead(rest, &parsed.text);
        if (!ParseOperation(head.substr(0, head.size() - 6), &parsed.op) ||
            !ParseNumber(code, 16, &parsed.number))
            return false;
    } else if (head == "hang") {
        parsed.action = Hang;
        if (!ParseOperation(rest, &parsed.op))
            return false;
    } else if (head == "busy") {
        parsed.action = Busy;
        if (!ParseNumber(rest, 10, &parsed.number))
            return false;
    } else if (head == "delay") {
        parsed.action = Delay;
        std::string ms;
        std::string op = SplitHead(rest, &ms);
        if (!ParseOperation(op, &parsed.op) || !ParseNumber(ms, 10, &parsed.number))
            return false;
    } else {
        return false;
    }
    m_rules.push_back(parsed);
    return true;
}

const FaultRules::Rule* FaultRules::Find(Action action, Operation op) const {
    for (const Rule& rule : m_rules) {
        if (rule.action == action && rule.op == op)
            return &rule;
    }
    return nullptr;
}

DWORD FaultRules::DelayMs(Operation op) const {
    const Rule* rule = Find(Delay, op);
    return rule ? rule->number : 0;
}

FaultRules FaultRules::ForFile(const std::wstring& path) {
    return FaultRules(OfficeSimSettings::FaultRules(CodePage::Narrow(StandInFile::FileName(path))));
}

HRESULT FaultRules::Apply(Operation op, DispatchCall& call) const {
    if (!m_badRule.empty())
        return call.Raise(E_INVALIDARG, L"无法识别的故障规则: " + CodePage::Wide(m_badRule));
    Sleep(DelayMs(op));
    if (Find(Hang, op) != nullptr)
        HangForever();
    const Rule* error = Find(Raise, op);
    return error ? call.Raise(static_cast<SCODE>(error->number), CodePage::Wide(error->text))
                 : S_OK;
}

DWORD FaultRules::BusyCalls() const {
    const Rule* rule = Find(Busy, Open);
    return rule ? rule->number : 0;
}

bool FaultRules::SaveFail(HRESULT* hr) const {
    const Rule* rule = Find(Fail, Save);
    if (rule == nullptr)
        return false;
    *hr = static_cast<HRESULT>(rule->number);
    return true;
}
