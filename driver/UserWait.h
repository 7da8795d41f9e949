// How long a step that plays the user waits for the window it acts on (a
// dialog shows only once its loop finds the queue empty, a command's window
// only once the command runs): the same for the dialog driver's steps and the
// stand-in host's script lines, so that a line behaves alike in both.
#pragma once

constexpr long long kUserWaitMilliseconds = 5000;
