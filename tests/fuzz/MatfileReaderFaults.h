// The properties that the readers of matfile's import must keep for any
// input, shared by their fuzz targets and by the replay of what the fuzzers
// found. Each returns "" or what went wrong.
#pragma once

#include <cstddef>
#include <string>

// Any bytes as a unit text and as a value: read, or rejected with a reason.
// A unit read has a finite size above 0; a value read is finite.
std::string unitTextFault(const char* data, std::size_t size);

// Any bytes as a material card, inheriting from itself as well: every card
// becomes a material or says why not, and a material holds only values that
// the material file writes and reads back unchanged.
std::string materialCardFault(const char* data, std::size_t size);

// Any bytes as a CSV table: the records read are those that writing them
// gives back, and every row becomes a material or says why not.
std::string csvTableFault(const char* data, std::size_t size);

// Any bytes as a MatML document: read, or refused with a reason and a line
// within the document; every material read holds only values that the
// material file writes and reads back unchanged.
std::string matmlDocumentFault(const char* data, std::size_t size);
