#include "search/engine/walk/FolderWalkPool.h"

namespace search {

// The thread that walks reads folders too while it waits, so `threads` threads in all read.
TFolderWalkPool::TFolderWalkPool(const TFileFinder& finder, unsigned threads) : finder_(finder) {
  for (unsigned i = 1; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

TFolderWalkPool::~TFolderWalkPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  cancel_ = true;
  workAvailable_.notify_all();
  workers_.clear();  // joins
}

void TFolderWalkPool::Work() {
  for (;;) {
    TNode* node;
    {
      std::unique_lock lock(mutex_);
      workAvailable_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      node = TakeJob();
    }
    Read(*node);
  }
}

TFolderWalkPool::TNode* TFolderWalkPool::TakeJob() {
  TNode* node = jobs_.back();
  jobs_.pop_back();
  ++busy_;
  return node;
}

void TFolderWalkPool::Read(TNode& node) {
  node.contents = finder_.ReadFolder(node.folder, [this] { return !cancel_.load(std::memory_order_relaxed); });
  for (std::string& subfolder : node.contents.subfolders) {
    auto child = std::make_unique<TNode>();
    child->folder = std::move(subfolder);
    node.children.push_back(std::move(child));
  }
  node.contents.subfolders.clear();
  const bool hasChildren = !node.children.empty();
  {
    std::lock_guard lock(mutex_);
    // Pushed last first, so the first subfolder is read next: close to the walk's own order.
    if (!cancel_) {
      for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) jobs_.push_back(it->get());
    }
    node.ready.store(true, std::memory_order_release);
    --busy_;  // from here on the node belongs to the walk again
  }
  if (hasChildren && !workers_.empty()) workAvailable_.notify_all();
  nodeReady_.notify_all();
}

TFolderWalkPool::TProgress TFolderWalkPool::Advance(std::vector<TCursor>& cursor,
                              const std::function<bool(const std::string&, TFolderContents&)>& publish) {
  while (!cursor.empty()) {
    TCursor& top = cursor.back();
    if (!top.published) {
      if (!top.node->ready.load(std::memory_order_acquire)) return TProgress::Waiting;
      const bool goOn = publish(top.node->folder, top.node->contents);
      top.node->contents = {};
      top.published = true;
      if (!goOn) return TProgress::Cancelled;
    }
    if (top.nextChild < top.node->children.size()) {
      TNode* child = top.node->children[top.nextChild++].get();
      cursor.push_back({child, 0, false});
      continue;
    }
    cursor.pop_back();
  }
  return TProgress::Done;
}

bool TFolderWalkPool::Walk(const std::string& folder,
                           const std::function<bool(const std::string&, TFolderContents&)>& publish,
                           const std::function<bool()>& idle) {
  TNode root;
  root.folder = folder;
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(&root);
  }
  workAvailable_.notify_one();
  std::vector<TCursor> cursor{{&root, 0, false}};
  auto lastIdle = std::chrono::steady_clock::now();
  bool cancelled = false;
  for (;;) {
    const TProgress progress = Advance(cursor, publish);
    if (progress == TProgress::Done) break;
    if (progress == TProgress::Cancelled) {
      cancelled = true;
      break;
    }
    {
      std::unique_lock lock(mutex_);
      if (jobs_.empty()) {
        nodeReady_.wait_for(lock, std::chrono::milliseconds(20));
      } else {
        TNode* node = TakeJob();
        lock.unlock();
        Read(*node);
      }
    }
    if (std::chrono::steady_clock::now() - lastIdle >= std::chrono::milliseconds(20)) {
      lastIdle = std::chrono::steady_clock::now();
      if (!idle()) {
        cancelled = true;
        break;
      }
    }
  }
  // The tree goes away with this call: no worker may still hold a node of it.
  std::unique_lock lock(mutex_);
  if (cancelled) {
    cancel_ = true;
    jobs_.clear();
  }
  nodeReady_.wait(lock, [this] { return busy_ == 0; });
  jobs_.clear();
  return !cancelled;
}

}  // namespace search
