#pragma once
// Reads a folder tree on worker threads. The folders are read in any order, but their
// contents are handed on in exactly the order of a single-threaded depth-first walk, as soon
// as everything before them is known.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/fs/FolderHandle.h"
#include "search/engine/WorkerThreads.h"
#include "search/engine/walk/FileFinder.h"

namespace search {

class TFolderWalkPool {
 public:
  using TPublish = std::function<bool(const std::string&, TFolderContents&)>;

  // `threads` threads read in all: the one that walks and threads - 1 workers.
  TFolderWalkPool(const TFileFinder& finder, unsigned threads);
  ~TFolderWalkPool();
  TFolderWalkPool(const TFolderWalkPool&) = delete;
  TFolderWalkPool& operator=(const TFolderWalkPool&) = delete;

  // Walks the tree under the folder. `publish` receives each folder's contents in walk order
  // on this thread; it and `idle` (run about every 20 ms, also while this thread reads a
  // folder itself) return false to cancel. Returns false when cancelled. Whatever ends the
  // walk, an exception included, no worker touches its folders once it has returned.
  bool Walk(const std::string& folder, const TPublish& publish, const std::function<bool()>& idle);

 private:
  struct TNode {
    std::string folder;
    platform::fs::FolderAnchor anchor;  // dropped once the folder is open
    TFolderContents contents;
    std::vector<std::unique_ptr<TNode>> children;
    std::atomic<bool> ready{false};
  };
  struct TCursor {
    TNode* node;
    size_t nextChild;
    bool published;
  };

  void Work();
  void Stop();
  TNode* TakeJob();  // with the lock held
  // Reads the folder and hands its subfolders out as jobs; the node is ready afterwards
  // however the reading ends.
  void Read(TNode& node, const std::function<bool()>& keepGoing);
  void ReadFolder(TNode& node, const std::function<bool()>& keepGoing);
  void MarkReady(TNode& node);
  enum class TProgress { Waiting, Done, Cancelled };
  // Publishes every folder whose turn has come; when waiting, `waitingFor` is the next one.
  TProgress Advance(std::vector<TCursor>& cursor, const TPublish& publish, TNode*& waitingFor);
  // Reads a waiting folder on this thread, or waits up to 20 ms for `next` to be ready.
  void HelpOrWait(TNode& next, const std::function<bool()>& keepGoing);
  // Makes the workers drop the walk's folders and waits until none is being read.
  void EndWalk(bool cancel);

  const TFileFinder& finder_;
  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable nodeReady_;
  std::vector<TNode*> jobs_;  // folders waiting to be read, the next on top
  int busy_ = 0;  // workers reading a folder
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  TWorkerThreads workers_;  // last: the threads stop before anything they use goes
};

}  // namespace search
