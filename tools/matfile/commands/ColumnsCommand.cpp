#include "Commands.h"
#include "CsvColumns.h"

int runColumns(const Invocation&, Console& console) {
  console.out << CsvColumns::acceptedHeaders()
              << "A header is one of these names, in any letter case, with its unit in brackets\n"
                 "or parentheses after it: \"E [GPa]\", \"density (kg/m^3)\". Units are read as\n"
                 "data sheets write them (W/m-K, \xC2\xB5"
                 "m/m\xC2\xB0"
                 "C, BTU/hr-ft-\xC2\xB0"
                 "F); matfile units lists\n"
                 "every unit and its factor.\n";
  return kExitSuccess;
}
