#pragma once
// What the extension and the program that registers it must agree on: the class identifier,
// the texts of the menu entry and the settings key holding the program's path.

#include "platform/com/Guid.h"

namespace kestrix {

inline constexpr platform::com::Guid kClassId = platform::com::MakeGuid("{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}");
inline constexpr const char* kClassIdText = "{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}";

inline constexpr const char* kMenuText = "Vantrel Software &Search...";
inline constexpr const char* kDescription = "Search folder using Vantrel Software Search";
inline constexpr const char* kStartErrorText = "Could not start Vantrel Software Search.";
inline constexpr const char* kErrorCaption = "Error";

// Under HKEY_CURRENT_USER; the program writes its full path to the value "Program" at every start.
inline constexpr const char* kProgramKey = "Software\\Vantrel Software\\Search";
inline constexpr const char* kProgramValue = "Program";

// The library's file name beside the program.
inline constexpr const char* kLibraryFileName = "libKestrix.so";
inline constexpr const char* kHostFileName = "kestrix-host";

}  // namespace kestrix
