#pragma once
// The rules of the monthly update check and the web links: version comparison, the version
// file's name=value lines, the monthly test, the user-agent text and the addresses used.

#include <string>
#include <string_view>
#include <vector>

// 1 when `announced` is newer than `own`, -1 when older, 0 otherwise. Positions are compared
// up to the shorter list's length (7.0 against 7.0.0.57 is 0). A version with a part that is
// not a decimal number is never newer: the comparison gives 0.
int CompareVersions(std::string_view own, std::string_view announced);

// The trimmed value of the first line "name=value" whose trimmed name matches `name` without
// regard to case; empty when there is none.
std::string GetVersionFileValue(const std::vector<std::string>& lines, std::string_view name);

// Day numbers count from 30 December 1899. Due when the year and month of `lastCheckDay`
// differ from those of `today`.
bool IsUpdateCheckDue(int lastCheckDay, int today);
// Today's local day number.
int TodayDayNumber();

// "Vantrel Update Bot", followed by " V" and the version when there is one.
std::string UpdateUserAgent(std::string_view programVersion);

// The version file's address: $VANTREL_UPDATE_URL when set, else the product address followed
// by "version.txt"; empty without either.
std::string VersionFileAddress(const std::string& productAddress);

// Only http and https addresses are handed to the desktop's browser.
bool IsWebAddress(std::string_view address);

// The maker's site: the product address up to its last "/", cut to its first three
// "/"-separated pieces: https://host/some/path/ gives https://host/. Empty without a "/".
std::string MakerWebsiteAddress(const std::string& productAddress);
