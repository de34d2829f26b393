// kestrix-host: drives libKestrix.so the way a file manager does (see HostCommandLine.h).

#include <string>
#include <vector>

#include "extension/host/HostCommandLine.h"

int main(int argc, char** argv) {
  return kestrix::RunKestrixHost(std::vector<std::string>(argv + 1, argv + argc));
}
