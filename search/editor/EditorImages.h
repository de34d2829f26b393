#pragma once
// The editor's 16 by 16 glyphs by the design's names ("SAVEFile", "Bookmark3"...): theme
// images where the desktop has one, the bookmark flags drawn here.

#include <QIcon>
#include <QString>

QIcon EditorImage(const QString& glyphName);
