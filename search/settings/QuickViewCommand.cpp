#include "search/settings/QuickViewCommand.h"

#include "search/settings/NtRegistry.h"

std::string GetQuickViewCommand() {
  TNTRegistry registry;
  registry.SetRootKey(TNTRegistry::Root::ClassesRoot);
  if (!registry.OpenKeyLimited("\\QuickView\\shell\\open\\command", false)) return {};
  return registry.GetText("").value_or("");
}
