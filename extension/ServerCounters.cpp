#include "extension/ServerCounters.h"

#include <atomic>

namespace kestrix {

namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

}  // namespace

void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
void ServerLocked(bool lock) { lock ? ++serverLocks : --serverLocks; }
bool ServerIdle() { return liveObjects.load() == 0 && serverLocks.load() == 0; }

}  // namespace kestrix
