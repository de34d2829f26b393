#pragma once
// The extension's two counters, live handler objects and locks on the class factory, which
// decide whether the library may be unloaded. They are the library's only shared state besides
// the menu bitmap.

namespace kestrix {

void ObjectCreated();
void ObjectDestroyed();
void ServerLocked(bool lock);
// True when no handler object is alive and no lock is held.
bool ServerIdle();

}  // namespace kestrix
