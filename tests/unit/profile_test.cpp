#include "platform/profile.h"

#include <string>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "tests/support/test_files.h"

namespace {

using platform::ReadProfileString;
using platform::WriteProfileString;

class ProfileTest : public testing::Test {
  protected:
    std::string Ini() const { return mbcs::ToSlashForm(dir.PathOf("varnel.ini")); }
    std::string Read(const std::string& key, const std::string& section = "Basic") const {
        return ReadProfileString(section, key, "dflt", Ini());
    }

    TestDir dir;
};

TEST_F(ProfileTest, MissingFileGivesDefaultAndIsNotCreated) {
    EXPECT_EQ(Read("AutoSort"), "dflt");
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(ProfileTest, LookupIgnoresCaseAndBlanksAndStaysInItsSection) {
    dir.MakeFile("varnel.ini",
                 "[Other]\r\nToolPath=elsewhere\r\n[basic]\r\n  autosort  =  on  \r\nEmpty=\r\n"
                 "NoValue\r\nQuoted=\"a b\"\r\n");
    EXPECT_EQ(Read("AutoSort", "BASIC"), "on");
    EXPECT_EQ(Read("ToolPath"), "dflt");
    EXPECT_EQ(Read("Empty"), "");
    EXPECT_EQ(Read("NoValue"), "dflt");
    EXPECT_EQ(Read("Quoted"), "a b");
    EXPECT_EQ(Read("Missing"), "dflt");
    EXPECT_EQ(Read("AutoSort", "Missing"), "dflt");
}

TEST_F(ProfileTest, LongValuesAreCutTo255Bytes) {
    dir.MakeFile("varnel.ini", "[Basic]\r\nLong=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(Read("Long"), std::string(255, 'v'));
    EXPECT_EQ(ReadProfileString("Basic", "Missing", std::string(300, 'd'), Ini()),
              std::string(255, 'd'));
}

TEST_F(ProfileTest, CutNeverSplitsADoubleByteCharacter) {
    std::string kana;
    for (int i = 0; i < 150; ++i) {
        kana += "あ";
    }
    dir.MakeFile("varnel.ini", "[Basic]\r\nEven=" + kana + "\r\nOdd=v" + kana + "\r\n");
    EXPECT_EQ(Read("Even"), kana.substr(0, 254));
    EXPECT_EQ(Read("Odd"), "v" + kana.substr(0, 254));
}

TEST_F(ProfileTest, FirstWriteCreatesFileAndSectionWithCrLf) {
    EXPECT_TRUE(WriteProfileString("Basic", "A", "1", Ini()));
    EXPECT_TRUE(WriteProfileString("Basic", "B", "", Ini()));
    EXPECT_EQ(dir.Read("varnel.ini"), "[Basic]\r\nA=1\r\nB=\r\n");
    EXPECT_EQ(Read("B"), "");
}

TEST_F(ProfileTest, WriteReplacesInPlaceAndAppendsToTheSection) {
    dir.MakeFile("varnel.ini",
                 "; settings\r\n[Other]\r\nA=keep\r\n[Basic]\r\nA=old\r\n; note\r\nB=2\r\n"
                 "[Last]\r\nZ=9\r\n");
    EXPECT_TRUE(WriteProfileString("Basic", "a", "new", Ini()));
    EXPECT_TRUE(WriteProfileString("Basic", "C", "3", Ini()));
    EXPECT_TRUE(WriteProfileString("New", "D", "4", Ini()));
    EXPECT_EQ(dir.Read("varnel.ini"),
              "; settings\r\n[Other]\r\nA=keep\r\n[Basic]\r\nA=new\r\n; note\r\nB=2\r\nC=3\r\n"
              "[Last]\r\nZ=9\r\n[New]\r\nD=4\r\n");
}

TEST_F(ProfileTest, WriteEndsAnUnfinishedLastLine) {
    dir.MakeFile("varnel.ini", "[Basic]\r\nA=1");
    EXPECT_TRUE(WriteProfileString("Basic", "B", "2", Ini()));
    EXPECT_EQ(dir.Read("varnel.ini"), "[Basic]\r\nA=1\r\nB=2\r\n");
}

TEST_F(ProfileTest, WriteToLfFileKeepsItReadable) {
    dir.MakeFile("varnel.ini", "[Basic]\nA=1\n[Other]\nK=3\n");
    EXPECT_TRUE(WriteProfileString("Basic", "C", "5", Ini()));
    EXPECT_NE(dir.Read("varnel.ini").find("C=5\r\n"), std::string::npos);
    EXPECT_EQ(Read("A"), "1");
    EXPECT_EQ(Read("C"), "5");
    EXPECT_EQ(Read("C", "Other"), "dflt");
    EXPECT_EQ(Read("K", "Other"), "3");
}

TEST_F(ProfileTest, WriteIntoMissingFolderFailsAndCreatesNothing) {
    std::string ini = mbcs::ToSlashForm(dir.PathOf("missing")) + "/varnel.ini";
    EXPECT_FALSE(WriteProfileString("Basic", "A", "1", ini));
    EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
