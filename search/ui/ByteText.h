#pragma once
// File text as the window shows it: UTF-8 where the bytes form it, and every other byte as the
// one character of the same value, so nothing a file holds is dropped from view.

#include <QString>
#include <string_view>

QString DisplayString(std::string_view bytes);

// The window's text back as bytes for the engine (UTF-8).
std::string EngineString(const QString& text);
