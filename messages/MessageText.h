// Message texts: every text that the system shows of its own is looked up by
// number in the module's string table, with a built-in default for a missing
// entry. The numbers and both texts of each message are listed once, in
// MessageTexts.inc.
#pragma once

#include <cstddef>

enum class MessageNumber : unsigned {
#define MESSAGE_TEXT(number, symbol, tableText, defaultText) symbol = number,
#include "MessageTexts.inc"
#undef MESSAGE_TEXT
};

constexpr std::size_t kMessageTextBufferSize = 300;

// Holds the text of the last lookup that found its entry; the next such lookup
// overwrites it. All zero at load.
extern char messageTextBuffer[kMessageTextBufferSize];

// Returns messageTextBuffer holding the string table text of `number`, or
// `defaultText` itself (the same pointer) when the table has no entry of that
// number or the entry is empty; messageTextBuffer is then left as it was.
// A table text of kMessageTextBufferSize characters or more is cut to fit.
const char* loadMessageText(unsigned number, const char* defaultText);

// The default that the code passes for one of the module's own messages.
const char* builtInMessageText(MessageNumber number);

// loadMessageText of one of the module's messages with its built-in default.
const char* messageText(MessageNumber number);
