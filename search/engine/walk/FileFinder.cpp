#include "search/engine/walk/FileFinder.h"

#include "platform/fs/FileSystem.h"
#include "search/engine/walk/FolderWalkPool.h"
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

TFileFinder::TFileFinder(const TFindKey& key, TFileList& found, TSearchContext& context, bool readFacts,
                         unsigned threads)
    : key_(key),
      found_(found),
      context_(context),
      readFacts_(readFacts),
      threads_(threads),
      masks_(LowerItems(key.Files)),
      excludeFiles_(LowerItems(key.ExcludeFiles)),
      excludeFolders_(LowerItems(key.ExcludeFolders)),
      heldFolders_(std::make_shared<std::atomic<size_t>>(0)) {}

bool TFileFinder::Matches(const std::vector<std::string>& lowerMasks, const std::string& lowerName) {
  for (const std::string& mask : lowerMasks) {
    if (MatchesMask(mask, lowerName)) return true;
  }
  return false;
}

bool TFileFinder::FindFiles(const std::function<void()>& afterEachPath) {
  found_.Clear();
  std::unique_ptr<TFolderWalkPool> pool;
  if (threads_ > 1 && key_.RecurseSubdirectories) pool = std::make_unique<TFolderWalkPool>(*this, threads_);
  for (const std::string& item : ListItems(key_.Path)) {
    if (context_.Cancelled()) break;
    if (pool) {
      WalkInParallel(*pool, item);
    } else {
      ScanFolder(item);
    }
    afterEachPath();
  }
  return !context_.Cancelled();
}

std::shared_ptr<const fs::FolderHandle> TFileFinder::KeepOpen(std::shared_ptr<const fs::FolderHandle> folder) const {
  if (!folder || heldFolders_->fetch_add(1) >= fs::FolderHandleBudget()) {
    if (folder) --*heldFolders_;
    return nullptr;
  }
  // The handle shared out counts as held until its last user lets it go.
  return std::shared_ptr<const fs::FolderHandle>(folder.get(), [folder, held = heldFolders_](const fs::FolderHandle*) mutable {
    folder.reset();
    --*held;
  });
}

TFolderContents TFileFinder::ReadFolder(const fs::FolderAnchor& where, const std::string& folder,
                                        const std::function<bool()>& keepGoing) const {
  TFolderContents contents;
  // The folder is read once; its entries serve every mask and then the subfolder step.
  fs::FolderListing listing(where);
  std::vector<fs::FolderEntry> entries;
  for (fs::FolderEntry entry; listing.Next(entry);) entries.push_back(std::move(entry));
  const int error = listing.OpenError() != 0 ? listing.OpenError() : listing.ReadError();

  std::vector<std::string> lowerNames;
  lowerNames.reserve(entries.size());
  for (const fs::FolderEntry& e : entries) lowerNames.push_back(AsciiLower(e.name));

  // The folder is kept open for its files and subfolders alike, when the budget allows.
  std::shared_ptr<const fs::FolderHandle> kept;
  bool asked = false;
  const auto keptFolder = [&] {
    if (!asked) kept = KeepOpen(listing.Handle());
    asked = true;
    return kept;
  };
  bool going = true;
  for (const std::string& mask : masks_) {
    for (size_t i = 0; i < entries.size() && going; ++i) {
      const fs::FolderEntry& e = entries[i];
      if (!e.isDirectory && !e.isFolderLink && MatchesMask(mask, lowerNames[i]) &&
          !Matches(excludeFiles_, lowerNames[i])) {
        const fs::FileFacts facts = readFacts_ ? listing.Facts(e.name) : fs::FileFacts{};
        contents.files.push_back(
            {folder + e.name, facts.size, facts.created, facts.modified, facts.accessed, facts.attributes});
        contents.fileHints.push_back({onFileFound_ ? keptFolder() : nullptr, e.isRegular});
      }
      going = keepGoing();
    }
    if (error != 0) contents.notices.push_back("*** " + SystemErrorText(error) + ": " + folder + " ***");
    if (!going) return contents;
  }
  if (key_.RecurseSubdirectories) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].isDirectory && !Matches(excludeFolders_, lowerNames[i])) {
        keptFolder();
        contents.subfolders.push_back(folder + entries[i].name + fs::kSeparator);
        contents.subfolderAnchors.push_back(kept ? fs::FolderAnchor{kept, entries[i].name}
                                                 : where.Below(entries[i].name));
      }
    }
  }
  return contents;
}

void TFileFinder::Publish(TFolderContents& contents) {
  for (size_t i = 0; i < contents.files.size(); ++i) {
    TFileListEntry& file = contents.files[i];
    if (onFileFound_) onFileFound_(file.FileName, contents.fileHints[i]);
    found_.AddEntry(std::move(file));
    ++context_.Counters().Found;
  }
  for (std::string& notice : contents.notices) context_.AddErrorNode(std::move(notice));
}

void TFileFinder::WalkInParallel(TFolderWalkPool& pool, const std::string& folder) {
  const std::string savedPath = context_.GetPath();
  pool.Walk(
      fs::WithTrailingSeparator(folder),
      [this](const std::string& reached, TFolderContents& contents) {
        context_.SetPath(fs::WithoutTrailingSeparators(reached));
        Publish(contents);
        context_.Yield();
        return !context_.Cancelled();
      },
      [this] {
        context_.YieldNow();
        return !context_.Cancelled();
      });
  context_.SetPath(savedPath);
}

// Depth first with a stack of its own rather than the call stack, so that no depth of tree
// can exhaust it.
void TFileFinder::ScanFolder(const std::string& folderText) {
  struct TFrame {
    std::string savedPath;
    TFolderContents contents;
    size_t nextSubfolder = 0;
  };
  std::vector<TFrame> stack;
  const auto keepGoing = [this] {
    context_.Yield();
    return !context_.Cancelled();
  };
  const auto enter = [&](const fs::FolderAnchor& where, const std::string& folder) {
    TFrame frame{context_.GetPath(), {}, 0};
    context_.SetPath(fs::WithoutTrailingSeparators(folder));
    context_.Yield();
    frame.contents = ReadFolder(where, folder, keepGoing);
    Publish(frame.contents);
    stack.push_back(std::move(frame));
  };
  const std::string root = fs::WithTrailingSeparator(folderText);
  enter(fs::FolderAnchor{nullptr, root}, root);
  while (!stack.empty()) {
    TFrame& top = stack.back();
    const size_t next = top.nextSubfolder++;
    if (next < top.contents.subfolders.size() && !context_.Cancelled()) {
      const fs::FolderAnchor where = std::move(top.contents.subfolderAnchors[next]);
      enter(where, top.contents.subfolders[next]);
      continue;
    }
    context_.SetPath(top.savedPath);
    stack.pop_back();
    if (!stack.empty()) context_.Yield();
  }
}

}  // namespace search
