#pragma once
// Walks the Path folders into the found-file list: masks, exclusions, subfolders, in a fixed
// order (a folder's own files mask by mask, then its subfolders depth first).

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fs/FolderHandle.h"
#include "search/engine/walk/FileList.h"
#include "search/engine/walk/FoundFileHints.h"
#include "search/engine/run/SearchContext.h"
#include "search/engine/TextRules.h"

namespace search {

// The criteria a find was made with; an unchanged key lets the next search skip the walk.
struct TFindKey {
  std::string Path;
  std::string Files;
  std::string ExcludeFiles;
  std::string ExcludeFolders;
  bool RecurseSubdirectories = false;
  bool operator==(const TFindKey&) const = default;
};

// True when the name matches any item of the ";"-separated exclusion list (ASCII folding).
bool IsExcludedName(const std::string& exclusions, const std::string& name);
// True when any separator-delimited piece of the text is an excluded folder name.
bool PathHasExcludedFolder(const std::string& excludeFolders, const std::string& pathText);

// What reading one folder gives: its files mask by mask, its notices, its subfolders (full
// paths ending with a separator) in listing order, and for each subfolder where to open it
// from (the folder itself while it is kept open, so that a tree of any depth can be walked).
struct TFolderContents {
  std::vector<TFileListEntry> files;
  std::vector<TFoundFileHints> fileHints;  // for each of the files
  std::vector<std::string> notices;
  std::vector<std::string> subfolders;
  std::vector<platform::fs::FolderAnchor> subfolderAnchors;
};

class TFolderWalkPool;

class TFileFinder {
 public:
  // Without `readFacts` the entries get only their paths (their facts unavailable): a search
  // of contents that filters nothing never needs them, and reading them costs a call per file.
  // With several threads a tree with subfolders is read in parallel (same order of results).
  TFileFinder(const TFindKey& key, TFileList& found, TSearchContext& context, bool readFacts = true,
              unsigned threads = 1);

  // Told of every file, with what the walk learnt of it, as it is added to the found-file list.
  void OnFileFound(std::function<void(const std::string&, const TFoundFileHints&)> onFileFound) {
    onFileFound_ = std::move(onFileFound);
  }

  // Reads every path item of the key into the found-file list (which it empties first),
  // calling afterEachPath when an item is done. Returns false when Cancel stopped it.
  bool FindFiles(const std::function<void()>& afterEachPath);
  void ScanFolder(const std::string& folder);

  bool IsExcludedFile(const std::string& name) const { return Matches(excludeFiles_, AsciiLower(name)); }
  bool IsExcludedFolder(const std::string& name) const { return Matches(excludeFolders_, AsciiLower(name)); }

  // Reads one folder (found at `where`, named `folder` in the results) without touching the
  // search; `keepGoing` is asked after every entry and stops the reading when it says false.
  // Safe to call from several threads at once.
  TFolderContents ReadFolder(const platform::fs::FolderAnchor& where, const std::string& folder,
                             const std::function<bool()>& keepGoing) const;

 private:
  static bool Matches(const std::vector<std::string>& lowerMasks, const std::string& lowerName);
  // Adds a folder's files to the found-file list and its notices to the results.
  void Publish(TFolderContents& contents);
  void WalkInParallel(TFolderWalkPool& pool, const std::string& folder);
  // The folder kept open for its subfolders, while few enough folders are held open.
  std::shared_ptr<const platform::fs::FolderHandle> KeepOpen(std::shared_ptr<const platform::fs::FolderHandle> folder) const;

  const TFindKey& key_;
  TFileList& found_;
  TSearchContext& context_;
  bool readFacts_;
  unsigned threads_;
  std::function<void(const std::string&, const TFoundFileHints&)> onFileFound_;
  std::vector<std::string> masks_;           // lower-cased
  std::vector<std::string> excludeFiles_;    // lower-cased
  std::vector<std::string> excludeFolders_;  // lower-cased
  std::shared_ptr<std::atomic<size_t>> heldFolders_;  // folders kept open for their subfolders
};

}  // namespace search
