#include "search/engine/results/LineNodes.h"

namespace search {

const TLineNodes::Storage& TLineNodes::Lines() const {
  static const Storage kNone;
  return lines_ ? *lines_ : kNone;
}

TLineNodes::Storage& TLineNodes::Mutable() {
  if (!lines_) {
    lines_ = std::make_shared<Storage>();
  } else if (lines_.use_count() > 1) {
    auto copy = std::make_shared<Storage>();
    copy->reserve(lines_->size() + 1);
    copy->insert(copy->end(), lines_->begin(), lines_->end());
    lines_ = std::move(copy);
  }
  return *lines_;
}

}  // namespace search
