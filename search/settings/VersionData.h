#pragma once
// The version data of an executable (by default the running program): names, versions and
// flags read from its embedded version block. The program takes its identity from it.

#include <functional>
#include <string>

#include "search/settings/VersionTables.h"

// The values read; all texts empty and all flags false before a read.
struct TVersionInfo {
  std::string Comment;
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTradeMarks;
  std::string OriginalFileName;
  std::string PrivateBuild;
  std::string ProductName;
  std::string ProductVersion;
  std::string SpecialBuild;
  std::string Url;
  std::string HelpUrl;
  std::string Email;
  std::string FileOS;
  std::string FileType;
  std::string FileSubType;
  bool IsDebug = false;
  bool IsPreRelease = false;
  bool IsPrivateBuild = false;
  bool IsSpecialBuild = false;
};

class TVersionData {
 public:
  // Reads the running program's block at once.
  TVersionData();
  explicit TVersionData(std::string fileName);

  const std::string& FileName() const { return fileName_; }
  TLanguage Language() const { return language_; }
  TCharacterSet CharacterSet() const { return characterSet_; }
  // Each setter reads again when the value differs.
  void SetFileName(const std::string& fileName);
  void SetLanguage(TLanguage language);
  void SetCharacterSet(TCharacterSet characterSet);

  const TVersionInfo& VersionInfo() const { return info_; }

  // Reads the block of FileName. A file without one leaves every field empty and raises no
  // OnChange; throws std::out_of_range for a Language or CharacterSet outside its table.
  void Read();

  // Raised after each read of a file that has a block.
  std::function<void(TVersionData&)> OnChange;

 private:
  std::string fileName_;
  TLanguage language_ = TLanguage::lnUKEnglish;
  TCharacterSet characterSet_ = TCharacterSet::csMultilingual;
  TVersionInfo info_;
};
