#pragma once

// The program version as the caption shows it (two decimals).
constexpr double kProgramVersion = 1.05;

// The application title: taskbar text, title of the error report.
inline constexpr char kApplicationTitle[] = "Ternu Setup Tool";
