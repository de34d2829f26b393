// Every settings test works on a registry in a temporary folder, never in the user's own.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/TempTree.h"

namespace {

class RegistryFolderEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TempTree>();
    ::setenv("VANTREL_REGISTRY_DIR", folder_->Root().c_str(), 1);
  }
  void TearDown() override { folder_.reset(); }

 private:
  std::unique_ptr<TempTree> folder_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new RegistryFolderEnvironment);

}  // namespace
