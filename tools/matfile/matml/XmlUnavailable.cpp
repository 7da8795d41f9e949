#include "XmlReader.h"

const bool kReadsXml = false;

struct XmlReader::Parser {};

XmlReader::XmlReader(XmlHandler&) {}

XmlReader::~XmlReader() = default;

XmlReadResult XmlReader::read(const XmlChunks&) {
  XmlReadResult result;
  result.problem =
      "MatML is not available in this build: this matfile is built without an XML "
      "reader; import MatML with a matfile that has one (the native build)";
  return result;
}

long XmlReader::line() const { return 1; }
