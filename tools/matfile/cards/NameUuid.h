// A material's UUID on export: a name-based UUID (version 5, SHA-1) of its
// name in UTF-8 within matfile's own namespace, so the same name gives the same
// UUID on every export and on every machine, and a card that another card
// inherits from keeps its identity across exports.
#pragma once

#include <string>

// "xxxxxxxx-xxxx-5xxx-yxxx-xxxxxxxxxxxx" in lower case.
std::string nameUuid(const std::string& utf8Name);

// The same within another namespace, given in its usual text form.
std::string nameUuid(const std::string& namespaceUuid, const std::string& name);
