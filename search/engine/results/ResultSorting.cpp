#include "search/engine/results/ResultSorting.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/fs/FileSystem.h"

namespace search {
namespace {

constexpr double kUnavailable = -std::numeric_limits<double>::infinity();

unsigned char Folded(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// The index of the first byte where the two texts differ, from `from` on, or `end`.
size_t FirstDifference(const char* a, const char* b, size_t from, size_t end) {
  size_t i = from;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= end; i += 8) {
      uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) return i + static_cast<size_t>(std::countr_zero(x ^ y) / 8);
    }
  }
  while (i < end && a[i] == b[i]) ++i;
  return i;
}

double DateValue(double dayNumber) { return dayNumber == 0 ? kUnavailable : dayNumber; }

}  // namespace

int CompareFoldedText(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < common) {
    // Skip the run of identical bytes eight at a time; fold only where the bytes differ.
    i = FirstDifference(a.data(), b.data(), i, common);
    if (i == common) break;
    const unsigned char x = Folded(a[i]);
    const unsigned char y = Folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
    ++i;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TSortKey GetSortKey(const TResultNode& node, int sortField) {
  TSortKey key;
  const TTreeViewFile* file = node.File();
  if (file == nullptr) {
    key.group = TSortKey::Group::Error;
    key.ownText = "~~" + node.Payload->GetSaveText();
    return key;
  }
  key.numeric = sortField >= kSortMatches && sortField <= kSortSize;
  switch (sortField) {
    case kSortPath: key.text = file->FileName; break;
    case kSortName: key.text = platform::fs::FileNamePart(file->FileName); break;
    case kSortMatches: key.value = file->Matches; break;
    case kSortCreated: key.value = DateValue(file->Created); break;
    case kSortModified: key.value = DateValue(file->Modified); break;
    case kSortAccessed: key.value = DateValue(file->Accessed); break;
    case kSortSize: key.value = static_cast<double>(file->Size); break;
    default: break;  // an unknown field gives every file the same empty key
  }
  return key;
}

int CompareSortKeys(const TSortKey& a, const TSortKey& b) {
  if (a.group != b.group) return a.group == TSortKey::Group::File ? -1 : 1;
  if (a.numeric && b.numeric && a.value != b.value) return a.value < b.value ? -1 : 1;
  return CompareFoldedText(a.Text(), b.Text());
}

void SortResults(TResultTree& tree, const TSortOptions& options) {
  if (options.SortField == kSortNone) return;
  auto& nodes = tree.TopLevel();
  std::vector<TSortKey> keys;
  keys.reserve(nodes.size());
  for (const auto& node : nodes) {
    keys.push_back(GetSortKey(*node, options.SortField));
  }
  std::vector<uint32_t> order(nodes.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  const bool ascending = options.SortAscending;
  // std::stable_sort is a merge sort; "less" is reversed for descending so that ties stay put.
  std::stable_sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
    const int comparison = CompareSortKeys(keys[x], keys[y]);
    return ascending ? comparison < 0 : comparison > 0;
  });
  std::vector<std::unique_ptr<TResultNode>> sorted;
  sorted.reserve(nodes.size());
  for (uint32_t index : order) sorted.push_back(std::move(nodes[index]));
  nodes = std::move(sorted);
}

}  // namespace search
