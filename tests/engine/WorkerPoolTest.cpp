// The worker pools: their threads start and stop together, Cancel reaches every worker, and
// whatever ends a walk or a scan, no worker is left behind with freed memory or waiting.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

#include "search/engine/WorkerThreads.h"
#include "search/engine/scanning/FileScanner.h"
#include "search/engine/scanning/ScanPipeline.h"
#include "search/engine/walk/FolderWalkPool.h"
#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

// A work function whose copies start failing after a number of them: starting a thread
// copies it, so the thread after that number cannot be started.
struct TFailingCopy {
  std::shared_ptr<std::atomic<int>> copiesLeft;
  std::shared_ptr<std::atomic<int>> ran;
  TFailingCopy(std::shared_ptr<std::atomic<int>> left, std::shared_ptr<std::atomic<int>> runs)
      : copiesLeft(std::move(left)), ran(std::move(runs)) {}
  TFailingCopy(const TFailingCopy& other) : copiesLeft(other.copiesLeft), ran(other.ran) {
    if (--*copiesLeft < 0) throw std::runtime_error("no more threads");
  }
  void operator()() const { ++*ran; }
};

TEST(WorkerThreads, AFailedStartStopsAndJoinsTheStartedThreadsAndThrows) {
  auto left = std::make_shared<std::atomic<int>>(1000);
  auto ran = std::make_shared<std::atomic<int>>(0);
  const std::function<void()> work = TFailingCopy(left, ran);
  *left = 2;  // two threads start, the third fails
  std::atomic<int> stops{0};
  EXPECT_THROW(TWorkerThreads(4, work, [&] { ++stops; }), std::runtime_error);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(*ran, 2);  // both ran to their end and were joined

  *left = 1000;
  {
    TWorkerThreads threads(3, work, [&] { ++stops; });
    EXPECT_EQ(threads.Count(), 3u);
  }
  EXPECT_EQ(stops, 2);
  EXPECT_EQ(*ran, 5);
}

// A tree of folders with a file in each, for the walks.
struct WalkFixture : ::testing::Test {
  WalkFixture() {
    for (int a = 0; a < 6; ++a) {
      for (int b = 0; b < 6; ++b) tree.Write("d" + std::to_string(a) + "/e" + std::to_string(b) + "/f.txt", "x\n");
    }
  }
  TempTree tree;
  TFindKey key{"", "*", "", "", true};
  TFileList found;
  TResultTree results;
  RecordingHost host;
  TSearchContext context{host, results};
  TFileFinder finder{key, found, context};
};

TEST_F(WalkFixture, CancelMidWalkAndAThrowingPublishOrIdleLeaveNoWorkerBehind) {
  for (unsigned threads : {1u, 2u, 8u}) {
    TFolderWalkPool pool(finder, threads);
    int published = 0;
    const auto idle = [] { return true; };
    EXPECT_TRUE(pool.Walk(tree.RootText(), [&](const std::string&, TFolderContents&) { return ++published > 0; }, idle));
    EXPECT_EQ(published, 1 + 6 + 36) << threads;

    published = 0;
    EXPECT_FALSE(pool.Walk(tree.RootText(), [&](const std::string&, TFolderContents&) { return ++published < 5; }, idle));
    EXPECT_EQ(published, 5) << threads;

    // The folder tree of a walk lives on its stack: a throw must first wait for the workers.
    published = 0;
    EXPECT_THROW(pool.Walk(tree.RootText(),
                           [&](const std::string&, TFolderContents&) -> bool {
                             if (++published == 3) throw std::runtime_error("publish failed");
                             return true;
                           },
                           idle),
                 std::runtime_error);
    // Idle is due once 20 ms have passed: the first folder takes longer than that. With no
    // workers the walker then reads the next folders itself and asks idle between entries.
    const auto slowPublish = [first = true](const std::string&, TFolderContents&) mutable {
      if (std::exchange(first, false)) std::this_thread::sleep_for(std::chrono::milliseconds(30));
      return true;
    };
    if (threads == 1) {
      EXPECT_THROW(pool.Walk(tree.RootText(), slowPublish, []() -> bool { throw std::runtime_error("idle failed"); }),
                   std::runtime_error);
    }

    // The pool still walks after all that.
    published = 0;
    EXPECT_TRUE(pool.Walk(tree.RootText(), [&](const std::string&, TFolderContents&) { return ++published > 0; }, idle));
    EXPECT_EQ(published, 43) << threads;
  }
}

// Cancels from the start and counts what it was asked.
class TCancelledControl final : public TScanControl {
 public:
  bool Cancelled() override { return true; }
};

class TNeverCancelled final : public TScanControl {
 public:
  bool Cancelled() override { return false; }
};

TEST(ScanPipeline, AfterCancelNoFileIsOpenedWithWorkersOrWithout) {
  TempTree tree;
  std::vector<TFileToScan> paths;
  for (int i = 0; i < 200; ++i) paths.push_back({tree.Write("f" + std::to_string(i) + ".txt", "x\n").string(), {}});
  TSearchCriteria criteria;
  TLineMatcher matcher(MakePlainStringTest("x", criteria), nullptr, kMatchOr, false);
  TScanSettings settings;
  settings.Matcher = &matcher;
  for (unsigned threads : {1u, 2u, 8u}) {
    TScanPipeline pipeline(settings, threads);
    pipeline.Cancel();
    pipeline.Add(paths);
    TCancelledControl control;
    int idles = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
      const std::optional<TFileScanResult> result = pipeline.TakeNext([&] { ++idles; }, control);
      ASSERT_TRUE(result) << threads;
      EXPECT_FALSE(result->Opened) << threads << " threads, file " << i;
      EXPECT_TRUE(result->Cancelled);
    }
    EXPECT_FALSE(pipeline.TakeNext([] {}, control));
  }
}

// More files than the workers may run ahead of the taker, so that they wait for room too.
TEST(ScanPipeline, OutcomesComeInTheOrderAdded) {
  TempTree tree;
  std::vector<TFileToScan> paths;
  for (int i = 0; i < 1500; ++i) {
    paths.push_back({tree.Write("f" + std::to_string(i) + ".txt", std::string(static_cast<size_t>(i % 5), 'x') + "\n").string(), {}});
  }
  TSearchCriteria criteria;
  TLineMatcher matcher(MakePlainStringTest("xxx", criteria), nullptr, kMatchOr, false);
  TScanSettings settings;
  settings.Matcher = &matcher;
  for (unsigned threads : {1u, 3u}) {
    TScanPipeline pipeline(settings, threads);
    pipeline.Add({paths.begin(), paths.begin() + 100});
    pipeline.Add({paths.begin() + 100, paths.end()});
    TNeverCancelled control;
    for (size_t i = 0; i < paths.size(); ++i) {
      const std::optional<TFileScanResult> result = pipeline.TakeNext([] {}, control);
      ASSERT_TRUE(result);
      EXPECT_EQ(result->HasFileNode, i % 5 >= 3) << threads << " threads, file " << i;
    }
  }
}

}  // namespace
