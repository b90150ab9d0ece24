#pragma once
#include <QFont>

// Tahoma at 11 pixels when its font files are present, else the system's sans font
// at the same size. The font files are registered on first use.
QFont ToolFont();

// How many pixels the dots and accents of capital letters (Ä, Ö, Ü, É, Á) reach
// above the font's ascent: a label sized to its text needs that much room above
// it, or they are cut off. 0 for fonts whose ascent holds them.
int AccentRoom(const QFont &font);
