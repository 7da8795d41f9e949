#include "XmlReader.h"

#include <expat.h>

#include <vector>

#include "CodePage.h"

const bool kReadsXml = true;

namespace {

class TreeBuilder {
 public:
  TreeBuilder() : parser_(XML_ParserCreate(nullptr)) {}
  ~TreeBuilder() {
    if (parser_ != nullptr) XML_ParserFree(parser_);
  }
  TreeBuilder(const TreeBuilder&) = delete;
  TreeBuilder& operator=(const TreeBuilder&) = delete;

  XmlReadResult read(const std::string& bytes) {
    XmlReadResult result;
    if (parser_ == nullptr) {
      result.problem = "out of memory";
      return result;
    }
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, onStart, onEnd);
    XML_SetCharacterDataHandler(parser_, onText);
    XML_SetEntityDeclHandler(parser_, onEntityDeclaration);
    XML_SetExternalEntityRefHandler(parser_, onExternalEntity);
    XML_SetUnknownEncodingHandler(parser_, onUnknownEncoding, nullptr);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    // One call for the whole text: chunks fed by a caller would only move
    // the line numbers of a problem.
    bool parsed =
        bytes.size() <= static_cast<std::size_t>(INT32_MAX) &&
        XML_Parse(parser_, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
    if (parsed && refusal_.empty()) {
      result.root = std::move(root_);
      return result;
    }
    result.problemLine =
        refusal_.empty() ? static_cast<long>(XML_GetCurrentLineNumber(parser_)) : refusalLine_;
    result.problem = refusal_.empty() ? std::string("not well-formed XML: ") +
                                            XML_ErrorString(XML_GetErrorCode(parser_))
                                      : refusal_;
    return result;
  }

 private:
  static TreeBuilder& of(void* data) { return *static_cast<TreeBuilder*>(data); }

  void refuse(const std::string& why) {
    if (refusal_.empty()) {
      refusal_ = why;
      refusalLine_ = static_cast<long>(XML_GetCurrentLineNumber(parser_));
    }
    XML_StopParser(parser_, XML_FALSE);
  }

  static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    TreeBuilder& builder = of(data);
    if (builder.open_.size() >= static_cast<std::size_t>(kXmlDepthLimit)) {
      builder.refuse("elements nested deeper than " + std::to_string(kXmlDepthLimit) +
                     "; no material document nests so deep");
      return;
    }
    auto element = std::make_unique<XmlElement>();
    std::string full = name;
    std::size_t colon = full.rfind(':');
    element->name = colon == std::string::npos ? full : full.substr(colon + 1);
    element->line = static_cast<long>(XML_GetCurrentLineNumber(builder.parser_));
    for (int i = 0; attributes[i] != nullptr; i += 2) {
      element->attributes.emplace_back(attributes[i], attributes[i + 1]);
    }
    XmlElement* raw = element.get();
    if (builder.open_.empty())
      builder.root_ = std::move(element);
    else
      builder.open_.back()->children.push_back(std::move(element));
    builder.open_.push_back(raw);
  }

  static void XMLCALL onEnd(void* data, const XML_Char*) {
    TreeBuilder& builder = of(data);
    if (!builder.open_.empty()) builder.open_.pop_back();
  }

  static void XMLCALL onText(void* data, const XML_Char* text, int length) {
    TreeBuilder& builder = of(data);
    if (!builder.open_.empty())
      builder.open_.back()->text.append(text, static_cast<std::size_t>(length));
  }

  static void XMLCALL onEntityDeclaration(void* data, const XML_Char* name, int, const XML_Char*,
                                          int, const XML_Char*, const XML_Char*, const XML_Char*,
                                          const XML_Char*) {
    of(data).refuse(std::string("the document declares the entity \"") + name +
                    "\"; entities are refused, as they can make a small file expand without "
                    "bound or read other files");
  }

  static int XMLCALL onExternalEntity(XML_Parser parser, const XML_Char*, const XML_Char*,
                                      const XML_Char* systemId, const XML_Char*) {
    TreeBuilder& builder = of(XML_GetUserData(parser));
    builder.refuse(std::string("the document refers to the external entity \"") +
                   (systemId != nullptr ? systemId : "") +
                   "\"; nothing outside the document is read");
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

  XML_Parser parser_;
  std::unique_ptr<XmlElement> root_;
  std::vector<XmlElement*> open_;
  std::string refusal_;
  long refusalLine_ = 1;
};

}  // namespace

XmlReadResult readXml(const std::string& bytes) { return TreeBuilder().read(bytes); }
