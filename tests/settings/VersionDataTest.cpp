#include "search/settings/VersionData.h"

#include <gtest/gtest.h>

#include "platform/version/VersionBlock.h"
#include "support/TempTree.h"

namespace {

void ExpectProductData(const TVersionInfo& info) {
  EXPECT_EQ(info.CompanyName, "Vantrel Software");
  EXPECT_EQ(info.ProductName, "Search");
  EXPECT_EQ(info.FileVersion, "7.0.0.57");
  EXPECT_EQ(info.ProductVersion, "7.0");
  EXPECT_EQ(info.FileOS, "32 bit Windows");
  EXPECT_EQ(info.FileType, "Application");
  EXPECT_EQ(info.FileSubType, "");
  EXPECT_TRUE(info.IsPreRelease);
  EXPECT_FALSE(info.IsDebug);
  EXPECT_FALSE(info.IsPrivateBuild);
  EXPECT_FALSE(info.IsSpecialBuild);
  EXPECT_FALSE(info.Url.empty());
  EXPECT_EQ(info.Url.back(), '/');
  EXPECT_FALSE(info.Email.empty());
}

}  // namespace

TEST(VersionData, ReadsTheRunningProgram) {
  TVersionData data;
  EXPECT_EQ(data.FileName(), platform::version::RunningExecutable());
  ExpectProductData(data.VersionInfo());
}

TEST(VersionData, ReadsTheCommandLineProgram) {
  TVersionData data(SEARCH_CLI_PATH);
  ExpectProductData(data.VersionInfo());
}

TEST(VersionData, AFileWithoutABlockLeavesEverythingEmpty) {
  TempTree tree;
  TVersionData data;
  int changes = 0;
  data.OnChange = [&](TVersionData&) { ++changes; };
  data.SetFileName(tree.Write("plain.txt", "no block").string());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(data.VersionInfo().CompanyName, "");
  EXPECT_EQ(data.VersionInfo().FileVersion, "");
  EXPECT_FALSE(data.VersionInfo().IsPreRelease);
}

TEST(VersionData, AnotherLanguageGivesTheFixedPartOnly) {
  TVersionData data;
  int changes = 0;
  data.OnChange = [&](TVersionData&) { ++changes; };
  data.SetLanguage(TLanguage::lnUSEnglish);
  data.SetCharacterSet(TCharacterSet::csUnicode);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(data.VersionInfo().CompanyName, "");
  EXPECT_EQ(data.VersionInfo().ProductName, "");
  EXPECT_EQ(data.VersionInfo().ProductVersion, "7.0.0.0");  // the fixed numbers
  EXPECT_EQ(data.VersionInfo().FileVersion, "7.0.0.57");
  data.SetLanguage(TLanguage::lnUSEnglish);  // the same value reads nothing
  EXPECT_EQ(changes, 2);
}

TEST(VersionData, ALanguageOutsideTheTableIsAnError) {
  TVersionData data;
  EXPECT_THROW(data.SetLanguage(static_cast<TLanguage>(45)), std::out_of_range);
  EXPECT_THROW(data.SetCharacterSet(static_cast<TCharacterSet>(12)), std::out_of_range);
}

TEST(VersionTables, LanguagesAndCodePages) {
  const std::pair<TLanguage, uint16_t> languages[] = {
      {TLanguage::lnArabic, 0x0401},           {TLanguage::lnUSEnglish, 0x0409},
      {TLanguage::lnBahasa, 0x0421},           {TLanguage::lnSimplifiedChinese, 0x0804},
      {TLanguage::lnUKEnglish, 0x0809},        {TLanguage::lnSerboCroatian, 0x081A},
      {TLanguage::lnCanadianFrench, 0x0C0C},   {TLanguage::lnSwissFrench, 0x100C},
  };
  for (const auto& [language, id] : languages) EXPECT_EQ(LanguageId(language), id);
  const std::pair<TCharacterSet, uint16_t> sets[] = {
      {TCharacterSet::csASCII, 0}, {TCharacterSet::csUnicode, 1200},
      {TCharacterSet::csMultilingual, 1252}, {TCharacterSet::csArabic, 1256}};
  for (const auto& [set, page] : sets) EXPECT_EQ(CodePage(set), page);
}

TEST(VersionTables, CodeTexts) {
  EXPECT_EQ(FileOSText(0x40004), "Windows NT with 32 bit Windows");
  EXPECT_EQ(FileOSText(0x10000), "MS-Dos");
  EXPECT_EQ(FileOSText(5), "Unknown");
  EXPECT_EQ(FileTypeText(7), "Static-Link Library");
  EXPECT_EQ(FileTypeText(6), "Unknown");
  EXPECT_EQ(FileTypeText(0), "Unknown");
  EXPECT_EQ(FileSubTypeText(3, 10), "Communications");
  EXPECT_EQ(FileSubTypeText(3, 11), "Unknown");
  EXPECT_EQ(FileSubTypeText(4, 3), "TrueType");
  EXPECT_EQ(FileSubTypeText(4, 0), "Unknown");
  EXPECT_EQ(FileSubTypeText(1, 3), "");
}
