#include "search/editor/LockKeys.h"

#include <QDir>
#include <QFile>

bool LockKeyOn(TLockKey key) {
  const char* suffix = key == TLockKey::Caps ? "*::capslock" : key == TLockKey::Num ? "*::numlock" : "*::scrolllock";
  const QDir lights("/sys/class/leds");
  for (const QString& name : lights.entryList({suffix}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
    QFile brightness(lights.filePath(name + "/brightness"));
    if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") return true;
  }
  return false;
}
