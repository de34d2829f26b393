#pragma once
// Asks the X window manager for a title bar without minimise, maximise and close buttons, which
// Qt's window flags alone do not achieve there. Does nothing on other platforms.

class QWidget;

void RemoveTitleBarButtons(QWidget& window);
