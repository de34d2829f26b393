#pragma once
// The line nodes under one file node, held in place (a matched line costs its node and its
// text, nothing more). Copies share the same lines until one of them appends, so the history
// keeps the lines of a search without copying them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/engine/results/TreeViewObject.h"

namespace search {

class TLineNodes {
 public:
  using Storage = std::vector<TTreeViewFileLine>;

  size_t size() const { return lines_ ? lines_->size() : 0; }
  bool empty() const { return size() == 0; }
  const TTreeViewFileLine& operator[](size_t index) const { return (*lines_)[index]; }
  const TTreeViewFileLine& at(size_t index) const { return Lines().at(index); }
  Storage::const_iterator begin() const { return Lines().begin(); }
  Storage::const_iterator end() const { return Lines().end(); }

  void emplace_back(std::string text, bool matched, int64_t lineNumber) {
    Mutable().emplace_back(std::move(text), matched, lineNumber);
  }
  void reserve(size_t count) { Mutable().reserve(count); }

  // True when both hold the very same lines (not only equal ones).
  bool SharesWith(const TLineNodes& other) const { return lines_ == other.lines_; }

 private:
  const Storage& Lines() const;
  Storage& Mutable();

  std::shared_ptr<Storage> lines_;
};

}  // namespace search
