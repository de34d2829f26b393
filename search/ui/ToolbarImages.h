#pragma once
// The images of the toolbar and the small buttons, from the desktop's icon theme, mapped once
// from the image names of the design.

#include <QIcon>
#include <QString>

// The image for one of the design's names ("SEARCH", "HISTORY", "OPEN", "HIDE", "EXIT",
// "BROWSE"); an empty icon when the theme has none.
QIcon ToolbarImage(const QString& designName);
