#pragma once
// Times one step of a window benchmark, the events it leaves behind included, and prints it.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

inline double Time(const char* step, const std::function<void()>& work) {
  QElapsedTimer clock;
  clock.start();
  work();
  QCoreApplication::processEvents();
  const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("  %-44s %9.1f ms\n", step, ms);
  std::fflush(stdout);
  return ms;
}
