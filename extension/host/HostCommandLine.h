#pragma once
// The command line of kestrix-host:
//   kestrix-host [--library PATH] --menu DIR...     the handler's menu entries, "text<TAB>help"
//   kestrix-host [--library PATH] --invoke DIR...   invokes the entry, which starts the program
//   kestrix-host [--library PATH] --register | --unregister
//   kestrix-host --install | --uninstall            the program's own registration
// "--" ends the options; relative folders are taken from the current folder.

#include <string>
#include <vector>

namespace kestrix {

enum class THostCommand { Menu, Invoke, Register, Unregister, Install, Uninstall };

struct THostOptions {
  THostCommand command = THostCommand::Menu;
  std::string library;  // empty: libKestrix.so beside the host
  std::vector<std::string> folders;
};

// Reads the arguments after the program name; false with `error` set for a bad command line.
bool ParseHostOptions(const std::vector<std::string>& arguments, THostOptions& options, std::string& error);

// Runs the command and returns the exit code: 0 on success, 1 when it failed (after one line on
// standard error), 2 for a bad command line.
int RunKestrixHost(const std::vector<std::string>& arguments);

}  // namespace kestrix
