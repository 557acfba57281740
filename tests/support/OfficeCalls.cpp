#include "OfficeCalls.h"

namespace {

const std::string kOmitted = "ERROR:80020004";

// count arguments, all omitted but those given by position (0 = first).
std::vector<std::string> Arguments(size_t count,
                                   const std::vector<std::pair<size_t, std::string>>& given) {
    std::vector<std::string> args(count, kOmitted);
    for (const auto& arg : given)
        args[arg.first] = arg.second;
    return args;
}

// The word processor takes every method argument by reference.
std::vector<std::string> ByReference(std::vector<std::string> args) {
    for (std::string& arg : args)
        arg = "REF:" + arg;
    return args;
}

// One journal entry: object TAB kind TAB dispid, then TAB and each argument.
std::string Entry(const std::string& object, const std::string& kind, const std::string& dispid,
                  const std::vector<std::string>& args = {}) {
    std::string entry = object + "\t" + kind + "\t" + dispid;
    for (const std::string& arg : args)
        entry += "\t" + arg;
    return entry;
}

} // namespace

std::vector<std::string> OfficeCalls::WordStart() {
    return {Entry("qor.app", "CREATE", "-"), Entry("qor.app", "PUT", "23", {"BOOL:0"}),
            Entry("qor.app", "GET", "6")};
}

std::vector<std::string> OfficeCalls::WordConvert(const std::string& source,
                                                  const std::string& target) {
    return {Entry("qor.documents", "METHOD", "18",
                  ByReference(Arguments(15, {{0, "BSTR:" + source}, {2, "I2:1"}}))),
            Entry("qor.document", "PUT", "4101", {"BOOL:0"}),
            Entry("qor.document", "METHOD", "376",
                  ByReference(Arguments(16, {{0, "BSTR:" + target}, {1, "I2:0"}}))),
            Entry("qor.document", "METHOD", "1105",
                  ByReference(Arguments(3, {{0, "I2:0"}, {1, "I2:2"}})))};
}

std::string OfficeCalls::WordQuit() {
    return Entry("qor.app", "METHOD", "1105", ByReference(Arguments(3, {{0, "I2:0"}})));
}

std::vector<std::string> OfficeCalls::SheetStart() {
    return {Entry("lx.server", "CREATE", "-"), Entry("lx.server", "GET", "1"),
            Entry("lx.app", "GET", "572"), Entry("lx.app", "PUT", "1695", {"BOOL:0"})};
}

std::vector<std::string> OfficeCalls::SheetConvert(const std::string& source,
                                                   const std::string& target) {
    return {
        Entry("lx.workbooks", "METHOD", "682", Arguments(13, {{0, "BSTR:" + source}})),
        Entry("lx.workbook", "METHOD", "284", Arguments(11, {{0, "BSTR:" + target}, {6, "I4:0"}})),
        Entry("lx.workbook", "METHOD", "277", {"I2:0", "I2:0", "I2:0"})};
}
