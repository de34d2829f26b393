#pragma once
// The clipboard and drag form of a list of files: text/uri-list, which file managers take as
// files, and the form GNOME's and KDE's file managers paste as a copy.

#include <QMimeData>
#include <memory>
#include <string>
#include <vector>

std::unique_ptr<QMimeData> FilesMimeData(const std::vector<std::string>& paths);

// The paths' own bytes as plain text, one per line.
std::unique_ptr<QMimeData> PlainTextMimeData(const std::string& text);
