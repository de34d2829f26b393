#pragma once
// The QuickView viewer, offered only where it is registered: the default value of the classes
// root key QuickView\shell\open\command in our registry.

#include <string>

// The viewer's command, or empty when none is registered.
std::string GetQuickViewCommand();
