#include "OfficeSim.h"

#include "OfficeCalls.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(OfficeSimSupport, DocumentsReadBackAsWritten) {
    TempDir dir;
    std::string format, payload;
    OfficeSim::WriteDoc(dir / "乗.doc", "doc", std::string("a\0b\r\nOFFICESIM xls\r\n", 19));
    ASSERT_TRUE(OfficeSim::ReadDoc(dir / "乗.doc", &format, &payload));
    EXPECT_EQ("doc", format);
    EXPECT_EQ(std::string("a\0b\r\nOFFICESIM xls\r\n", 19), payload);
    EXPECT_EQ("OFFICESIM doc\r\n" + payload, ReadFileBytes(dir / "乗.doc"));

    OfficeSim::WriteDoc(dir / "plain.xls", "", "只有正文");
    ASSERT_TRUE(OfficeSim::ReadDoc(dir / "plain.xls", &format, &payload));
    EXPECT_EQ("", format);
    EXPECT_EQ("只有正文", payload);
    EXPECT_FALSE(OfficeSim::ReadDoc(dir / "missing.doc", &format, &payload));
}

TEST(OfficeSimSupport, SettingsLiveAsLongAsTheObject) {
    std::string journal;
    {
        OfficeSim sim;
        journal = sim.JournalPath();
        sim.Fault("bad.doc", "save-die");
        sim.QuitError(true);
        char value[MAX_PATH] = {};
        DWORD size = sizeof(value);
        ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, "Software\\Tandrel\\OfficeSim",
                                              "Journal", RRF_RT_REG_SZ, nullptr, value, &size));
        EXPECT_EQ(journal, value);
        size = sizeof(value);
        ASSERT_EQ(ERROR_SUCCESS,
                  RegGetValueA(HKEY_CURRENT_USER, "Software\\Tandrel\\OfficeSim\\Faults", "bad.doc",
                               RRF_RT_REG_SZ, nullptr, value, &size));
        EXPECT_STREQ("save-die", value);
        EXPECT_TRUE(sim.JournalLines().empty());
    }
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tandrel\\OfficeSim", 0, KEY_READ, &key));
    OfficeSim fresh;
    EXPECT_NE(journal, fresh.JournalPath()) << "each object journals into a file of its own";
}

TEST(OfficeSimSupport, JournalLinesSplitIntoCallsAndProcesses) {
    OfficeSim sim;
    {
        std::FILE* file = std::fopen(sim.JournalPath().c_str(), "wb");
        ASSERT_NE(nullptr, file);
        std::fputs("12\tqor.app\tCREATE\t-\r\n12\tqor.app\tGET\t6\r\n7\tlx.server\tCREATE\t-\r\n",
                   file);
        std::fclose(file);
    }
    EXPECT_EQ((std::vector<std::string>{"12\tqor.app\tCREATE\t-", "12\tqor.app\tGET\t6",
                                        "7\tlx.server\tCREATE\t-"}),
              sim.JournalLines());
    EXPECT_EQ(
        (std::vector<std::string>{"qor.app\tCREATE\t-", "qor.app\tGET\t6", "lx.server\tCREATE\t-"}),
        sim.Calls());
    EXPECT_EQ((std::vector<DWORD>{12, 7}), sim.JournalPids());
    sim.ClearJournal();
    EXPECT_TRUE(sim.Calls().empty());
}

TEST(OfficeSimSupport, ExpectedCallsFollowTheConvertersArgumentConventions) {
    const std::vector<std::string> open = OfficeCalls::WordOpenArgs("C:\\乗.doc");
    ASSERT_EQ(15u, open.size());
    EXPECT_EQ("REF:BSTR:C:\\乗.doc", open[0]);
    EXPECT_EQ("REF:I2:1", open[2]);
    EXPECT_EQ(13, std::count(open.begin(), open.end(), "REF:ERROR:80020004"));
    const std::vector<std::string> save = OfficeCalls::SheetSaveArgs("D:\\a.lx");
    ASSERT_EQ(11u, save.size());
    EXPECT_EQ("I4:0", save[6]);
    EXPECT_EQ(9, std::count(save.begin(), save.end(), "ERROR:80020004"));
}
