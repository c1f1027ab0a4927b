// XmlDocument: one XML document with a current position, for building the publisher file
// and reading such files back. Parsing and writing are libxml2's; this class adds the
// navigation, the encoding rules of the data folder's files and the report of events.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace zarim {

// A place in the document that a caller can keep and return to while the document is
// not changed: the parent, main and child positions (null = none).
struct XmlPosition {
  void* parent = nullptr;
  void* main = nullptr;
  void* child = nullptr;
};

// The largest XML file read: many times a full congregation's publisher list.
inline constexpr size_t kMaxXmlFile = 16u << 20;

class XmlDocument {
 public:
  // language_code picks the code page that the encoding name "ANSI" stands for.
  explicit XmlDocument(std::string_view language_code = "eng");
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Reads the file, finds its encoding (byte-order mark, the XML declaration, a check for
  // valid UTF-8), converts it and parses it. A file that is not well formed is refused
  // whole: the document is left empty and false returned, with the events in Result().
  // A file that is not a regular file or is larger than kMaxXmlFile is not read, and a
  // document type that declares entities is refused once the text is decoded (an entity
  // can hide text or multiply it far beyond the file): Refusal() then says why.
  bool Load(const std::string& path);
  // Why the last Load refused the file before parsing it, in the program's words; empty
  // when it was read (a file that is not well formed has only its events).
  const std::string& Refusal() const { return refusal_; }
  // Writes the document in its encoding (UTF-8 unless it was loaded from a file in
  // another); false on a file error. The file is replaced whole or not at all.
  bool Save(const std::string& path);

  // Replaces the document by parsed UTF-8 text (false and empty when not well formed), or
  // returns it as UTF-8 text with its XML declaration.
  bool SetDoc(std::string_view utf8_text);
  std::string GetDoc() const;
  bool IsEmpty() const;
  // Whether the document has a document type declaration (a format of this program's own
  // never has one).
  bool HasDocType() const;
  // The encoding the document is saved in ("UTF-8", "windows-1252", "UTF-16", ...).
  const std::string& Encoding() const { return encoding_; }
  void SetEncoding(std::string_view name) { encoding_ = name; }

  // ---- Navigation: the main position runs among the children of the parent position,
  // the child position among the children of the main element. An empty name matches
  // any element.
  void ResetPos();
  void ResetMainPos();  // back before the first element under the parent
  void ResetChildPos();
  bool FindElem(std::string_view name = {});
  bool FindChildElem(std::string_view name = {});
  bool IntoElem();
  bool OutOfElem();
  XmlPosition SavePos() const { return pos_; }
  void RestorePos(const XmlPosition& pos) { pos_ = pos; }

  std::string GetTagName() const;
  std::string GetChildTagName() const;
  // Text content (UTF-8) with character references resolved; empty without a position.
  std::string GetData() const;
  std::string GetChildData() const;
  std::string GetAttrib(std::string_view name) const;
  std::string GetChildAttrib(std::string_view name) const;

  // ---- Building. A new element goes after the main (child) position, or last under the
  // parent (main element) when there is none, and becomes the main (child) element. Its
  // text is written as a CDATA section when cdata is set. Names must be XML names.
  bool AddElem(std::string_view name, std::string_view text = {}, bool cdata = false);
  bool AddElem(std::string_view name, int value);
  bool AddChildElem(std::string_view name, std::string_view text = {}, bool cdata = false);
  bool AddChildElem(std::string_view name, int value);
  bool SetAttrib(std::string_view name, std::string_view value);
  bool SetAttrib(std::string_view name, int value);
  bool SetChildAttrib(std::string_view name, std::string_view value);

  // What the last Load, Save or SetDoc met: one element per event, for example
  // <read length="120"/><converted_to encoding="UTF-8" length="121"/>.
  const std::string& Result() const { return result_; }

 private:
  void Clear();
  bool Parse(std::string utf8);
  void Event(std::string_view name,
             std::initializer_list<std::pair<const char*, std::string>> attributes = {});
  void* AddNode(bool child, std::string_view name, std::string_view text, bool cdata);
  std::string Serialize(std::string_view declared_encoding) const;

  void* doc_ = nullptr;  // the libxml2 document
  XmlPosition pos_;
  std::string language_code_;
  std::string encoding_ = "UTF-8";
  std::string result_;
  std::string refusal_;
  std::string loading_;  // the path of the file being loaded, for Refusal()
  friend struct XmlParseHooks;
};

// Whether an XML result text (XmlDocument::Result) holds an event of that name.
bool XmlResultHas(std::string_view result, std::string_view event);

}  // namespace zarim
