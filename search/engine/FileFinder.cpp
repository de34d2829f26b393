#include "search/engine/FileFinder.h"

#include "platform/fs/FileSystem.h"
#include "search/engine/TextRules.h"

namespace search {
namespace fs = platform::fs;
namespace {

std::vector<std::string> LowerItems(const std::string& list) {
  std::vector<std::string> items = ListItems(list);
  for (std::string& item : items) item = AsciiLower(item);
  return items;
}

}  // namespace

bool IsExcludedName(const std::string& exclusions, const std::string& name) {
  const std::string lowerName = AsciiLower(name);
  for (const std::string& item : ListItems(exclusions)) {
    if (MatchesMask(AsciiLower(item), lowerName)) return true;
  }
  return false;
}

bool PathHasExcludedFolder(const std::string& excludeFolders, const std::string& pathText) {
  for (const std::string& piece : SplitText(pathText, std::string(1, fs::kSeparator))) {
    if (IsExcludedName(excludeFolders, piece)) return true;
  }
  return false;
}

TFileFinder::TFileFinder(const TFindKey& key, TFileList& found, TSearchContext& context, bool readFacts)
    : key_(key),
      found_(found),
      context_(context),
      readFacts_(readFacts),
      masks_(LowerItems(key.Files)),
      excludeFiles_(LowerItems(key.ExcludeFiles)),
      excludeFolders_(LowerItems(key.ExcludeFolders)) {}

bool TFileFinder::Matches(const std::vector<std::string>& lowerMasks, const std::string& name) {
  if (lowerMasks.empty()) return false;
  const std::string lowerName = AsciiLower(name);
  for (const std::string& mask : lowerMasks) {
    if (MatchesMask(mask, lowerName)) return true;
  }
  return false;
}

bool TFileFinder::FindFiles(const std::function<void()>& afterEachPath) {
  found_.Clear();
  for (const std::string& item : ListItems(key_.Path)) {
    if (context_.Cancelled()) break;
    ScanFolder(item);
    afterEachPath();
  }
  return !context_.Cancelled();
}

void TFileFinder::AddFolderError(int code, const std::string& folder) {
  context_.AddErrorNode("*** " + SystemErrorText(code) + ": " + folder + " ***");
}

void TFileFinder::ScanFolder(const std::string& folderText) {
  const std::string savedPath = context_.GetPath();
  const std::string folder = fs::WithTrailingSeparator(folderText);
  context_.SetPath(fs::WithoutTrailingSeparators(folder));
  context_.Yield();

  // The folder is read once; its entries serve every mask and then the subfolder step.
  std::vector<fs::FolderEntry> entries;
  std::vector<std::string> subfolders;
  {
    fs::FolderListing listing(folder);
    fs::FolderEntry entry;
    while (listing.Next(entry)) entries.push_back(entry);
    const int error = listing.OpenError() != 0 ? listing.OpenError() : listing.ReadError();

    std::vector<std::string> lowerNames;
    lowerNames.reserve(entries.size());
    for (const fs::FolderEntry& e : entries) lowerNames.push_back(AsciiLower(e.name));

    for (const std::string& mask : masks_) {
      if (context_.Cancelled()) break;
      for (size_t i = 0; i < entries.size() && !context_.Cancelled(); ++i) {
        const fs::FolderEntry& e = entries[i];
        if (!e.isDirectory && !e.isFolderLink && MatchesMask(mask, lowerNames[i]) &&
            !IsExcludedFile(e.name)) {
          const fs::FileFacts facts = readFacts_ ? listing.Facts(e.name) : fs::FileFacts{};
          found_.AddEntry({folder + e.name, facts.size, facts.created, facts.modified,
                           facts.accessed, facts.attributes});
          if (onFileFound_) onFileFound_(found_.GetEntry(found_.Count() - 1).FileName);
          ++context_.Counters().Found;
        }
        context_.Yield();
      }
      if (error != 0) AddFolderError(error, folder);
    }
    if (key_.RecurseSubdirectories) {
      for (const fs::FolderEntry& e : entries) {
        if (e.isDirectory && !IsExcludedFolder(e.name)) subfolders.push_back(e.name);
      }
    }
  }  // the folder is closed before its subfolders are opened

  for (const std::string& name : subfolders) {
    if (context_.Cancelled()) break;
    ScanFolder(folder + name + fs::kSeparator);
    context_.Yield();
  }
  context_.SetPath(savedPath);
}

}  // namespace search
