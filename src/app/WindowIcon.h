#pragma once

// The id of the installed menu entry and of the icon in the icon theme: desktops
// match the tool's windows to the entry by it.
inline constexpr char kDesktopId[] = "com.orvan.TernuSetupTool";

// Gives the application's windows the icon of that id from the icon theme, the
// first time it is called; later calls do nothing. Uninstalled, the theme has no
// such icon and the windows keep none. The lookup through the theme costs some
// milliseconds, so it waits until the first window or dialog needs it.
void EnsureWindowIcon();
