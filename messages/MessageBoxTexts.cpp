#include "MessageBoxTexts.h"

MessageBoxTexts::MessageBoxTexts(MessageNumber text, MessageNumber caption)
    : caption_(caption), text_(text) {}
