#include "XmlReader.h"

#include <expat.h>

#include "CodePage.h"

const bool kReadsXml = true;

namespace {

// Large enough that expat's own work outweighs the calls around each chunk.
constexpr int kChunkSize = 1 << 17;

}  // namespace

struct XmlReader::Parser {
  explicit Parser(XmlHandler& eventHandler)
      : expat(XML_ParserCreate(nullptr)), handler(eventHandler) {}
  ~Parser() {
    if (expat != nullptr) XML_ParserFree(expat);
  }

  XmlReadResult read(const XmlChunks& chunks) {
    XmlReadResult result;
    if (expat == nullptr) {
      result.problem = "out of memory";
      return result;
    }
    XML_SetUserData(expat, this);
    XML_SetElementHandler(expat, onStart, onEnd);
    XML_SetCharacterDataHandler(expat, onText);
    XML_SetEntityDeclHandler(expat, onEntityDeclaration);
    XML_SetExternalEntityRefHandler(expat, onExternalEntity);
    XML_SetUnknownEncodingHandler(expat, onUnknownEncoding, nullptr);
    XML_SetParamEntityParsing(expat, XML_PARAM_ENTITY_PARSING_NEVER);
    if (parseAll(chunks) && refusal.empty()) {
      result.readable = true;
      return result;
    }
    result.problemLine =
        refusal.empty() ? static_cast<long>(XML_GetCurrentLineNumber(expat)) : refusalLine;
    result.problem = refusal.empty() ? std::string("not well-formed XML: ") +
                                           XML_ErrorString(XML_GetErrorCode(expat))
                                     : refusal;
    return result;
  }

  // Each chunk is read straight into expat's own buffer.
  bool parseAll(const XmlChunks& chunks) {
    for (;;) {
      void* buffer = XML_GetBuffer(expat, kChunkSize);
      if (buffer == nullptr) return false;
      std::size_t count = chunks(static_cast<char*>(buffer), kChunkSize);
      bool last = count == 0;
      if (XML_ParseBuffer(expat, static_cast<int>(count), last ? XML_TRUE : XML_FALSE) !=
          XML_STATUS_OK) {
        return false;
      }
      if (last) return true;
    }
  }

  static Parser& of(void* data) { return *static_cast<Parser*>(data); }

  void refuse(const std::string& why) {
    if (refusal.empty()) {
      refusal = why;
      refusalLine = static_cast<long>(XML_GetCurrentLineNumber(expat));
    }
    XML_StopParser(expat, XML_FALSE);
  }

  // Expat may still call a handler or two after a refusal stops it.
  static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Parser& parser = of(data);
    if (!parser.refusal.empty()) return;
    if (parser.depth >= kXmlDepthLimit) {
      parser.refuse("elements nested deeper than " + std::to_string(kXmlDepthLimit) +
                    "; no material document nests so deep");
      return;
    }
    ++parser.depth;
    const char* localName = name;
    for (const char* at = name; *at != '\0'; ++at) {
      if (*at == ':') localName = at + 1;
    }
    parser.handler.start(localName, attributes);
  }

  static void XMLCALL onEnd(void* data, const XML_Char*) {
    Parser& parser = of(data);
    if (!parser.refusal.empty()) return;
    --parser.depth;
    parser.handler.end();
  }

  static void XMLCALL onText(void* data, const XML_Char* text, int length) {
    Parser& parser = of(data);
    if (parser.refusal.empty()) parser.handler.text(text, length);
  }

  static void XMLCALL onEntityDeclaration(void* data, const XML_Char* name, int, const XML_Char*,
                                          int, const XML_Char*, const XML_Char*, const XML_Char*,
                                          const XML_Char*) {
    of(data).refuse(std::string("the document declares the entity \"") + name +
                    "\"; entities are refused, as they can make a small file expand without "
                    "bound or read other files");
  }

  static int XMLCALL onExternalEntity(XML_Parser expat, const XML_Char*, const XML_Char*,
                                      const XML_Char* systemId, const XML_Char*) {
    of(XML_GetUserData(expat))
        .refuse(std::string("the document refers to the external entity \"") +
                (systemId != nullptr ? systemId : "") + "\"; nothing outside the document is read");
    return XML_STATUS_ERROR;
  }

  // Documents that tools save in a Windows code page; expat knows UTF-8,
  // UTF-16, ISO-8859-1 and US-ASCII itself.
  static int XMLCALL onUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    CodePage page;
    std::string error;
    if (!CodePage::named(name, page, error)) return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
      bool defined = true;
      unsigned code = page.unicodeOf(static_cast<unsigned char>(byte), &defined);
      info->map[byte] = defined ? static_cast<int>(code) : -1;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
  }

  XML_Parser expat;
  XmlHandler& handler;
  int depth = 0;
  std::string refusal;
  long refusalLine = 1;
};

XmlReader::XmlReader(XmlHandler& handler) : parser_(std::make_unique<Parser>(handler)) {}

XmlReader::~XmlReader() = default;

XmlReadResult XmlReader::read(const XmlChunks& chunks) { return parser_->read(chunks); }

long XmlReader::line() const { return static_cast<long>(XML_GetCurrentLineNumber(parser_->expat)); }
