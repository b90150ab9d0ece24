#pragma once

// Makes the terminal draw the progress line as on Linux: a Windows console
// interprets its escape sequences only when asked to (Windows 10 and later).
void PrepareConsole();
