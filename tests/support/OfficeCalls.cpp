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

std::vector<std::string> ByReference(std::vector<std::string> args) {
    for (std::string& arg : args)
        arg = "REF:" + arg;
    return args;
}

} // namespace

std::vector<std::string> OfficeCalls::WordStart() {
    return {Entry("qor.app", "CREATE", "-"), Entry("qor.app", "PUT", "23", {"BOOL:0"}),
            Entry("qor.app", "GET", "6")};
}

std::vector<std::string> OfficeCalls::WordConvert(const std::string& source,
                                                  const std::string& target) {
    return {Entry("qor.documents", "METHOD", "18", WordOpenArgs(source)),
            Entry("qor.document", "PUT", "4101", {"BOOL:0"}),
            Entry("qor.document", "METHOD", "376", WordSaveArgs(target)),
            Entry("qor.document", "METHOD", "1105", WordCloseArgs())};
}

std::string OfficeCalls::WordQuit() {
    return Entry("qor.app", "METHOD", "1105", WordQuitArgs());
}

std::vector<std::string> OfficeCalls::SheetStart() {
    return {Entry("lx.server", "CREATE", "-"), Entry("lx.server", "GET", "1"),
            Entry("lx.app", "GET", "572"), Entry("lx.app", "PUT", "1695", {"BOOL:0"})};
}

std::vector<std::string> OfficeCalls::SheetConvert(const std::string& source,
                                                   const std::string& target) {
    return {Entry("lx.workbooks", "METHOD", "682", SheetOpenArgs(source)),
            Entry("lx.workbook", "METHOD", "284", SheetSaveArgs(target)),
            Entry("lx.workbook", "METHOD", "277", SheetCloseArgs())};
}

std::vector<std::string> OfficeCalls::WordOpenArgs(const std::string& path) {
    return ByReference(Arguments(15, {{0, "BSTR:" + path}, {2, "I2:1"}}));
}

std::vector<std::string> OfficeCalls::WordSaveArgs(const std::string& target) {
    return ByReference(Arguments(16, {{0, "BSTR:" + target}, {1, "I2:0"}}));
}

std::vector<std::string> OfficeCalls::WordCloseArgs() {
    return ByReference(Arguments(3, {{0, "I2:0"}, {1, "I2:2"}}));
}

std::vector<std::string> OfficeCalls::WordQuitArgs() {
    return ByReference(Arguments(3, {{0, "I2:0"}}));
}

std::vector<std::string> OfficeCalls::SheetOpenArgs(const std::string& path) {
    return Arguments(13, {{0, "BSTR:" + path}});
}

std::vector<std::string> OfficeCalls::SheetSaveArgs(const std::string& target) {
    return Arguments(11, {{0, "BSTR:" + target}, {6, "I4:0"}});
}

std::vector<std::string> OfficeCalls::SheetCloseArgs() {
    return {"I2:0", "I2:0", "I2:0"};
}

std::string OfficeCalls::Entry(const std::string& object, const std::string& kind,
                               const std::string& dispid, const std::vector<std::string>& args) {
    std::string entry = object + "\t" + kind + "\t" + dispid;
    for (const std::string& arg : args)
        entry += "\t" + arg;
    return entry;
}
