// How the tool names a material in its reports and matches names.
#pragma once

#include <string>

#include "Material.h"

// The name as the file writes it: "(null)" for an absent name, which is also
// what the material reads back as after a save.
std::string writtenName(const Material& material);

// For reports: a text in double quotes, so that blanks at either end show.
std::string quoted(const std::string& text);

// For reports: the name in double quotes, so that blanks at either end show;
// (null) without quotes for an absent name.
std::string quotedName(const Material& material);

// The text without the whitespace at either end.
std::string withoutOuterBlanks(const std::string& text);
