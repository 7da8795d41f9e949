#include "XmlReader.h"

const bool kReadsXml = false;

XmlReadResult readXml(const std::string&) {
  XmlReadResult result;
  result.problem =
      "MatML is not available in this build: this matfile is built without an XML "
      "reader; import MatML with a matfile that has one (the native build)";
  return result;
}
