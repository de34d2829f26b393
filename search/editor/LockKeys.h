#pragma once
// Whether Caps Lock, Num Lock or Scroll Lock is toggled on, as the keyboard's lights show it.

enum class TLockKey { Caps, Num, Scroll };

// False when no keyboard tells (no light found).
bool LockKeyOn(TLockKey key);
