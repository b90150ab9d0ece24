#pragma once
#include <QFont>

// Tahoma at 11 pixels when its font files are present, else the system's sans font
// at the same size. The font files are registered on first use.
QFont ToolFont();
