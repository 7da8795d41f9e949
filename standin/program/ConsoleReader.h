// Reads the lines typed at the console on a thread of its own and posts each
// to the host window, so that the user-interface thread keeps running its
// message loop while the user types.
#pragma once

#include "HostWindow.h"

// Starts the reading thread; it ends with the process. False when it cannot
// be started.
bool startConsoleReader(HostWindow& window);
