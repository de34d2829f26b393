// Replays the inputs kept from fuzzing the expression engine (fuzz/corpus/regexpr): each one
// must pass the fuzzer's checks, so a fault it once found stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/RegExprFuzzCheck.h"

TEST(RegExprFuzzCorpus, KeptInputsPassTheFuzzerChecks) {
  const auto folder = std::filesystem::path(SEARCH_SOURCE_DIR) / "fuzz/corpus/regexpr";
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    EXPECT_TRUE(search::fuzz::CheckRegExprInput(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        << entry.path().filename();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}
