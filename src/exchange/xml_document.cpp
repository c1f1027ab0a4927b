// The XML document over libxml2: encoding detection and conversion with ICU, parsing with
// the HTML 4 named references, navigation and building, and the events of a load or save.
#include "exchange/xml_document.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "core/file_io.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "exchange/import_files.h"

namespace zarim {

namespace {

xmlDocPtr AsDoc(void* p) { return static_cast<xmlDocPtr>(p); }
xmlNodePtr AsNode(void* p) { return static_cast<xmlNodePtr>(p); }
const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

// libxml2 never reaches outside the text it is given: no external entity, no DTD and no
// network access, whatever a file declares.
xmlParserInputPtr NoExternalEntities(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void InitLibxml() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    xmlSetExternalEntityLoader(NoExternalEntities);
  });
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string EscapeAttribute(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Converts bytes of one encoding to UTF-8 through UTF-16. lost counts the characters the
// source encoding could not map (each becomes U+FFFD).
bool ConvertToUtf8(std::string_view bytes, const std::string& encoding, std::string* out,
                   int* lost) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* from = ucnv_open(encoding.c_str(), &status);
  if (U_FAILURE(status)) return false;
  struct Counter {
    int count = 0;
  } counter;
  status = U_ZERO_ERROR;
  ucnv_setToUCallBack(
      from,
      [](const void* context, UConverterToUnicodeArgs* args, const char*, int32_t,
         UConverterCallbackReason reason, UErrorCode* err) {
        if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
        ++const_cast<Counter*>(static_cast<const Counter*>(context))->count;
        *err = U_ZERO_ERROR;
        const UChar replacement = 0xFFFD;
        ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
      },
      &counter, nullptr, nullptr, &status);
  std::u16string wide(bytes.size() + 1, u'\0');
  status = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(from, wide.data(), static_cast<int32_t>(wide.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &status);
  ucnv_close(from);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return false;
  wide.resize(static_cast<size_t>(n));
  status = U_ZERO_ERROR;
  UConverter* utf8 = ucnv_open("UTF-8", &status);
  if (U_FAILURE(status)) return false;
  out->assign(wide.size() * 3 + 1, '\0');
  status = U_ZERO_ERROR;
  int32_t m = ucnv_fromUChars(utf8, out->data(), static_cast<int32_t>(out->size()), wide.data(),
                              static_cast<int32_t>(wide.size()), &status);
  ucnv_close(utf8);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return false;
  out->resize(static_cast<size_t>(m));
  *lost = counter.count;
  return true;
}

// UTF-8 to an encoding; characters it lacks become its substitute ('?' for single-byte
// code pages) and are counted in lost.
bool ConvertFromUtf8(std::string_view utf8, const std::string& encoding, std::string* out,
                     int* lost) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* from = ucnv_open("UTF-8", &status);
  if (U_FAILURE(status)) return false;
  std::u16string wide(utf8.size() + 1, u'\0');
  int32_t n = ucnv_toUChars(from, wide.data(), static_cast<int32_t>(wide.size()), utf8.data(),
                            static_cast<int32_t>(utf8.size()), &status);
  ucnv_close(from);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return false;
  wide.resize(static_cast<size_t>(n));
  status = U_ZERO_ERROR;
  UConverter* to = ucnv_open(encoding.c_str(), &status);
  if (U_FAILURE(status)) return false;
  struct Counter {
    int count = 0;
  } counter;
  status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(
      to,
      [](const void* context, UConverterFromUnicodeArgs* args, const UChar* code_units,
         int32_t length, UChar32 code_point, UConverterCallbackReason reason, UErrorCode* err) {
        if (reason > UCNV_IRREGULAR) return;
        ++const_cast<Counter*>(static_cast<const Counter*>(context))->count;
        UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, code_units, length, code_point, reason, err);
      },
      &counter, nullptr, nullptr, &status);
  out->assign(wide.size() * 4 + 4, '\0');
  status = U_ZERO_ERROR;
  int32_t m = ucnv_fromUChars(to, out->data(), static_cast<int32_t>(out->size()), wide.data(),
                              static_cast<int32_t>(wide.size()), &status);
  ucnv_close(to);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return false;
  out->resize(static_cast<size_t>(m));
  *lost = counter.count;
  return true;
}

bool IsValidUtf8(std::string_view s, bool* has_multibyte) {
  *has_multibyte = false;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    *has_multibyte = true;
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

// The encoding named in the XML declaration at the start of text, or empty.
std::string DeclaredEncoding(std::string_view text) {
  if (text.substr(0, 5) != "<?xml") return {};
  size_t end = text.find("?>");
  if (end == std::string_view::npos || end > 1024) return {};
  std::string_view decl = text.substr(0, end);
  size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < decl.size() &&
         (decl[at] == ' ' || decl[at] == '\t' || decl[at] == '\r' || decl[at] == '\n'))
    ++at;
  if (at >= decl.size() || decl[at] != '=') return {};
  ++at;
  while (at < decl.size() && (decl[at] == ' ' || decl[at] == '\t')) ++at;
  if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\'')) return {};
  char quote = decl[at++];
  size_t close = decl.find(quote, at);
  if (close == std::string_view::npos) return {};
  return std::string(decl.substr(at, close - at));
}

// Named references of HTML 4 ("&frac14;", "&hearts;") become numeric ones before the text
// reaches the parser, which knows only XML's five. Comments, CDATA sections, processing
// instructions and the document type declaration are left as they are. One pass, each
// reference looked up once: the cost is linear in the text. *entities is set when the
// document type declares an entity (such a document is refused, so no declared name
// needs to be told from an HTML one).
std::string ResolveHtmlReferences(const std::string& text, bool* entities) {
  *entities = false;
  if (text.find('&') == std::string::npos && text.find("<!DOCTYPE") == std::string::npos)
    return text;
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  auto skip_to = [&](std::string_view end) {
    size_t e = text.find(end, i);
    size_t stop = e == std::string::npos ? text.size() : e + end.size();
    out.append(text, i, stop - i);
    i = stop;
  };
  while (i < text.size()) {
    char c = text[i];
    if (c == '<' && text.compare(i, 4, "<!--") == 0) {
      skip_to("-->");
    } else if (c == '<' && text.compare(i, 9, "<![CDATA[") == 0) {
      skip_to("]]>");
    } else if (c == '<' && text.compare(i, 2, "<?") == 0) {
      skip_to("?>");
    } else if (c == '<' && text.compare(i, 9, "<!DOCTYPE") == 0) {
      // Up to the '>' that closes it, past an internal subset in brackets.
      size_t j = i + 9;
      int depth = 0;
      char quote = 0;
      for (; j < text.size(); ++j) {
        char d = text[j];
        if (quote) {
          if (d == quote) quote = 0;
        } else if (d == '"' || d == '\'') {
          quote = d;
        } else if (d == '[') {
          ++depth;
        } else if (d == ']') {
          --depth;
        } else if (d == '>' && depth <= 0) {
          break;
        }
      }
      size_t stop = j < text.size() ? j + 1 : text.size();
      if (std::string_view(text).substr(i, stop - i).find("<!ENTITY") != std::string_view::npos)
        *entities = true;
      out.append(text, i, stop - i);
      i = stop;
    } else if (c == '&') {
      size_t j = i + 1;
      while (j < text.size() && j - i <= 10 && IsNameChar(text[j])) ++j;
      if (j < text.size() && text[j] == ';' && j > i + 1) {
        std::string name = text.substr(i + 1, j - i - 1);
        const htmlEntityDesc* entity =
            (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos")
                ? nullptr
                : htmlEntityLookup(X(name));
        if (entity) {
          out += "&#" + std::to_string(entity->value) + ";";
          i = j + 1;
          continue;
        }
      }
      out += c;
      ++i;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string NodeText(xmlNodePtr node) {
  if (!node) return {};
  xmlChar* content = xmlNodeGetContent(node);
  if (!content) return {};
  std::string s(reinterpret_cast<const char*>(content));
  xmlFree(content);
  return s;
}

std::string NodeAttrib(xmlNodePtr node, std::string_view name) {
  if (!node) return {};
  xmlChar* value = xmlGetProp(node, X(std::string(name)));
  if (!value) return {};
  std::string s(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return s;
}

bool Matches(xmlNodePtr node, std::string_view name) {
  if (node->type != XML_ELEMENT_NODE) return false;
  return name.empty() || std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

// The next element after `after` under parent (the first when after is null) with name.
xmlNodePtr NextElement(xmlNodePtr first, xmlNodePtr after, std::string_view name) {
  for (xmlNodePtr n = after ? after->next : first; n; n = n->next)
    if (Matches(n, name)) return n;
  return nullptr;
}

bool ValidName(std::string_view name) {
  if (name.empty()) return false;
  return xmlValidateName(X(std::string(name)), 0) == 0;
}

}  // namespace

// The parse events of libxml2 in the engine's own words.
struct XmlParseHooks {
  static void OnError(void* user, xmlErrorPtr error) {
    auto ctxt = static_cast<xmlParserCtxtPtr>(user);
    auto self = static_cast<XmlDocument*>(ctxt->_private);
    if (!self || !error || error->level < XML_ERR_ERROR) return;
    const char* event = "parse_error";
    const char* type = "";
    switch (error->code) {
      case XML_ERR_DOCUMENT_EMPTY:
        event = "no_root_element";
        break;
      case XML_ERR_DOCUMENT_END:
      case XML_ERR_EXTRA_CONTENT:
        event = "root_has_sibling";
        break;
      case XML_ERR_TAG_NOT_FINISHED:
        event = "unended_start_tag", type = "start_tag";
        break;
      case XML_ERR_TAG_NAME_MISMATCH:
        event = "lone_end_tag", type = "end_tag";
        break;
      case XML_ERR_DOCUMENT_START:
      case XML_ERR_LT_REQUIRED:
        event = "first_tag_syntax";
        break;
      case XML_ERR_COMMENT_NOT_FINISHED:
      case XML_ERR_HYPHEN_IN_COMMENT:
        event = "comment_tag_syntax", type = "comment";
        break;
      case XML_ERR_CDATA_NOT_FINISHED:
      case XML_ERR_MISPLACED_CDATA_END:
        event = "cdata_section_syntax", type = "cdata_section";
        break;
      case XML_ERR_DOCTYPE_NOT_FINISHED:
      case XML_ERR_EXT_SUBSET_NOT_FINISHED:
        event = "doctype_tag_syntax", type = "document_type";
        break;
      case XML_ERR_PI_NOT_STARTED:
      case XML_ERR_PI_NOT_FINISHED:
      case XML_ERR_XMLDECL_NOT_FINISHED:
        event = "unterminated_tag_syntax", type = "processing_instruction";
        break;
      case XML_ERR_NAME_REQUIRED:
      case XML_ERR_GT_REQUIRED:
      case XML_ERR_LTSLASH_REQUIRED:
      case XML_ERR_LT_IN_ATTRIBUTE:
      case XML_ERR_ATTRIBUTE_NOT_FINISHED:
      case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
      case XML_ERR_ATTRIBUTE_NOT_STARTED:
        event = "unterminated_tag_syntax", type = "start_tag";
        break;
      default:
        break;
    }
    std::string message = error->message ? error->message : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
      message.pop_back();
    long offset = 0;
    if (ctxt->input && ctxt->input->cur && ctxt->input->base)
      offset = static_cast<long>(ctxt->input->cur - ctxt->input->base);
    if (*type) {
      self->Event(event, {{"type", type},
                          {"tagname", error->str1 ? error->str1 : ""},
                          {"offset", std::to_string(offset)},
                          {"msg", message}});
    } else {
      self->Event(event, {{"offset", std::to_string(offset)}, {"msg", message}});
    }
  }
};

XmlDocument::XmlDocument(std::string_view language_code) : language_code_(language_code) {
  InitLibxml();
}

XmlDocument::~XmlDocument() { Clear(); }

void XmlDocument::Clear() {
  if (doc_) xmlFreeDoc(AsDoc(doc_));
  doc_ = nullptr;
  pos_ = {};
}

bool XmlDocument::IsEmpty() const { return !doc_ || !xmlDocGetRootElement(AsDoc(doc_)); }

void XmlDocument::Event(std::string_view name,
                        std::initializer_list<std::pair<const char*, std::string>> attributes) {
  if (result_.size() >= 1000) return;
  std::string e = "<" + std::string(name);
  for (const auto& [key, value] : attributes)
    e += std::string(" ") + key + "=\"" + EscapeAttribute(value) + "\"";
  e += "/>";
  result_ += e;
}

bool XmlResultHas(std::string_view result, std::string_view event) {
  std::string open = "<" + std::string(event);
  for (size_t at = result.find(open); at != std::string_view::npos;
       at = result.find(open, at + 1)) {
    size_t after = at + open.size();
    if (after < result.size() && (result[after] == ' ' || result[after] == '/')) return true;
  }
  return false;
}

bool XmlDocument::Parse(std::string utf8) {
  Clear();
  bool entities = false;
  std::string text = ResolveHtmlReferences(utf8, &entities);
  if (entities) {
    Event("entities_declared");
    refusal_ = Fill(Sid::kXmlEntitiesRefused, loading_.empty() ? std::string("XML") : loading_);
    return false;
  }
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (!ctxt) {
    Event("file_error", {{"msg", "out of memory"}});
    return false;
  }
  ctxt->_private = this;
  ctxt->sax->serror = &XmlParseHooks::OnError;
  const int options = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_IGNORE_ENC |
                      XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
  xmlDocPtr doc = xmlCtxtReadMemory(ctxt, text.data(), static_cast<int>(text.size()), nullptr,
                                    "UTF-8", options);
  bool well_formed = doc && ctxt->wellFormed && xmlDocGetRootElement(doc);
  if (!well_formed && !XmlResultHas(result_, "no_root_element") && doc &&
      !xmlDocGetRootElement(doc))
    Event("no_root_element");
  xmlFreeParserCtxt(ctxt);
  if (!well_formed) {
    if (doc) xmlFreeDoc(doc);
    return false;
  }
  doc_ = doc;
  pos_ = {};
  return true;
}

bool XmlDocument::SetDoc(std::string_view utf8_text) {
  result_.clear();
  refusal_.clear();
  loading_.clear();
  encoding_ = "UTF-8";
  if (utf8_text.size() > static_cast<size_t>(INT32_MAX / 4)) {
    Clear();
    Event("file_error", {{"msg", "too large"}});
    return false;
  }
  return Parse(std::string(utf8_text));
}

bool XmlDocument::Load(const std::string& path) {
  result_.clear();
  refusal_.clear();
  loading_ = path;
  Clear();
  // Bounded before a byte is read: a pipe or a huge file never reaches memory.
  std::optional<Bytes> bytes = ReadImportFile(path, kMaxXmlFile, &refusal_);
  if (!bytes) {
    Event("file_error", {{"msg", "cannot read " + path}});
    return false;
  }
  Event("read", {{"length", std::to_string(bytes->size())}});
  std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());

  // Byte-order marks, then the pattern of "<?" in the wide encodings, then the declaration.
  auto starts = [&](std::initializer_list<int> b) {
    if (raw.size() < b.size()) return false;
    size_t k = 0;
    for (int v : b)
      if (static_cast<unsigned char>(raw[k++]) != v) return false;
    return true;
  };
  std::string source;  // the encoding to convert from
  size_t unit = 1;
  if (starts({0xEF, 0xBB, 0xBF})) {
    source = "UTF-8", raw.remove_prefix(3);
  } else if (starts({0xFF, 0xFE, 0, 0})) {
    source = "UTF-32LE", unit = 4, raw.remove_prefix(4);
  } else if (starts({0, 0, 0xFE, 0xFF})) {
    source = "UTF-32BE", unit = 4, raw.remove_prefix(4);
    Event("endian_swap");
  } else if (starts({0xFF, 0xFE})) {
    source = "UTF-16LE", unit = 2, raw.remove_prefix(2);
  } else if (starts({0xFE, 0xFF})) {
    source = "UTF-16BE", unit = 2, raw.remove_prefix(2);
    Event("endian_swap");
  } else if (starts({'<', 0, '?', 0})) {
    source = "UTF-16LE", unit = 2;
  } else if (starts({0, '<', 0, '?'})) {
    source = "UTF-16BE", unit = 2;
    Event("endian_swap");
  }
  std::string saved_as;  // the name the document keeps for saving
  if (source.empty()) {
    std::string declared = DeclaredEncoding(raw);
    std::string lower = Lower(declared);
    if (lower == "ansi") {
      source = CodePageForLanguage(language_code_);
      saved_as = declared;
    } else if (!declared.empty()) {
      source = declared;
    } else {
      bool multibyte = false;
      if (IsValidUtf8(raw, &multibyte)) {
        source = "UTF-8";
        if (multibyte) Event("utf8_detection");
      } else {
        source = CodePageForLanguage(language_code_);
      }
    }
  }
  if (unit > 1 && raw.size() % unit != 0) {
    Event("truncation_error", {{"length", std::to_string(raw.size() % unit)}});
    raw.remove_suffix(raw.size() % unit);
  }
  std::string utf8;
  int lost = 0;
  if (!ConvertToUtf8(raw, source, &utf8, &lost)) {
    Event("file_error", {{"msg", "unknown encoding"}, {"encoding", source}});
    return false;
  }
  if (lost > 0) Event("conversion_loss", {{"count", std::to_string(lost)}, {"encoding", source}});
  size_t nulls = static_cast<size_t>(std::count(utf8.begin(), utf8.end(), '\0'));
  if (nulls > 0) {
    utf8.erase(std::remove(utf8.begin(), utf8.end(), '\0'), utf8.end());
    Event("nulls_removed", {{"count", std::to_string(nulls)}});
  }
  if (Lower(source) != "utf-8")
    Event("converted_to", {{"encoding", "UTF-8"}, {"length", std::to_string(utf8.size())}});
  if (!Parse(std::move(utf8))) return false;
  // UTF-16 and UTF-32 are written back with a byte-order mark in the machine's order.
  if (unit == 2) {
    encoding_ = "UTF-16";
  } else if (unit == 4) {
    encoding_ = "UTF-32";
  } else {
    encoding_ = saved_as.empty() ? source : saved_as;
  }
  return true;
}

std::string XmlDocument::Serialize(std::string_view declared_encoding) const {
  std::string out = "<?xml version=\"1.0\" encoding=\"" + std::string(declared_encoding) + "\"?>\n";
  if (!doc_) return out;
  xmlBufferPtr buffer = xmlBufferCreate();
  xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_FORMAT | XML_SAVE_NO_DECL);
  if (save) {
    for (xmlNodePtr n = AsDoc(doc_)->children; n; n = n->next) {
      xmlSaveTree(save, n);
      xmlSaveFlush(save);
      out.append(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                 static_cast<size_t>(xmlBufferLength(buffer)));
      out += '\n';
      xmlBufferEmpty(buffer);
    }
    xmlSaveClose(save);
  }
  xmlBufferFree(buffer);
  return out;
}

std::string XmlDocument::GetDoc() const { return Serialize("UTF-8"); }

bool XmlDocument::Save(const std::string& path) {
  result_.clear();
  std::string target = encoding_;
  std::string lower = Lower(target);
  std::string converter = lower == "ansi" ? CodePageForLanguage(language_code_) : target;
  std::string bytes;
  if (lower == "utf-8") {
    bytes = Serialize(target);
  } else {
    int lost = 0;
    std::string text = Serialize(target);
    if (lower == "utf-16") converter = "UTF-16LE";
    if (lower == "utf-32") converter = "UTF-32LE";
    if (!ConvertFromUtf8(text, converter, &bytes, &lost)) {
      Event("file_error", {{"msg", "unknown encoding"}, {"encoding", target}});
      return false;
    }
    if (lower == "utf-16") bytes.insert(0, "\xFF\xFE");
    if (lower == "utf-32") bytes.insert(0, std::string("\xFF\xFE\0\0", 4));
    Event("converted_from", {{"encoding", target}, {"length", std::to_string(text.size())}});
    if (lost > 0) Event("conversion_loss", {{"count", std::to_string(lost)}, {"encoding", target}});
  }
  if (!WriteFileAtomic(path, bytes.data(), bytes.size())) {
    Event("file_error", {{"msg", "cannot write " + path}});
    return false;
  }
  Event("write", {{"length", std::to_string(bytes.size())}, {"encoding", target}});
  return true;
}

// ---- Navigation -------------------------------------------------------------------------

void XmlDocument::ResetPos() { pos_ = {}; }
void XmlDocument::ResetMainPos() { pos_.main = nullptr, pos_.child = nullptr; }
void XmlDocument::ResetChildPos() { pos_.child = nullptr; }

bool XmlDocument::FindElem(std::string_view name) {
  if (!doc_) return false;
  xmlNodePtr first = pos_.parent ? AsNode(pos_.parent)->children : AsDoc(doc_)->children;
  xmlNodePtr found = NextElement(first, AsNode(pos_.main), name);
  if (!found) return false;
  pos_.main = found;
  pos_.child = nullptr;
  return true;
}

bool XmlDocument::FindChildElem(std::string_view name) {
  if (!pos_.main) return false;
  xmlNodePtr found = NextElement(AsNode(pos_.main)->children, AsNode(pos_.child), name);
  if (!found) return false;
  pos_.child = found;
  return true;
}

bool XmlDocument::HasDocType() const { return doc_ && AsDoc(doc_)->intSubset; }

bool XmlDocument::IntoElem() {
  if (!pos_.main) return false;
  pos_.parent = pos_.main;
  pos_.main = pos_.child;
  pos_.child = nullptr;
  return true;
}

bool XmlDocument::OutOfElem() {
  if (!pos_.parent) return false;
  xmlNodePtr parent = AsNode(pos_.parent);
  pos_.child = pos_.main;
  pos_.main = parent;
  xmlNodePtr up = parent->parent;
  pos_.parent = (up && up->type == XML_ELEMENT_NODE) ? up : nullptr;
  return true;
}

std::string XmlDocument::GetTagName() const {
  return pos_.main ? reinterpret_cast<const char*>(AsNode(pos_.main)->name) : "";
}
std::string XmlDocument::GetChildTagName() const {
  return pos_.child ? reinterpret_cast<const char*>(AsNode(pos_.child)->name) : "";
}
std::string XmlDocument::GetData() const { return NodeText(AsNode(pos_.main)); }
std::string XmlDocument::GetChildData() const { return NodeText(AsNode(pos_.child)); }
std::string XmlDocument::GetAttrib(std::string_view name) const {
  return NodeAttrib(AsNode(pos_.main), name);
}
std::string XmlDocument::GetChildAttrib(std::string_view name) const {
  return NodeAttrib(AsNode(pos_.child), name);
}

// ---- Building ---------------------------------------------------------------------------

void* XmlDocument::AddNode(bool child, std::string_view name, std::string_view text, bool cdata) {
  if (!ValidName(name)) return nullptr;
  if (!doc_) doc_ = xmlNewDoc(X("1.0"));
  xmlDocPtr doc = AsDoc(doc_);
  xmlNodePtr under = AsNode(child ? pos_.main : pos_.parent);
  xmlNodePtr after = AsNode(child ? pos_.child : pos_.main);
  if (child && !under) return nullptr;
  // One root only: a second element at the top level is refused.
  if (!under && xmlDocGetRootElement(doc)) return nullptr;
  std::string name_s(name);
  xmlNodePtr node = xmlNewDocNode(doc, nullptr, X(name_s), nullptr);
  if (!node) return nullptr;
  if (!text.empty()) {
    xmlNodePtr content = cdata
                             ? xmlNewCDataBlock(doc, reinterpret_cast<const xmlChar*>(text.data()),
                                                static_cast<int>(text.size()))
                             : xmlNewDocTextLen(doc, reinterpret_cast<const xmlChar*>(text.data()),
                                                static_cast<int>(text.size()));
    xmlAddChild(node, content);
  }
  if (!under) {
    xmlDocSetRootElement(doc, node);
  } else if (after) {
    xmlAddNextSibling(after, node);
  } else {
    xmlAddChild(under, node);
  }
  return node;
}

bool XmlDocument::AddElem(std::string_view name, std::string_view text, bool cdata) {
  void* node = AddNode(false, name, text, cdata);
  if (!node) return false;
  pos_.main = node;
  pos_.child = nullptr;
  return true;
}

bool XmlDocument::AddElem(std::string_view name, int value) {
  return AddElem(name, std::to_string(value));
}

bool XmlDocument::AddChildElem(std::string_view name, std::string_view text, bool cdata) {
  void* node = AddNode(true, name, text, cdata);
  if (!node) return false;
  pos_.child = node;
  return true;
}

bool XmlDocument::AddChildElem(std::string_view name, int value) {
  return AddChildElem(name, std::to_string(value));
}

bool XmlDocument::SetAttrib(std::string_view name, std::string_view value) {
  if (!pos_.main || !ValidName(name)) return false;
  return xmlSetProp(AsNode(pos_.main), X(std::string(name)), X(std::string(value))) != nullptr;
}

bool XmlDocument::SetAttrib(std::string_view name, int value) {
  return SetAttrib(name, std::to_string(value));
}

bool XmlDocument::SetChildAttrib(std::string_view name, std::string_view value) {
  if (!pos_.child || !ValidName(name)) return false;
  return xmlSetProp(AsNode(pos_.child), X(std::string(name)), X(std::string(value))) != nullptr;
}

}  // namespace zarim
