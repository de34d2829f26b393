#include "search/engine/walk/FolderWalkPool.h"

#include <new>

#include "search/engine/ScopeExit.h"

namespace search {
namespace {
constexpr auto kIdleInterval = std::chrono::milliseconds(20);
}  // namespace

TFolderWalkPool::TFolderWalkPool(const TFileFinder& finder, unsigned threads)
    : finder_(finder), workers_(threads > 1 ? threads - 1 : 0, [this] { Work(); }, [this] { Stop(); }) {}

TFolderWalkPool::~TFolderWalkPool() = default;

void TFolderWalkPool::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  cancel_ = true;
  workAvailable_.notify_all();
}

void TFolderWalkPool::Work() {
  const auto keepGoing = [this] { return !cancel_.load(std::memory_order_relaxed); };
  for (;;) {
    TNode* node;
    {
      std::unique_lock lock(mutex_);
      workAvailable_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      node = TakeJob();
    }
    try {
      Read(*node, keepGoing);
    } catch (...) {  // the node is ready and says what failed as far as memory allowed
    }
  }
}

TFolderWalkPool::TNode* TFolderWalkPool::TakeJob() {
  TNode* node = jobs_.back();
  jobs_.pop_back();
  ++busy_;
  return node;
}

void TFolderWalkPool::Read(TNode& node, const std::function<bool()>& keepGoing) {
  TScopeExit ready([&] { MarkReady(node); });
  try {
    ReadFolder(node, keepGoing);
  } catch (const std::bad_alloc&) {  // what else `keepGoing` throws is the walk's to handle
    node.children.clear();
    node.contents = {};
    node.contents.notices.push_back("*** Out of memory: " + node.folder + " ***");
  }
}

void TFolderWalkPool::ReadFolder(TNode& node, const std::function<bool()>& keepGoing) {
  node.contents = finder_.ReadFolder(node.anchor, node.folder, keepGoing);
  node.anchor = {};
  TFolderContents& contents = node.contents;
  node.children.reserve(contents.subfolders.size());
  for (size_t i = 0; i < contents.subfolders.size(); ++i) {
    auto child = std::make_unique<TNode>();
    child->folder = std::move(contents.subfolders[i]);
    child->anchor = std::move(contents.subfolderAnchors[i]);
    node.children.push_back(std::move(child));
  }
  contents.subfolders.clear();
  contents.subfolderAnchors.clear();
  if (node.children.empty()) return;
  {
    std::lock_guard lock(mutex_);
    if (cancel_) return;
    jobs_.reserve(jobs_.size() + node.children.size());  // all of them become jobs, or none
    // Pushed last first, so the first subfolder is read next: close to the walk's own order.
    for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) jobs_.push_back(it->get());
  }
  if (workers_.Count() > 0) workAvailable_.notify_all();
}

void TFolderWalkPool::MarkReady(TNode& node) {
  {
    std::lock_guard lock(mutex_);
    node.ready.store(true, std::memory_order_release);
    --busy_;  // from here on the node belongs to the walk again
  }
  nodeReady_.notify_all();
}

TFolderWalkPool::TProgress TFolderWalkPool::Advance(std::vector<TCursor>& cursor, const TPublish& publish,
                                                    TNode*& waitingFor) {
  while (!cursor.empty()) {
    TCursor& top = cursor.back();
    if (!top.published) {
      if (!top.node->ready.load(std::memory_order_acquire)) {
        waitingFor = top.node;
        return TProgress::Waiting;
      }
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

void TFolderWalkPool::HelpOrWait(TNode& next, const std::function<bool()>& keepGoing) {
  std::unique_lock lock(mutex_);
  if (jobs_.empty()) {
    nodeReady_.wait_for(lock, kIdleInterval,
                        [&] { return next.ready.load(std::memory_order_acquire) || !jobs_.empty(); });
    return;
  }
  TNode* node = TakeJob();
  lock.unlock();
  Read(*node, keepGoing);
}

void TFolderWalkPool::EndWalk(bool cancel) {
  std::unique_lock lock(mutex_);
  if (cancel) cancel_ = true;
  jobs_.clear();
  nodeReady_.wait(lock, [this] { return busy_ == 0; });
  cancel_ = false;
}

bool TFolderWalkPool::Walk(const std::string& folder, const TPublish& publish, const std::function<bool()>& idle) {
  TNode root;
  root.folder = folder;
  root.anchor.relative = folder;
  bool cancelled = false;
  bool finished = false;
  // The tree goes away with this call: no worker may still hold a node of it.
  TScopeExit end([&] { EndWalk(!finished || cancelled); });
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(&root);
  }
  workAvailable_.notify_one();

  auto lastIdle = std::chrono::steady_clock::now();
  // Asked between the folders, and after every entry of a folder this thread reads itself.
  const std::function<bool()> keepGoing = [&] {
    if (cancelled) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastIdle >= kIdleInterval) {
      lastIdle = now;
      if (!idle()) cancelled = true;
    }
    return !cancelled;
  };
  std::vector<TCursor> cursor{{&root, 0, false}};
  while (!cancelled) {
    TNode* waitingFor = nullptr;
    const TProgress progress = Advance(cursor, publish, waitingFor);
    if (progress == TProgress::Done) break;
    if (progress == TProgress::Cancelled) {
      cancelled = true;
      break;
    }
    HelpOrWait(*waitingFor, keepGoing);
    keepGoing();
  }
  finished = true;
  return !cancelled;
}

}  // namespace search
