#pragma once
// The images of the toolbar and the small buttons, from the desktop's icon theme, mapped once
// from the image names of the design.

#include <QIcon>
#include <QString>

// The image for one of the design's image names ("SEARCH", "EXIT", "COPY", "SortAscending"...,
// letter case ignored); an empty icon when the design or the theme has none.
QIcon ToolbarImage(const QString& designName);

// Makes sure the icon theme can be found: the desktop's folders are searched, and the named
// theme is used when the current one is unset or lacks the images (as without a desktop).
void PrepareIconTheme(const QString& fallbackTheme = "breeze");
