#pragma once
// The data module: the single owner of every persistent setting of the program. It loads them
// all when created; each change goes through it and is written to the registry at once.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/engine/filter/FileFilter.h"
#include "search/settings/DataModPlaces.h"
#include "search/settings/RegMgr.h"
#include "search/settings/Setting.h"
#include "search/settings/SettingsList.h"
#include "search/settings/VersionData.h"

class TDataMod : private TSettingsHost {
 public:
  TDataMod();
  explicit TDataMod(const TDataModPlaces& places);
  ~TDataMod();
  TDataMod(const TDataMod&) = delete;
  TDataMod& operator=(const TDataMod&) = delete;

  TVersionData VersionData;
  TRegistryManager RegistryManager;

  // The application's title: the product name.
  const std::string& ApplicationTitle() const { return applicationTitle_; }
  // Errors met while loading (a settings folder that cannot be written); loading goes on past
  // them, and the program shows them once its windows exist.
  const std::vector<std::string>& StartupErrors() const { return startupErrors_; }

  // Every setting held as a single value (the lists are apart), in declaration order.
  const std::vector<TSettingBase*>& Settings() const { return settings_; }

  // Raised with the value name after a setting or list changed (also when writing it failed).
  std::function<void(const std::string& name)> OnChange;

 private:
  std::vector<TSettingBase*> settings_;  // every setting below, in declaration order

  // What stored numbers may be (see TAllowedRange): the preferences' spin boxes offer 0 to 10
  // context lines, the font dialog 1 to 512 points, and a position on the screen lies within
  // the 16-bit coordinates of the window system.
  static constexpr TAllowedRange<int32_t> kContextLines{0, 10};
  static constexpr TAllowedRange<int32_t> kFontSizes{1, 512};
  static constexpr TAllowedRange<int32_t> kWindowCoordinates{0, 32767};

 public:
  // Window and general options
  TBoolSetting ShowStatusBar{*this, "ShowStatusBar", true};
  TBoolSetting UseToolTray{*this, "UseToolTray", false};
  TBoolSetting ShowButtonCaptions{*this, "ShowButtonCaptions", true};
  TIntegerSetting SplitterPosition{*this, "SplitterPosition", 300, kWindowCoordinates};
  TBoolSetting ShowHints{*this, "ShowHints", true};
  TBoolSetting ShowRegularExpressions{*this, "ShowRegularExpressions", false};
  TBoolSetting AutoComplete{*this, "AutoComplete", true};
  TBoolSetting ShowsResultsAsFound{*this, "ShowsResultsAsFound", false};
  TBoolSetting AutoExpand{*this, "AutoExpand", true};

  // Search options
  TBoolSetting RecurseSubdirectories{*this, "RecurseSubdirectories", false};
  TBoolSetting CaseSensitive{*this, "CaseSensitive", false};
  TBoolSetting WholeWordOnly{*this, "WholeWordOnly", false};
  TBoolSetting MinimiseWhitespace{*this, "MinimiseWhitespace", true};
  TBoolSetting ShowMatches{*this, "ShowMatches", true};
  TBoolSetting RegularExpressions{*this, "RegularExpressions", false};
  TEnumSetting MatchType{*this, "MatchType", 0};            // 0 Or, 1 And, 2 And Not
  TEnumSetting MatchProximity{*this, "MatchProximity", 0};  // 0 per line, 1 whole file

  // Recently used values of the six criteria boxes; each change is saved at once.
  TSettingsList Path{"Path"};
  TSettingsList Files{"Files"};
  TSettingsList ExcludeFiles{"ExcludeFiles"};
  TSettingsList ExcludeFolders{"ExcludeFolders"};
  TSettingsList StringA{"StringA"};
  TSettingsList StringB{"StringB"};

  // Results display
  TColourSetting MatchedFilesForeColour{*this, "MatchedFilesForeColour", SystemColour(8)};
  TColourSetting MatchedFilesBackColour{*this, "MatchedFilesBackColour", 0x0000FF00};
  TColourSetting MatchedLinesForeColour{*this, "MatchedLinesForeColour", SystemColour(8)};
  TColourSetting MatchedLinesBackColour{*this, "MatchedLinesBackColour", SystemColour(5)};
  TColourSetting OtherLinesForeColour{*this, "OtherLinesForeColour", SystemColour(21)};
  TColourSetting OtherLinesBackColour{*this, "OtherLinesBackColour", SystemColour(5)};
  TColourSetting ErrorMessagesForeColour{*this, "ErrorMessagesForeColour", 0x00FFFFFF};
  TColourSetting ErrorMessagesBackColour{*this, "ErrorMessagesBackColour", 0x000000FF};
  TTextSetting FontName{*this, "FontName", "Courier New"};
  TIntegerSetting FontSize{*this, "FontSize", 10, kFontSizes};
  TFontStyleSetting FontStyle{*this, "FontStyle", TFontStyles{}};
  TIntegerSetting NumberOfLinesToShowBeforeMatch{*this, "NumberOfLinesToShowBeforeMatch", 2, kContextLines};
  TIntegerSetting NumberOfLinesToShowAfterMatch{*this, "NumberOfLinesToShowAfterMatch", 2, kContextLines};
  TBoolSetting IncludeBlankLines{*this, "IncludeBlankLines", false};
  TBoolSetting ShowFileSize{*this, "ShowFileSize", false};
  TBoolSetting ShowFileCreationDate{*this, "ShowFileCreationDate", false};
  TBoolSetting ShowFileModifiedDate{*this, "ShowFileModifiedDate", false};
  TBoolSetting ShowFileAccessedDate{*this, "ShowFileAccessedDate", false};
  TBoolSetting SortAscending{*this, "SortAscending", true};
  // 0 path, 1 name, 2 matches, 3 created, 4 modified, 5 accessed, 6 size
  TEnumSetting SortField{*this, "SortField", 0};

  // The colour dialog's sixteen custom colours ("ColorA=FFFFFF" ... "ColorP=..."). Replaced and
  // saved as a whole by SetCustomColours.
  const std::vector<std::string>& CustomColours() const { return customColours_.Items(); }
  void SetCustomColours(const std::vector<std::string>& colours);

  // Opening matched files
  TBoolSetting UseInternalEditor{*this, "UseInternalEditor", true};
  TBoolSetting UseAssociatedEditor{*this, "UseAssociatedEditor", true};
  TBoolSetting UseExternalEditor{*this, "UseExternalEditor", false};
  TTextSetting Editor{*this, "Editor", ""};
  TTextSetting ExternalEditorAguments{*this, "ExternalEditorAguments", ""};  // the stored name lacks an r
  TEnumSetting DefaultEditor{*this, "DefaultEditor", 0};  // 0 internal, 1 Editor, 2 associated

  // Internal editor
  TTextSetting EditorFontName{*this, "EditorFontName", "Courier New"};
  TIntegerSetting EditorFontSize{*this, "EditorFontSize", 10, kFontSizes};
  TFontStyleSetting EditorFontStyle{*this, "EditorFontStyle", TFontStyles{}};
  TColourSetting EditorForeColour{*this, "EditorForeColour", SystemColour(8)};
  TColourSetting EditorBackColour{*this, "EditorBackColour", SystemColour(5)};
  TColourSetting EditorSelForeColour{*this, "EditorSelForeColour", SystemColour(14)};
  TColourSetting EditorSelBackColour{*this, "EditorSelBackColour", SystemColour(13)};
  TColourSetting EditorGutterColour{*this, "EditorGutterColour", SystemColour(15)};
  TColourSetting EditorRightMarginColour{*this, "EditorRightMarginColour", SystemColour(15)};
  TIntegerSetting EditorRightMarginPos{*this, "EditorRightMarginPos", 80};
  TBoolSetting EditorRightMarginVisible{*this, "EditorRightMarginVisible", false};
  TTextSetting EditorTabStops{*this, "EditorTabStops", "3 5 7 9 11 13 15 17 19 21 23 25 27 29 31 33 35 37 39 41"};
  TBoolSetting EditorSmartTab{*this, "EditorSmartTab", false};
  TBoolSetting EditorBackSpaceUnindents{*this, "EditorBackSpaceUnindents", false};
  TBoolSetting EditorCursorBeyondEOF{*this, "EditorCursorBeyondEOF", false};
  TBoolSetting EditorDoubleClickLine{*this, "EditorDoubleClickLine", false};
  TBoolSetting EditorKeepTrailingBlanks{*this, "EditorKeepTrailingBlanks", false};
  // Whether a new line starts with the indentation of the line before (the editor pages always
  // did; the preferences offer to turn it off).
  TBoolSetting EditorAutoIndent{*this, "EditorAutoIndent", true};
  TBoolSetting EditorBracketHighlighting{*this, "EditorBracketHighlighting", false};
  TColourSetting EditorBracketForeColour{*this, "EditorBracketForeColour", SystemColour(5)};
  TColourSetting EditorBracketBackColour{*this, "EditorBracketBackColour", SystemColour(8)};
  TColourSetting EditorMatchedStringForegroundColour{*this, "EditorMatchedStringForegroundColour", 0x0000FFFF};
  TColourSetting EditorMatchedStringBackgroundColour{*this, "EditorMatchedStringBackgroundColour", 0x000000FF};
  TColourSetting EditorMatchedLineForegroundColour{*this, "EditorMatchedLineForegroundColour", SystemColour(8)};
  TColourSetting EditorMatchedLineBackgroundColour{*this, "EditorMatchedLineBackgroundColour", SystemColour(24)};
  TBoolSetting EditorShowMatchedLines{*this, "EditorShowMatchedLines", true};
  TBoolSetting EditorShowMatchedStrings{*this, "EditorShowMatchedStrings", true};

  // Advanced filter. The date-times are day numbers; the defaults span 1 January 100 to
  // 31 December 9999. Attribute values: 0 either, 1 set, 2 not set.
  TBoolSetting FilterUseSize{*this, "FilterUseSize", false};
  TInt64Setting FilterMinSize{*this, "FilterMinSize", 0};
  TInt64Setting FilterMaxSize{*this, "FilterMaxSize", INT64_MAX};
  TBoolSetting FilterUseCreatedDT{*this, "FilterUseCreatedDT", false};
  TBoolSetting FilterCreatedDTRelative{*this, "FilterCreatedDTRelative", true};
  TIntegerSetting FilterCreatedDTRelativeAmount{*this, "FilterCreatedDTRelativeAmount", 1};
  TTextSetting FilterCreatedDTRelativeUnits{*this, "FilterCreatedDTRelativeUnits", "Years"};
  TDateTimeSetting FilterMinCreatedDT{*this, "FilterMinCreatedDT", kMinDateTime};
  TDateTimeSetting FilterMaxCreatedDT{*this, "FilterMaxCreatedDT", kMaxDateTime};
  TBoolSetting FilterUseModifiedDT{*this, "FilterUseModifiedDT", false};
  TBoolSetting FilterModifiedDTRelative{*this, "FilterModifiedDTRelative", true};
  TIntegerSetting FilterModifiedDTRelativeAmount{*this, "FilterModifiedDTRelativeAmount", 1};
  TTextSetting FilterModifiedDTRelativeUnits{*this, "FilterModifiedDTRelativeUnits", "Years"};
  TDateTimeSetting FilterMinModifiedDT{*this, "FilterMinModifiedDT", kMinDateTime};
  TDateTimeSetting FilterMaxModifiedDT{*this, "FilterMaxModifiedDT", kMaxDateTime};
  TBoolSetting FilterUseAccessedDT{*this, "FilterUseAccessedDT", false};
  TBoolSetting FilterAccessedDTRelative{*this, "FilterAccessedDTRelative", true};
  TIntegerSetting FilterAccessedDTRelativeAmount{*this, "FilterAccessedDTRelativeAmount", 1};
  TTextSetting FilterAccessedDTRelativeUnits{*this, "FilterAccessedDTRelativeUnits", "Years"};
  TDateTimeSetting FilterMinAccessedDT{*this, "FilterMinAccessedDT", kMinDateTime};
  TDateTimeSetting FilterMaxAccessedDT{*this, "FilterMaxAccessedDT", kMaxDateTime};
  TBoolSetting FilterUseAttribute{*this, "FilterUseAttribute", false};
  TEnumSetting FilterAttributeArchive{*this, "FilterAttributeArchive", 0};
  TEnumSetting FilterAttributeHidden{*this, "FilterAttributeHidden", 0};
  TEnumSetting FilterAttributeSystem{*this, "FilterAttributeSystem", 0};
  TEnumSetting FilterAttributeReadOnly{*this, "FilterAttributeReadOnly", 0};
  TEnumSetting FilterAttributeCompressed{*this, "FilterAttributeCompressed", 0};

  // Update check
  TEnumSetting UpdateCheckFrequency{*this, "UpdateCheckFrequency", 1};  // 0 never, 1 monthly
  TIntegerSetting UpdateCheckWhen{*this, "UpdateCheckWhen", 0};         // day number of the last check
  TTextSetting AvailableVersion{*this, "AvailableVersion", ""};
  TTextSetting AvailableDownload{*this, "AvailableDownload", ""};

  static constexpr double kMinDateTime = search::kMinDateTime;
  static constexpr double kMaxDateTime = search::kMaxDateTime;

  // The advanced filter as its settings hold it.
  search::TFileFilter FileFilter() const;
  // Writes every filter setting that differs, in the order: size, created, modified,
  // accessed, the attribute flag and the five attribute states.
  void SetFileFilter(const search::TFileFilter& filter);

  // The six criteria lists, in the order above.
  std::vector<TSettingsList*> CriteriaLists();

 private:
  void Register(TSettingBase& setting) override { settings_.push_back(&setting); }
  TRegistryManager& Store() override { return RegistryManager; }
  void Write(const std::string& name, const std::function<void(TRegistryManager&)>& save) override;

  void SearchDataCreate(const TDataModPlaces& places);
  void SaveList(const TSettingsList& list);
  // Runs a save during loading; its error is kept for StartupErrors instead of ending loading.
  template <typename Save>
  void SaveWhileLoading(Save&& save);

  std::string applicationTitle_;
  std::vector<std::string> startupErrors_;
  TSettingsList customColours_{"CustomColours"};
};
