#pragma once
// Reads a folder tree on worker threads. The folders are read in any order, but their
// contents are handed on in exactly the order of a single-threaded depth-first walk, as soon
// as everything before them is known.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/engine/walk/FileFinder.h"

namespace search {

class TFolderWalkPool {
 public:
  TFolderWalkPool(const TFileFinder& finder, unsigned threads);
  ~TFolderWalkPool();
  TFolderWalkPool(const TFolderWalkPool&) = delete;
  TFolderWalkPool& operator=(const TFolderWalkPool&) = delete;

  // Walks the tree under the folder. `publish` receives each folder's contents in walk order
  // on this thread; it and `idle` (run about every 20 ms while waiting) return false to
  // cancel. Returns false when cancelled.
  bool Walk(const std::string& folder, const std::function<bool(const std::string&, TFolderContents&)>& publish,
            const std::function<bool()>& idle);

 private:
  struct TNode {
    std::string folder;
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
  TNode* TakeJob();  // with the lock held
  void Read(TNode& node);
  enum class TProgress { Waiting, Done, Cancelled };
  // Publishes every folder whose turn has come.
  TProgress Advance(std::vector<TCursor>& cursor,
               const std::function<bool(const std::string&, TFolderContents&)>& publish);

  const TFileFinder& finder_;
  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable nodeReady_;
  std::vector<TNode*> jobs_;  // folders waiting to be read, the next on top
  int busy_ = 0;  // workers reading a folder
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  std::vector<std::jthread> workers_;
};

}  // namespace search
