// The one version number of CMakeLists.txt as Windows shows it: each program's version resource,
// tandrelc /version and the About box's version label.
#include "FileVersion.h"
#include "TandrelApp.h"
#include "TandrelcProcess.h"
#include "TempDir.h"
#include "UiPump.h"
#include "framework/CString.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// "1, 0, 0, 1" from "1.0.0.1", as the About box has always shown it.
std::string WithCommas(std::string version) {
    for (size_t at = version.find('.'); at != std::string::npos; at = version.find('.', at))
        version.replace(at, 1, ", ");
    return version;
}

} // namespace

TEST(VersionInfo, BothProgramsCarryTheProjectVersionAndTheirOwnNames) {
    const struct {
        std::string path;
        const char* originalName;
        const char* description;
    } cases[] = {
        {TandrelApp::ProgramPath(TANDREL_EXE_FROM_HERE), "tandrel.exe", "批量转换工具"},
        {TandrelcProcess::ExePath(), "tandrelc.exe", "批量转换工具 (命令行)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.originalName);
        FileVersion info(c.path);
        ASSERT_TRUE(info.Loaded());
        EXPECT_EQ(TANDREL_EXPECTED_VERSION, info.FileNumbers());
        EXPECT_EQ(TANDREL_EXPECTED_VERSION, info.ProductNumbers());
        EXPECT_EQ(TANDREL_EXPECTED_VERSION, info.Value("FileVersion"));
        EXPECT_EQ(TANDREL_EXPECTED_VERSION, info.Value("ProductVersion"));
        EXPECT_EQ(c.originalName, info.Value("OriginalFilename"));
        EXPECT_EQ(c.description, info.Value("FileDescription"))
            << Utf8(info.Value("FileDescription"));
        EXPECT_EQ("Tandrel", info.Value("ProductName"));
        EXPECT_EQ("Tandrel 软件工作室", info.Value("CompanyName"));
        EXPECT_EQ("Copyright (C) 2026 Tandrel", info.Value("LegalCopyright"));
    }
}

TEST(VersionInfo, TandrelcAndTheAboutBoxTellTheProjectVersion) {
    TempDir work("version");
    TandrelcProcess tandrelc;
    ASSERT_TRUE(tandrelc.Start("/version", work.path()));
    EXPECT_EQ(0, tandrelc.Wait());
    EXPECT_EQ(std::string("tandrelc ") + TANDREL_EXPECTED_VERSION + "\r\n", tandrelc.Out());

    CString label;
    label.LoadString(IDS_VERSION);
    EXPECT_EQ(WithCommas(TANDREL_EXPECTED_VERSION), label.str());
}
