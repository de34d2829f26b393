#pragma once
// The program's help file: its own path with ".html" in place of its extension (search.html
// beside search), opened with the desktop's handler for it.

#include <QString>

QString HelpFilePath();

// Hands the file to the desktop's viewer; false when it could not.
bool OpenHelpFile(const QString& path);
