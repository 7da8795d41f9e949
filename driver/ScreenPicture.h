// A picture of what the screen shows, for the documentation's screenshots.
#pragma once

#include <windows.h>

#include <string>

// Writes the screen's `area` (frames and all, as painted) to `path` as a
// 24-bit BMP file. "" when written, otherwise what went wrong. What a window
// painted reaches the screen only once its thread has been idle for a moment,
// so a caller lets some ticks pass after the last change.
std::string saveScreenPicture(const RECT& area, const std::string& path);
