// Where the message texts are stored: the module's string table resource on
// Windows, a table compiled in elsewhere. Each build links exactly one of the
// StringTable*.cpp files; tests link the one without entries to see the
// built-in defaults.
#pragma once

// Copies entry `number` (cut to bufferSize - 1 characters) with a terminator
// into `buffer` and returns its length; 0 when there is no such entry or it is
// empty.
int loadStringTableEntry(unsigned number, char* buffer, int bufferSize);
