#include "search/settings/DataModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "search/settings/RegistryError.h"
#include "SettingsFixture.h"
#include "platform/version/VersionBlock.h"

using namespace platform::registry;

namespace {

class DataModuleTest : public SettingsFixture {
 protected:
  DataModuleTest() {
    places.registryFolder = tree.Root();
    places.executable = SEARCH_CLI_PATH;
    places.homeFolder = tree.MakeFolder("home").string();
  }

  std::unique_ptr<TDataMod> Start() { return std::make_unique<TDataMod>(places); }

  TDataModPlaces places;
};

std::string EightBytes(uint64_t bits) {
  std::string bytes(8, '\0');
  for (size_t i = 0; i < 8; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return bytes;
}

std::string DoubleBytes(double number) {
  uint64_t bits = 0;
  std::memcpy(&bits, &number, sizeof bits);
  return EightBytes(bits);
}

template <typename Setting>
struct Row {
  Setting TDataMod::*member;
  const char* name;
  typename std::remove_cvref_t<decltype(std::declval<Setting>().Value())> defaultValue;
};

const Row<TBoolSetting> kBools[] = {
    {&TDataMod::ShowStatusBar, "ShowStatusBar", true},
    {&TDataMod::UseToolTray, "UseToolTray", false},
    {&TDataMod::ShowButtonCaptions, "ShowButtonCaptions", true},
    {&TDataMod::ShowHints, "ShowHints", true},
    {&TDataMod::ShowRegularExpressions, "ShowRegularExpressions", false},
    {&TDataMod::AutoComplete, "AutoComplete", true},
    {&TDataMod::ShowsResultsAsFound, "ShowsResultsAsFound", false},
    {&TDataMod::AutoExpand, "AutoExpand", true},
    {&TDataMod::RecurseSubdirectories, "RecurseSubdirectories", false},
    {&TDataMod::CaseSensitive, "CaseSensitive", false},
    {&TDataMod::WholeWordOnly, "WholeWordOnly", false},
    {&TDataMod::MinimiseWhitespace, "MinimiseWhitespace", true},
    {&TDataMod::ShowMatches, "ShowMatches", true},
    {&TDataMod::RegularExpressions, "RegularExpressions", false},
    {&TDataMod::IncludeBlankLines, "IncludeBlankLines", false},
    {&TDataMod::ShowFileSize, "ShowFileSize", false},
    {&TDataMod::ShowFileCreationDate, "ShowFileCreationDate", false},
    {&TDataMod::ShowFileModifiedDate, "ShowFileModifiedDate", false},
    {&TDataMod::ShowFileAccessedDate, "ShowFileAccessedDate", false},
    {&TDataMod::SortAscending, "SortAscending", true},
    {&TDataMod::UseInternalEditor, "UseInternalEditor", true},
    {&TDataMod::UseAssociatedEditor, "UseAssociatedEditor", true},
    {&TDataMod::UseExternalEditor, "UseExternalEditor", false},
    {&TDataMod::EditorRightMarginVisible, "EditorRightMarginVisible", false},
    {&TDataMod::EditorSmartTab, "EditorSmartTab", false},
    {&TDataMod::EditorBackSpaceUnindents, "EditorBackSpaceUnindents", false},
    {&TDataMod::EditorCursorBeyondEOF, "EditorCursorBeyondEOF", false},
    {&TDataMod::EditorDoubleClickLine, "EditorDoubleClickLine", false},
    {&TDataMod::EditorKeepTrailingBlanks, "EditorKeepTrailingBlanks", false},
    {&TDataMod::EditorAutoIndent, "EditorAutoIndent", true},
    {&TDataMod::EditorBracketHighlighting, "EditorBracketHighlighting", false},
    {&TDataMod::EditorShowMatchedLines, "EditorShowMatchedLines", true},
    {&TDataMod::EditorShowMatchedStrings, "EditorShowMatchedStrings", true},
    {&TDataMod::FilterUseSize, "FilterUseSize", false},
    {&TDataMod::FilterUseCreatedDT, "FilterUseCreatedDT", false},
    {&TDataMod::FilterCreatedDTRelative, "FilterCreatedDTRelative", true},
    {&TDataMod::FilterUseModifiedDT, "FilterUseModifiedDT", false},
    {&TDataMod::FilterModifiedDTRelative, "FilterModifiedDTRelative", true},
    {&TDataMod::FilterUseAccessedDT, "FilterUseAccessedDT", false},
    {&TDataMod::FilterAccessedDTRelative, "FilterAccessedDTRelative", true},
    {&TDataMod::FilterUseAttribute, "FilterUseAttribute", false},
};

const Row<TIntegerSetting> kIntegers[] = {
    {&TDataMod::SplitterPosition, "SplitterPosition", 300},
    {&TDataMod::FontSize, "FontSize", 10},
    {&TDataMod::NumberOfLinesToShowBeforeMatch, "NumberOfLinesToShowBeforeMatch", 2},
    {&TDataMod::NumberOfLinesToShowAfterMatch, "NumberOfLinesToShowAfterMatch", 2},
    {&TDataMod::EditorFontSize, "EditorFontSize", 10},
    {&TDataMod::EditorRightMarginPos, "EditorRightMarginPos", 80},
    {&TDataMod::FilterCreatedDTRelativeAmount, "FilterCreatedDTRelativeAmount", 1},
    {&TDataMod::FilterModifiedDTRelativeAmount, "FilterModifiedDTRelativeAmount", 1},
    {&TDataMod::FilterAccessedDTRelativeAmount, "FilterAccessedDTRelativeAmount", 1},
    {&TDataMod::UpdateCheckWhen, "UpdateCheckWhen", 0},
    // colours
    {&TDataMod::MatchedFilesForeColour, "MatchedFilesForeColour", -16777208},
    {&TDataMod::MatchedFilesBackColour, "MatchedFilesBackColour", 0x0000FF00},
    {&TDataMod::MatchedLinesForeColour, "MatchedLinesForeColour", static_cast<int32_t>(0xFF000008u)},
    {&TDataMod::MatchedLinesBackColour, "MatchedLinesBackColour", static_cast<int32_t>(0xFF000005u)},
    {&TDataMod::OtherLinesForeColour, "OtherLinesForeColour", static_cast<int32_t>(0xFF000015u)},
    {&TDataMod::OtherLinesBackColour, "OtherLinesBackColour", static_cast<int32_t>(0xFF000005u)},
    {&TDataMod::ErrorMessagesForeColour, "ErrorMessagesForeColour", 0x00FFFFFF},
    {&TDataMod::ErrorMessagesBackColour, "ErrorMessagesBackColour", 0x000000FF},
    {&TDataMod::EditorForeColour, "EditorForeColour", static_cast<int32_t>(0xFF000008u)},
    {&TDataMod::EditorBackColour, "EditorBackColour", static_cast<int32_t>(0xFF000005u)},
    {&TDataMod::EditorSelForeColour, "EditorSelForeColour", static_cast<int32_t>(0xFF00000Eu)},
    {&TDataMod::EditorSelBackColour, "EditorSelBackColour", static_cast<int32_t>(0xFF00000Du)},
    {&TDataMod::EditorGutterColour, "EditorGutterColour", static_cast<int32_t>(0xFF00000Fu)},
    {&TDataMod::EditorRightMarginColour, "EditorRightMarginColour", static_cast<int32_t>(0xFF00000Fu)},
    {&TDataMod::EditorBracketForeColour, "EditorBracketForeColour", static_cast<int32_t>(0xFF000005u)},
    {&TDataMod::EditorBracketBackColour, "EditorBracketBackColour", static_cast<int32_t>(0xFF000008u)},
    {&TDataMod::EditorMatchedStringForegroundColour, "EditorMatchedStringForegroundColour", 0x0000FFFF},
    {&TDataMod::EditorMatchedStringBackgroundColour, "EditorMatchedStringBackgroundColour", 0x000000FF},
    {&TDataMod::EditorMatchedLineForegroundColour, "EditorMatchedLineForegroundColour", static_cast<int32_t>(0xFF000008u)},
    {&TDataMod::EditorMatchedLineBackgroundColour, "EditorMatchedLineBackgroundColour", static_cast<int32_t>(0xFF000018u)},
};

const Row<TEnumSetting> kEnums[] = {
    {&TDataMod::MatchType, "MatchType", 0},
    {&TDataMod::MatchProximity, "MatchProximity", 0},
    {&TDataMod::SortField, "SortField", 0},
    {&TDataMod::DefaultEditor, "DefaultEditor", 0},
    {&TDataMod::FilterAttributeArchive, "FilterAttributeArchive", 0},
    {&TDataMod::FilterAttributeHidden, "FilterAttributeHidden", 0},
    {&TDataMod::FilterAttributeSystem, "FilterAttributeSystem", 0},
    {&TDataMod::FilterAttributeReadOnly, "FilterAttributeReadOnly", 0},
    {&TDataMod::FilterAttributeCompressed, "FilterAttributeCompressed", 0},
    {&TDataMod::UpdateCheckFrequency, "UpdateCheckFrequency", 1},
};

const Row<TTextSetting> kTexts[] = {
    {&TDataMod::FontName, "FontName", "Courier New"},
    {&TDataMod::Editor, "Editor", ""},
    {&TDataMod::ExternalEditorAguments, "ExternalEditorAguments", ""},
    {&TDataMod::EditorFontName, "EditorFontName", "Courier New"},
    {&TDataMod::EditorTabStops, "EditorTabStops", "3 5 7 9 11 13 15 17 19 21 23 25 27 29 31 33 35 37 39 41"},
    {&TDataMod::FilterCreatedDTRelativeUnits, "FilterCreatedDTRelativeUnits", "Years"},
    {&TDataMod::FilterModifiedDTRelativeUnits, "FilterModifiedDTRelativeUnits", "Years"},
    {&TDataMod::FilterAccessedDTRelativeUnits, "FilterAccessedDTRelativeUnits", "Years"},
    {&TDataMod::AvailableVersion, "AvailableVersion", ""},
    {&TDataMod::AvailableDownload, "AvailableDownload", ""},
};

const Row<TInt64Setting> kInt64s[] = {
    {&TDataMod::FilterMinSize, "FilterMinSize", 0},
    {&TDataMod::FilterMaxSize, "FilterMaxSize", 9223372036854775807LL},
};

const Row<TDateTimeSetting> kDateTimes[] = {
    {&TDataMod::FilterMinCreatedDT, "FilterMinCreatedDT", -657434.0},
    {&TDataMod::FilterMaxCreatedDT, "FilterMaxCreatedDT", 2958465.99999},
    {&TDataMod::FilterMinModifiedDT, "FilterMinModifiedDT", -657434.0},
    {&TDataMod::FilterMaxModifiedDT, "FilterMaxModifiedDT", 2958465.99999},
    {&TDataMod::FilterMinAccessedDT, "FilterMinAccessedDT", -657434.0},
    {&TDataMod::FilterMaxAccessedDT, "FilterMaxAccessedDT", 2958465.99999},
};

const Row<TFontStyleSetting> kFontStyles[] = {
    {&TDataMod::FontStyle, "FontStyle", TFontStyles{}},
    {&TDataMod::EditorFontStyle, "EditorFontStyle", TFontStyles{}},
};

// Checks the name and default of every row, changes each to `changed(default)` and checks the
// stored form `stored(changed value)`; a second start loads the changed values.
template <typename Setting, size_t N, typename Change, typename Stored>
void CheckSettings(const std::function<std::unique_ptr<TDataMod>()>& start,
                   const std::function<std::optional<Value>(const std::string&)>& get,
                   const Row<Setting> (&rows)[N], Change changed, Stored stored) {
  {
    auto dataMod = start();
    for (const auto& row : rows) {
      Setting& setting = (*dataMod).*row.member;
      EXPECT_EQ(setting.Name(), row.name);
      EXPECT_EQ(setting.Value(), row.defaultValue) << row.name;
      EXPECT_FALSE(get(row.name).has_value()) << row.name << " is written on a first start";
      setting.Set(changed(row.defaultValue));
      EXPECT_EQ(get(row.name), stored(changed(row.defaultValue))) << row.name;
    }
  }
  auto again = start();
  for (const auto& row : rows) EXPECT_EQ(((*again).*row.member).Value(), changed(row.defaultValue)) << row.name;
}

}  // namespace

TEST_F(DataModuleTest, EverySettingHasItsNameDefaultAndStorageForm) {
  auto start = [this] { return Start(); };
  auto get = [this](const std::string& name) { return Get(name); };
  CheckSettings(start, get, kBools, [](bool d) { return !d; }, [](bool v) { return DwordValue(v ? 1 : 0); });
  CheckSettings(start, get, kIntegers, [](int32_t d) { return d == 0 ? -1 : d + 7; },
                [](int32_t v) { return DwordValue(static_cast<uint32_t>(v)); });
  CheckSettings(start, get, kEnums, [](uint8_t d) { return static_cast<uint8_t>(d + 2); },
                [](uint8_t v) { return DwordValue(v); });
  CheckSettings(start, get, kTexts, [](const std::string& d) { return d + " changed \"x\""; },
                [](const std::string& v) { return TextValue(v); });
  CheckSettings(start, get, kInt64s, [](int64_t d) { return d == 0 ? int64_t{-1} : d - 5; },
                [](int64_t v) { return BinaryValue(EightBytes(static_cast<uint64_t>(v))); });
  CheckSettings(start, get, kDateTimes, [](double d) { return d + 0.25; },
                [](double v) { return BinaryValue(DoubleBytes(v)); });
  CheckSettings(start, get, kFontStyles, [](const TFontStyles&) { return TFontStyles{true, false, true, false}; },
                [](const TFontStyles&) { return TextValue("bold, underline"); });
}

TEST_F(DataModuleTest, StoredNumbersBeyondTheirControlsAreBroughtWithinRange) {
  const struct {
    TIntegerSetting TDataMod::*member;
    uint32_t stored;
    int32_t loaded;
  } cases[] = {
      {&TDataMod::NumberOfLinesToShowBeforeMatch, 0x7FFFFFFF, 10},
      {&TDataMod::NumberOfLinesToShowAfterMatch, 0xFFFFFFFF, 0},
      {&TDataMod::SplitterPosition, 0x80000000, 0},
      {&TDataMod::FontSize, 0, 1},
      {&TDataMod::EditorFontSize, 100000, 512},
  };
  auto first = Start();
  for (const auto& c : cases) Put(((*first).*c.member).Name(), DwordValue(c.stored));
  auto dataMod = Start();
  for (const auto& c : cases) EXPECT_EQ(((*dataMod).*c.member).Value(), c.loaded) << ((*dataMod).*c.member).Name();
  EXPECT_EQ(Get("NumberOfLinesToShowBeforeMatch"), DwordValue(0x7FFFFFFF));  // loading changes nothing stored
}

TEST_F(DataModuleTest, TheTablesAboveCoverEverySetting) {
  std::set<std::string> tested;
  auto add = [&](const auto& rows) {
    for (const auto& row : rows) EXPECT_TRUE(tested.insert(row.name).second) << row.name;
  };
  add(kBools), add(kIntegers), add(kEnums), add(kTexts), add(kInt64s), add(kDateTimes), add(kFontStyles);
  auto dataMod = Start();
  std::set<std::string> held;
  for (const TSettingBase* setting : dataMod->Settings()) EXPECT_TRUE(held.insert(setting->Name()).second);
  EXPECT_EQ(held, tested);
}

TEST_F(DataModuleTest, FirstStartWritesProgramAndTheListsOnly) {
  auto dataMod = Start();
  EXPECT_TRUE(dataMod->StartupErrors().empty());
  EXPECT_EQ(dataMod->ApplicationTitle(), "Search");
  EXPECT_EQ(dataMod->Path.Items(), std::vector<std::string>{places.homeFolder});
  EXPECT_EQ(dataMod->Files.Items(), std::vector<std::string>{"*.*"});
  for (TSettingsList* list : {&dataMod->ExcludeFiles, &dataMod->ExcludeFolders, &dataMod->StringA, &dataMod->StringB}) {
    EXPECT_EQ(list->Count(), 0u);
  }
  EXPECT_TRUE(dataMod->CustomColours().empty());
  std::vector<std::string> names = ValueNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ExcludeFiles", "ExcludeFolders", "Files", "Files1", "Path", "Path1",
                                             "Program", "StringA", "StringB"}));
  EXPECT_EQ(Get("Program"), TextValue(SEARCH_CLI_PATH));
  EXPECT_EQ(Get("Path1"), TextValue(places.homeFolder));
  EXPECT_EQ(Get("Files1"), TextValue("*.*"));
  EXPECT_EQ(Get("StringA"), DwordValue(0));
}

TEST_F(DataModuleTest, ProgramIsRewrittenAtEveryStart) {
  const auto first = tree.Root() / "first" / "search";
  const auto moved = tree.Root() / "moved" / "search";
  for (const auto& copy : {first, moved}) {
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(SEARCH_CLI_PATH, copy);
  }
  places.executable = first.string();
  Start();
  EXPECT_EQ(Get("Program"), TextValue(first.string()));
  places.executable = moved.string();
  Start();
  EXPECT_EQ(Get("Program"), TextValue(moved.string()));
}

TEST_F(DataModuleTest, WithoutAHomeFolderPathStaysEmpty) {
  places.homeFolder = (tree.Root() / "nobody").string();
  auto dataMod = Start();
  EXPECT_EQ(dataMod->Path.Count(), 0u);
  EXPECT_EQ(Get("Path"), DwordValue(0));
}

TEST_F(DataModuleTest, AStoredEmptyFilesListBecomesStarDotStar) {
  Put("Files", DwordValue(0));
  Put("Path", DwordValue(1));
  Put("Path1", TextValue("/srv/data"));
  auto dataMod = Start();
  EXPECT_EQ(dataMod->Files.Items(), std::vector<std::string>{"*.*"});
  EXPECT_EQ(dataMod->Path.Items(), std::vector<std::string>{"/srv/data"});
  EXPECT_EQ(Get("Files"), DwordValue(1));
}

TEST_F(DataModuleTest, AListWithAMissingItemIsStoredBackTidily) {
  Put("StringA", DwordValue(3));
  Put("StringA1", TextValue("first"));
  Put("StringA3", TextValue("third"));
  auto dataMod = Start();
  EXPECT_EQ(dataMod->StringA.Items(), (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(Get("StringA"), DwordValue(2));
  EXPECT_EQ(Get("StringA2"), TextValue("third"));
  EXPECT_FALSE(Get("StringA3").has_value());
}

TEST_F(DataModuleTest, SettingTheHeldValueWritesNothing) {
  auto dataMod = Start();
  int changes = 0;
  dataMod->OnChange = [&](const std::string&) { ++changes; };
  dataMod->CaseSensitive.Set(true);
  EXPECT_EQ(changes, 1);
  Registry registry(tree.Root());
  RegKey key;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), kSettingsKey, key), Status::Ok);
  ASSERT_EQ(registry.DeleteValue(key, "CaseSensitive"), Status::Ok);
  dataMod->CaseSensitive.Set(true);
  EXPECT_FALSE(Get("CaseSensitive").has_value());
  EXPECT_EQ(changes, 1);
}

TEST_F(DataModuleTest, EnumerationsAreHeldInOneByte) {
  Put("MatchType", DwordValue(258));
  Put("SortField", DwordValue(0xFFFFFF06u));
  auto dataMod = Start();
  EXPECT_EQ(dataMod->MatchType.Value(), 2);
  EXPECT_EQ(dataMod->SortField.Value(), 6);
}

TEST_F(DataModuleTest, FontStylesAreReadLooselyAndWrittenCanonically) {
  Put("FontStyle", TextValue("Italic,Bold"));
  Put("EditorFontStyle", TextValue("strikeout UNDERLINE"));
  auto dataMod = Start();
  EXPECT_EQ(dataMod->FontStyle.Value(), (TFontStyles{true, true, false, false}));
  EXPECT_EQ(dataMod->EditorFontStyle.Value(), (TFontStyles{false, false, true, false}));
  dataMod->FontStyle.Set(TFontStyles{true, true, false, false});
  EXPECT_EQ(Get("FontStyle"), TextValue("Italic,Bold"));  // the same set: nothing written
  dataMod->FontStyle.Set(TFontStyles{true, true, true, false});
  EXPECT_EQ(Get("FontStyle"), TextValue("bold, italic, underline"));
  dataMod->FontStyle.Set(TFontStyles{});
  EXPECT_EQ(Get("FontStyle"), TextValue(""));
  EXPECT_EQ(FontStylesToText(TFontStyles{false, false, false, true}), "strike-out");
}

TEST_F(DataModuleTest, CriteriaListsAreSavedOnEveryChangeAndOnceForABatch) {
  auto dataMod = Start();
  std::vector<std::string> changes;
  dataMod->OnChange = [&](const std::string& name) { changes.push_back(name); };
  dataMod->StringB.Add("needle");
  EXPECT_EQ(Get("StringB1"), TextValue("needle"));
  dataMod->StringB.BeginUpdate();
  dataMod->StringB.Insert(0, "hay");
  dataMod->StringB.Add("stack");
  dataMod->StringB.Delete(1);
  EXPECT_EQ(Get("StringB"), DwordValue(1));  // nothing written inside the batch
  dataMod->StringB.EndUpdate();
  EXPECT_EQ(changes, (std::vector<std::string>{"StringB", "StringB"}));
  EXPECT_EQ(Get("StringB"), DwordValue(2));
  EXPECT_EQ(Get("StringB1"), TextValue("hay"));
  EXPECT_EQ(Get("StringB2"), TextValue("stack"));
  dataMod->StringB.Clear();
  EXPECT_EQ(Get("StringB"), DwordValue(0));
  EXPECT_FALSE(Get("StringB1").has_value());
}

TEST_F(DataModuleTest, CustomColoursAreSavedWhole) {
  const std::vector<std::string> colours = {"ColorA=FFFFFF", "ColorB=00FF00", "ColorC=FFFFFFFF"};
  {
    auto dataMod = Start();
    dataMod->SetCustomColours(colours);
    EXPECT_EQ(Get("CustomColours"), DwordValue(3));
    EXPECT_EQ(Get("CustomColours2"), TextValue("ColorB=00FF00"));
  }
  auto dataMod = Start();
  EXPECT_EQ(dataMod->CustomColours(), colours);
  Registry registry(tree.Root());
  RegKey key;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), kSettingsKey, key), Status::Ok);
  ASSERT_EQ(registry.DeleteValue(key, "CustomColours1"), Status::Ok);
  dataMod->SetCustomColours(colours);  // saved without comparing
  EXPECT_EQ(Get("CustomColours1"), TextValue("ColorA=FFFFFF"));
}

TEST_F(DataModuleTest, AnUnwritableSettingsFolderStillLoadsEverything) {
  tree.Write("blocker", "");
  places.registryFolder = tree.Root() / "blocker" / "registry";
  auto dataMod = Start();
  EXPECT_EQ(dataMod->StartupErrors().front(), "Failed to set data for 'Program'");
  EXPECT_EQ(dataMod->SplitterPosition.Value(), 300);
  EXPECT_EQ(dataMod->Files.Items(), std::vector<std::string>{"*.*"});
  EXPECT_EQ(dataMod->EditorTabStops.Value(), "3 5 7 9 11 13 15 17 19 21 23 25 27 29 31 33 35 37 39 41");
  try {
    dataMod->ShowHints.Set(false);
    FAIL() << "the save should fail";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'ShowHints'");
  }
  EXPECT_FALSE(dataMod->ShowHints.Value());  // the new value is kept in memory
  EXPECT_THROW(dataMod->Path.Add("/tmp"), ERegistryException);
  EXPECT_EQ(dataMod->Path.Count(), 2u);
}

TEST_F(DataModuleTest, ADamagedSettingsFileStartsFromDefaults) {
  tree.Write("HKEY_CURRENT_USER.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vantrel Software\\Search]\n\"ShowHints\"=dword:zz\n");
  ::testing::internal::CaptureStderr();
  auto dataMod = Start();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("damaged"), std::string::npos);
  EXPECT_TRUE(dataMod->ShowHints.Value());
  EXPECT_TRUE(dataMod->StartupErrors().empty());
  EXPECT_EQ(Get("Program"), TextValue(SEARCH_CLI_PATH));
}

TEST_F(DataModuleTest, TheDefaultPlacesFollowTheEnvironment) {
  const TDataModPlaces defaults = TDataModPlaces::Default();
  EXPECT_EQ(defaults.registryFolder, tree.Root());
  EXPECT_EQ(defaults.executable, platform::version::RunningExecutable());
  TDataMod dataMod;  // the test program carries the version block too
  EXPECT_EQ(dataMod.RegistryManager.Registry().CurrentPath(), kSettingsKey);
  EXPECT_EQ(Get("Program"), TextValue(platform::version::RunningExecutable()));
}

TEST_F(DataModuleTest, TheFilterIsReadAndWrittenAsAWholeInTheDialogsOrder) {
  auto dataMod = Start();
  EXPECT_EQ(dataMod->FileFilter(), search::TFileFilter{}) << "the defaults agree";
  search::TFileFilter filter;
  filter.FilterUseSize = true;
  filter.FilterMaxSize = 4096;
  filter.FilterModifiedDTRelativeUnits = "days";
  filter.FilterMinAccessedDT = 45000.5;
  filter.FilterUseAttribute = true;
  filter.FilterAttributeArchive = 2;
  filter.FilterAttributeCompressed = 1;
  std::vector<std::string> written;
  dataMod->OnChange = [&written](const std::string& name) { written.push_back(name); };
  dataMod->SetFileFilter(filter);
  EXPECT_EQ(written, (std::vector<std::string>{"FilterUseSize", "FilterMaxSize", "FilterModifiedDTRelativeUnits",
                                               "FilterMinAccessedDT", "FilterUseAttribute", "FilterAttributeArchive",
                                               "FilterAttributeCompressed"}));
  EXPECT_EQ(Start()->FileFilter(), filter);
}
