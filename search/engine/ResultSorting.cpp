#include "search/engine/ResultSorting.h"

#include <algorithm>
#include <limits>

#include "platform/fs/FileSystem.h"

namespace search {
namespace {

constexpr double kUnavailable = -std::numeric_limits<double>::infinity();

unsigned char Folded(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

double DateValue(double dayNumber) { return dayNumber == 0 ? kUnavailable : dayNumber; }

}  // namespace

int CompareFoldedText(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char x = Folded(a[i]);
    const unsigned char y = Folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TSortKey GetSortKey(const TResultNode& node, int sortField) {
  TSortKey key;
  const TTreeViewFile* file = node.File();
  if (file == nullptr) {
    key.group = TSortKey::Group::Error;
    key.text = "~~" + node.Payload->GetSaveText();
    return key;
  }
  key.numeric = sortField >= kSortMatches && sortField <= kSortSize;
  switch (sortField) {
    case kSortPath: key.text = file->FileName; break;
    case kSortName: key.text = std::string(platform::fs::FileNamePart(file->FileName)); break;
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
  return CompareFoldedText(a.text, b.text);
}

void SortResults(TResultTree& tree, const TSortOptions& options) {
  auto& nodes = tree.TopLevel();
  std::vector<std::pair<TSortKey, std::unique_ptr<TResultNode>>> keyed;
  keyed.reserve(nodes.size());
  for (auto& node : nodes) {
    TSortKey key = GetSortKey(*node, options.SortField);
    keyed.emplace_back(std::move(key), std::move(node));
  }
  const bool ascending = options.SortAscending;
  // std::stable_sort is a merge sort; "less" is reversed for descending so that ties stay put.
  std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& x, const auto& y) {
    const int order = CompareSortKeys(x.first, y.first);
    return ascending ? order < 0 : order > 0;
  });
  for (size_t i = 0; i < keyed.size(); ++i) nodes[i] = std::move(keyed[i].second);
}

}  // namespace search
