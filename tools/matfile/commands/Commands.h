// The commands of matfile, one function each (with the text of its help where
// the table's summary is not enough). A new command is one more function here
// and one more entry in the table (CommandTable.h).
#pragma once

#include <string>

#include "CommandLine.h"
#include "Console.h"

// One tab-separated line per material: name, then the eight numbers.
int runList(const Invocation& invocation, Console& console);

// "LINE: what" for every dropped line and rejected value, then
// "LINE: warning: what" for every implausible value and repeated name.
int runCheck(const Invocation& invocation, Console& console);

// Load and save, refusing when the load would lose something.
int runFormat(const Invocation& invocation, Console& console);

// The materials as a CSV table, cards or a MatML document, written as they are
// made.
int runExport(const Invocation& invocation, Console& console);
std::string exportDetails();

// CSV tables, material cards and MatML documents, validated material by
// material and appended to a material file.
int runImport(const Invocation& invocation, Console& console);
std::string importDetails();

// The plausibility rules as a Markdown table.
int runRules(const Invocation& invocation, Console& console);

// An SVG scatter chart of the materials, one property against another.
int runChart(const Invocation& invocation, Console& console);
std::string chartDetails();

// What changed from one material file to another, material by material.
int runDiff(const Invocation& invocation, Console& console);
std::string diffDetails();

// The headers a table to import may use, with the units each column takes.
int runColumns(const Invocation& invocation, Console& console);
// A three-way merge of material files, as git's merge driver runs it.
int runMerge(const Invocation& invocation, Console& console);
std::string mergeDetails();

// The units that import converts from, with their factors, as Markdown tables.
int runUnits(const Invocation& invocation, Console& console);
