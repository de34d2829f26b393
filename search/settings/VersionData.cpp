#include "search/settings/VersionData.h"

#include <cstdio>
#include <utility>

#include "platform/version/VersionBlock.h"

namespace {

using platform::version::FixedFileInfo;
using platform::version::VersionBlock;

std::string VersionText(uint32_t ms, uint32_t ls) {
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF);
  return text;
}

void FillFixed(const FixedFileInfo& fixed, TVersionInfo& info) {
  info.FileVersion = VersionText(fixed.fileVersionMS, fixed.fileVersionLS);
  info.ProductVersion = VersionText(fixed.productVersionMS, fixed.productVersionLS);
  info.FileOS = FileOSText(fixed.fileOS);
  info.FileType = FileTypeText(fixed.fileType);
  info.FileSubType = FileSubTypeText(fixed.fileType, fixed.fileSubtype);
  // The flags are taken as they are, without the flags mask.
  info.IsDebug = (fixed.fileFlags & 0x01) != 0;
  info.IsPreRelease = (fixed.fileFlags & 0x02) != 0;
  info.IsPrivateBuild = (fixed.fileFlags & 0x08) != 0;
  info.IsSpecialBuild = (fixed.fileFlags & 0x20) != 0;
}

void FillStrings(const VersionBlock& block, const std::string& table, TVersionInfo& info) {
  const std::pair<const char*, std::string*> fields[] = {
      {"Comment", &info.Comment},
      {"CompanyName", &info.CompanyName},
      {"FileDescription", &info.FileDescription},
      {"InternalName", &info.InternalName},
      {"LegalCopyright", &info.LegalCopyright},
      {"LegalTradeMarks", &info.LegalTradeMarks},
      {"OriginalFileName", &info.OriginalFileName},
      {"PrivateBuild", &info.PrivateBuild},
      {"ProductName", &info.ProductName},
      {"ProductVersion", &info.ProductVersion},
      {"SpecialBuild", &info.SpecialBuild},
      {"URL", &info.Url},
      {"HelpURL", &info.HelpUrl},
      {"email", &info.Email},
  };
  for (const auto& [name, field] : fields) {
    if (auto text = block.QueryString(table, name)) *field = std::move(*text);
  }
}

}  // namespace

TVersionData::TVersionData() : TVersionData(platform::version::RunningExecutable()) {}

TVersionData::TVersionData(std::string fileName) : fileName_(std::move(fileName)) { Read(); }

void TVersionData::SetFileName(const std::string& fileName) {
  if (fileName == fileName_) return;
  fileName_ = fileName;
  Read();
}

void TVersionData::SetLanguage(TLanguage language) {
  if (language == language_) return;
  language_ = language;
  Read();
}

void TVersionData::SetCharacterSet(TCharacterSet characterSet) {
  if (characterSet == characterSet_) return;
  characterSet_ = characterSet;
  Read();
}

void TVersionData::Read() {
  info_ = TVersionInfo{};
  char table[16];
  std::snprintf(table, sizeof table, "%04X%04X", LanguageId(language_), CodePage(characterSet_));
  const std::optional<VersionBlock> block = platform::version::ReadVersionBlock(fileName_);
  if (!block) return;
  if (const FixedFileInfo* fixed = block->Fixed()) {
    FillFixed(*fixed, info_);
    FillStrings(*block, table, info_);
  }
  if (OnChange) OnChange(*this);
}
