#include "platform/registry/HiveCache.h"

#include <cstdio>

namespace platform::registry {

bool HiveCache::StillCurrent() const {
  if (!hive_) return false;
  FileIdentity now;
  switch (file_.Look(now)) {
    case HiveFile::Presence::Missing:
      return !fromFile_;
    case HiveFile::Presence::Present:
      return fromFile_ && now == identity_;
    case HiveFile::Presence::Unreadable:
      return false;
  }
  return false;
}

Hive* HiveCache::Current(bool locked) {
  if (StillCurrent()) return &*hive_;
  Forget();
  HiveFile::Reading reading = file_.Load(locked);
  if (reading.kind == HiveFile::Reading::Kind::Unreadable) {
    if (!unreadableReported_) {
      std::fprintf(stderr, "Search: the settings file %s could not be read (%s); defaults are used until it can be\n",
                   file_.Path().c_str(), reading.problem.c_str());
      unreadableReported_ = true;
    }
    return nullptr;
  }
  unreadableReported_ = false;
  fromFile_ = reading.kind == HiveFile::Reading::Kind::Read;
  identity_ = reading.identity;
  held_ = std::move(reading.file);
  hive_ = std::move(reading.hive);
  return &*hive_;
}

bool HiveCache::Save() {
  if (!hive_ || !file_.Save(*hive_, held_, identity_)) {
    Forget();
    return false;
  }
  fromFile_ = true;
  return true;
}

void HiveCache::Forget() {
  hive_.reset();
  held_.Reset();
  fromFile_ = false;
}

}  // namespace platform::registry
