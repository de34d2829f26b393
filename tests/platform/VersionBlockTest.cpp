#include "platform/version/VersionBlock.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/version/ElfSection.h"
#include "support/TempTree.h"

using namespace platform::version;

TEST(VersionBlock, ParsesFixedPartAndStrings) {
  const VersionBlock block = VersionBlock::Parse(
      "VANTREL-VERSION 1\n"
      "FILEVERSION 7,0,0,57\n"
      "PRODUCTVERSION 7,0,0,0\n"
      "FILEFLAGS 0x2B\n"
      "FILEOS 0x40004\n"
      "FILETYPE 3\n"
      "FILESUBTYPE 0x9\n"
      "BLOCK \"080904E4\"\n"
      "VALUE \"CompanyName\" \"Vantrel Software\"\n"
      "VALUE \"Comment\" \"say \\\"hi\\\" \\\\ there\"\n"
      "VALUE \"Broken\"\n"
      "nonsense line\n"
      "BLOCK \"040904B0\"\n"
      "VALUE \"CompanyName\" \"Other\"\n"
      "END\n");
  ASSERT_NE(block.Fixed(), nullptr);
  EXPECT_EQ(block.Fixed()->fileVersionMS, 0x00070000u);
  EXPECT_EQ(block.Fixed()->fileVersionLS, 57u);
  EXPECT_EQ(block.Fixed()->productVersionMS, 0x00070000u);
  EXPECT_EQ(block.Fixed()->fileFlags, 0x2Bu);
  EXPECT_EQ(block.Fixed()->fileOS, 0x40004u);
  EXPECT_EQ(block.Fixed()->fileType, 3u);
  EXPECT_EQ(block.Fixed()->fileSubtype, 9u);
  EXPECT_EQ(block.QueryString("080904e4", "companyname"), "Vantrel Software");
  EXPECT_EQ(block.QueryString("080904E4", "Comment"), "say \"hi\" \\ there");
  EXPECT_EQ(block.QueryString("040904B0", "CompanyName"), "Other");
  EXPECT_EQ(block.QueryString("080904E4", "Broken"), std::nullopt);
  EXPECT_EQ(block.QueryString("080904E4", "ProductName"), std::nullopt);
}

TEST(VersionBlock, WithoutAFileVersionThereIsNoFixedPart) {
  for (const char* text : {"", "FILEVERSION 7,0,0\n", "FILEVERSION 7,0,0,65536\n", "FILEVERSION x\n", "\x01\x02\xff"}) {
    EXPECT_EQ(VersionBlock::Parse(text).Fixed(), nullptr) << text;
  }
}

TEST(VersionBlock, OurOwnExecutableCarriesTheBlock) {
  const std::optional<VersionBlock> block = ReadVersionBlock(RunningExecutable());
  ASSERT_TRUE(block.has_value());
  ASSERT_NE(block->Fixed(), nullptr);
  EXPECT_EQ(block->Fixed()->fileVersionLS, 57u);
  EXPECT_EQ(block->QueryString("080904E4", "ProductName"), "Search");
}

TEST(VersionBlock, FilesWithoutABlockGiveNothing) {
  TempTree tree;
  std::ifstream self(RunningExecutable(), std::ios::binary);
  std::string head(200, '\0');
  self.read(head.data(), 200);
  const std::vector<std::filesystem::path> files = {
      tree.Write("text.txt", "just text"),
      tree.Write("empty", ""),
      tree.Write("truncated-elf", head),
      tree.Root() / "missing",
      tree.Root(),
      "/bin/sh",
  };
  for (const auto& file : files) EXPECT_FALSE(ReadVersionBlock(file).has_value()) << file;
}

TEST(ElfSection, FindsSectionsByName) {
  EXPECT_TRUE(ReadElfSection(RunningExecutable(), ".shstrtab").has_value());
  EXPECT_FALSE(ReadElfSection(RunningExecutable(), ".no-such-section").has_value());
}
