// TXMLStorage: the hierarchical storage over a pugixml document, the outer-storage cache and the
// storage routines. No pugixml type leaves this file.
#include <map>
#include <mutex>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <vector>

#include "data/cipher.h"
#include "data/data_files.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/os_files.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data/xml_escape.h"

namespace kestrelle {

namespace {

// Whitespace-only text is kept when it is an element's only content (`<t> </t>` reads " ").
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single;

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsText(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

// ---------------------------------------------------------------------------------------------
// Text in and out of the document.

// Valid UTF-8 without NUL: malformed sequences and NUL become U+FFFD, byte by byte.
std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    auto c = static_cast<unsigned char>(text[pos]);
    if (c != 0 && c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++pos;
      continue;
    }
    size_t start = pos;
    char32_t cp = DecodeUtf8(text, pos);
    if (cp == 0 || cp == 0xFFFD)
      AppendUtf8(out, 0xFFFD);
    else
      out.append(text.substr(start, pos - start));
  }
  return out;
}

// The XML text of a node and its subtree, without indentation (which would change text).
// Iterative, so deeply nested documents cannot exhaust the stack.
void Serialize(pugi::xml_node start, std::string& out) {
  if (!start) return;
  pugi::xml_node node = start;
  bool referenceRun = false;
  while (true) {
    if (IsText(node)) {
      // The parser drops a blank run of text that stands beside elements; as character
      // references it is kept. (Adjacent text nodes merge when read, so runs decide, not nodes.)
      if (node == start || !IsText(node.previous_sibling())) {
        pugi::xml_node first = node;
        while (IsText(first.previous_sibling())) first = first.previous_sibling();
        bool blank = true;
        pugi::xml_node last = first;
        for (pugi::xml_node run = first; IsText(run); run = run.next_sibling()) {
          last = run;
          if (std::string_view(run.value()).find_first_not_of(" \t\r\n") != std::string_view::npos) blank = false;
        }
        referenceRun = blank && (first.previous_sibling() || last.next_sibling());
      }
      if (referenceRun) {
        for (char c : std::string_view(node.value())) out += "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
      } else {
        AppendXmlText(out, node.value());
      }
    } else if (node.type() == pugi::node_element) {
      out += '<';
      out += node.name();
      for (pugi::xml_attribute attr : node.attributes()) {
        out += ' ';
        out += attr.name();
        out += "=\"";
        AppendXmlAttribute(out, attr.value());
        out += '"';
      }
      if (node.first_child()) {
        out += '>';
        node = node.first_child();
        continue;
      }
      out += "/>";
    }
    while (node != start && !node.next_sibling()) {
      node = node.parent();
      out += "</";
      out += node.name();
      out += '>';
    }
    if (node == start) break;
    node = node.next_sibling();
  }
}

std::string SerializeToString(pugi::xml_node node) {
  std::string out;
  Serialize(node, out);
  return out;
}

std::string DirectText(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node child : node.children())
    if (IsText(child)) text += child.value();
  return text;
}

// Replaces the element's own text by one text node (child elements stay).
void SetDirectText(pugi::xml_node node, const std::string& text) {
  if (!node || node.type() != pugi::node_element) return;
  pugi::xml_node kept;
  std::vector<pugi::xml_node> extra;
  for (pugi::xml_node child : node.children()) {
    if (!IsText(child)) continue;
    if (!kept && !text.empty() && child.type() == pugi::node_pcdata)
      kept = child;
    else
      extra.push_back(child);
  }
  for (pugi::xml_node child : extra) node.remove_child(child);
  if (text.empty()) return;
  if (!kept) kept = node.append_child(pugi::node_pcdata);
  kept.set_value(text.c_str());
}

bool HasHighByte(const char* text) {
  for (; *text; ++text)
    if (static_cast<unsigned char>(*text) >= 0x80) return true;
  return false;
}

// Character references can name what UTF-8 cannot hold (surrogates, values past U+10FFFF); such
// values become U+FFFD like malformed bytes do, so every value of a document is valid UTF-8.
void SanitizeValues(pugi::xml_node root) {
  auto clean = [](const char* value, auto&& set) {
    if (!HasHighByte(value)) return;
    std::string sanitized = SanitizeUtf8(value);
    if (sanitized != value) set(sanitized.c_str());
  };
  for (pugi::xml_node node = root; node;) {
    if (IsText(node)) clean(node.value(), [&](const char* v) { node.set_value(v); });
    for (pugi::xml_attribute attr : node.attributes()) clean(attr.value(), [&](const char* v) { attr.set_value(v); });
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
}

// A text that reads as nothing (a "&#0;" reference ends the value where it stands) is dropped, so
// that the element saves and reads back as the element without text it now is.
void DropEmptyTexts(pugi::xml_node root) {
  std::vector<pugi::xml_node> empty;
  for (pugi::xml_node node = root; node;) {
    if (IsText(node) && *node.value() == '\0') empty.push_back(node);
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
  for (pugi::xml_node node : empty) node.parent().remove_child(node);
}

bool ParseDocument(const std::string& utf8, pugi::xml_document& document) {
  pugi::xml_parse_result result = document.load_buffer(utf8.data(), utf8.size(), kParseFlags, pugi::encoding_utf8);
  if (!result || !document.document_element()) return false;
  SanitizeValues(document);
  DropEmptyTexts(document);
  return true;
}

// A text that is one well-formed element (and nothing else but blanks).
bool ParsesAsElement(const std::string& utf8, pugi::xml_document& document) {
  if (utf8.find('<') == std::string::npos) return false;
  if (!ParseDocument(utf8, document)) return false;
  int elements = 0;
  for (pugi::xml_node child : document.children()) {
    if (child.type() == pugi::node_element)
      ++elements;
    else if (IsText(child)) {
      for (const char* p = child.value(); *p; ++p)
        if (!IsXmlSpace(*p)) return false;
    }
  }
  return elements == 1;
}

// ---------------------------------------------------------------------------------------------
// File encodings.

std::optional<std::string> DeclaredEncoding(std::string_view bytes) {
  if (bytes.size() < 6 || bytes.substr(0, 5) != "<?xml" || !IsXmlSpace(bytes[5])) return std::nullopt;
  size_t end = bytes.find("?>");
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view decl = bytes.substr(5, end - 5);
  for (size_t p = decl.find("encoding"); p != std::string_view::npos; p = decl.find("encoding", p + 1)) {
    if (p == 0 || !IsXmlSpace(decl[p - 1])) continue;
    size_t q = p + 8;
    while (q < decl.size() && IsXmlSpace(decl[q])) ++q;
    if (q >= decl.size() || decl[q] != '=') return std::nullopt;
    ++q;
    while (q < decl.size() && IsXmlSpace(decl[q])) ++q;
    if (q >= decl.size() || (decl[q] != '"' && decl[q] != '\'')) return std::nullopt;
    size_t close = decl.find(decl[q], q + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(decl.substr(q + 1, close - q - 1));
  }
  return std::nullopt;
}

bool IsUtf8Label(std::string_view label) {
  return EqualsIgnoreAsciiCase(label, "utf-8") || EqualsIgnoreAsciiCase(label, "utf8");
}

// Labels read as windows-1252, as browsers do: files that say Latin-1 or ASCII are in practice
// written in the Windows code page.
bool IsCp1252Label(std::string_view label) {
  static constexpr std::string_view kLabels[] = {"windows-1252", "cp1252",     "x-cp1252", "iso-8859-1",
                                                 "iso8859-1",    "iso_8859-1", "latin1",   "l1",
                                                 "cp819",        "ibm819",     "us-ascii", "ascii"};
  for (std::string_view known : kLabels)
    if (EqualsIgnoreAsciiCase(label, known)) return true;
  return false;
}

bool IsPlainLabel(std::string_view label) {
  if (label.empty() || label.size() > 40) return false;
  for (char c : label) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
              c == '.' || c == ':';
    if (!ok) return false;
  }
  return true;
}

// A UTF-16 document, known by its byte-order mark or by the "<?" of its declaration in two-byte
// units (without a mark), as UTF-8; none for anything else. An odd last byte reads as U+FFFD.
std::optional<std::string> DecodeUtf16Document(std::string_view bytes) {
  auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  bool markLittle = bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE;
  bool markBig = bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF;
  bool bareLittle = bytes.size() >= 4 && at(0) == '<' && at(1) == 0 && at(2) == '?' && at(3) == 0;
  bool bareBig = bytes.size() >= 4 && at(0) == 0 && at(1) == '<' && at(2) == 0 && at(3) == '?';
  if (!markLittle && !markBig && !bareLittle && !bareBig) return std::nullopt;
  bool bigEndian = markBig || bareBig;
  if (markLittle || markBig) bytes.remove_prefix(2);
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    unsigned high = at(2 * i + (bigEndian ? 0 : 1)), low = at(2 * i + (bigEndian ? 1 : 0));
    units[i] = static_cast<char16_t>(high << 8 | low);
  }
  std::string out = Utf16ToUtf8(units);
  if (bytes.size() % 2 != 0) out += "\xEF\xBF\xBD";
  return out;
}

// ---------------------------------------------------------------------------------------------
// The document shared by all storages of one tree.

struct XmlDocument {
  pugi::xml_document doc;
  // Elements removed through RemoveChild are moved here rather than freed, so a storage still
  // bound to one never touches freed memory. It is never written out.
  pugi::xml_node removed;
  // Bumped on every change of the element structure; cached child lists compare it.
  uint64_t generation = 0;
  // The file (or other origin) the document was read from, for developer log lines.
  std::string source;
};
using DocumentRef = std::shared_ptr<XmlDocument>;

class TXMLStorage final : public TAbstractObject, public virtual IHierStorage, public virtual IHierStorageRoot {
 public:
  TXMLStorage() : doc_(std::make_shared<XmlDocument>()) {}

  void Attach(pugi::xml_node node, DocumentRef document);
  pugi::xml_node GetXmlNode() const { return node_; }
  const DocumentRef& Document() const { return doc_; }

  // IHierStorage
  std::string GetNodeName() override { return node_.name(); }
  int GetValueCount() override;
  std::string GetValueName(int index) override { return AttributeAt(index).name(); }
  Variant ReadValueByIndex(int index, const Variant& fallback) override;
  Variant ReadValue(const std::string& name, const Variant& fallback) override;
  void WriteValueByIndex(int index, const Variant& value) override;
  void WriteValue(const std::string& name, const Variant& value) override;
  void DeleteValue(const std::string& name) override { node_.remove_attribute(name.c_str()); }
  StorageRef AddChild(const std::string& name) override;
  int GetChildCount(const std::string& name) override;
  StorageRef GetChild(const std::string& name, int index) override;
  StorageRef GetNodeByPath(const std::string& path) override;
  Variant ReadText() override { return DirectText(node_); }
  void WriteText(const Variant& value) override { SetDirectText(node_, SanitizeUtf8(value.ToString())); }
  Variant ReadChildText(const std::string& name) override;
  void WriteChildText(const std::string& name, const Variant& value) override;
  void AppendCopy(const StorageRef& storage) override;
  void RemoveChild(const StorageRef& storage) override;
  Variant GetXML() override { return SerializeToString(node_); }
  Variant ReadContent() override;
  void WriteContent(const Variant& value) override;
  Variant ReadChildContent(const std::string& name) override;
  void WriteChildContent(const std::string& name, const Variant& value) override;
  StorageRef FindNode(const std::string& path, const std::string& listName) override;

  // IHierStorageRoot
  bool CreateNew(const std::string& rootName) override;
  bool LoadFromFile(const std::string& fileName) override;
  bool LoadFromString(const std::string& text) override;
  bool LoadObject(const InterfaceRef& object) override;
  bool SaveToFile(const std::string& fileName) override;
  std::string SaveToString() override { return SerializeToString(doc_->doc.document_element()); }
  bool SaveObject(const InterfaceRef& object) override;
  StorageRef GetRoot() override;

  void SetSource(const std::string& source) { doc_->source = source; }
  std::string DescribeElement() const;

 private:
  StorageRef Self() { return std::dynamic_pointer_cast<IHierStorage>(shared_from_this()); }
  StorageRef Make(pugi::xml_node node);
  pugi::xml_attribute AttributeAt(int index) const;
  const std::vector<pugi::xml_node>& ChildList(const std::string& name);
  pugi::xml_node OwnChildOrNew(const std::string& name);
  void WriteContentTo(pugi::xml_node node, const Variant& value);
  void Changed() { ++doc_->generation; }
  pugi::xml_node ParentElement(pugi::xml_node node) const;

  DocumentRef doc_;
  pugi::xml_node node_;
  std::string cachedListName_;
  std::vector<pugi::xml_node> cachedList_;
  uint64_t cachedGeneration_ = 0;
  bool cacheValid_ = false;
  std::string outerSpec_;
  StorageRef outer_;
};

void TXMLStorage::Attach(pugi::xml_node node, DocumentRef document) {
  doc_ = document ? std::move(document) : std::make_shared<XmlDocument>();
  node_ = node;
  cacheValid_ = false;
  cachedList_.clear();
  outerSpec_ = node_.attribute("_outstorage").value();
  outer_ = outerSpec_.empty() ? nullptr : OpenStorage(outerSpec_);
}

StorageRef TXMLStorage::Make(pugi::xml_node node) {
  if (!node) return nullptr;
  if (node == node_) return Self();
  auto storage = std::make_shared<TXMLStorage>();
  storage->Attach(node, doc_);
  return storage;
}

pugi::xml_attribute TXMLStorage::AttributeAt(int index) const {
  if (index < 0) return {};
  for (pugi::xml_attribute attr : node_.attributes())
    if (index-- == 0) return attr;
  return {};
}

int TXMLStorage::GetValueCount() {
  int count = 0;
  for ([[maybe_unused]] pugi::xml_attribute attr : node_.attributes()) ++count;
  return count;
}

Variant TXMLStorage::ReadValue(const std::string& name, const Variant& fallback) {
  pugi::xml_attribute attr = node_.attribute(name.c_str());
  Variant result = attr ? Variant(std::string(attr.value())) : fallback;
  if (outer_) {
    bool askOuter = fallback.IsEmpty() ? !attr : result.ToString() == fallback.ToString();
    if (askOuter) return outer_->ReadValue(name, fallback);
  }
  return result;
}

Variant TXMLStorage::ReadValueByIndex(int index, const Variant& fallback) {
  pugi::xml_attribute attr = AttributeAt(index);
  if (!attr) return fallback;
  return ReadValue(attr.name(), fallback);
}

void TXMLStorage::WriteValueByIndex(int index, const Variant& value) {
  if (pugi::xml_attribute attr = AttributeAt(index)) attr.set_value(SanitizeUtf8(value.ToString()).c_str());
}

void TXMLStorage::WriteValue(const std::string& name, const Variant& value) {
  if (!node_) return;
  if (!IsValidXmlName(name)) {
    LogLine("storage: \"" + name + "\" is not a valid attribute name; value not written");
    return;
  }
  pugi::xml_attribute attr = node_.attribute(name.c_str());
  if (!attr) attr = node_.append_attribute(name.c_str());
  attr.set_value(SanitizeUtf8(value.ToString()).c_str());
}

StorageRef TXMLStorage::AddChild(const std::string& name) {
  if (!node_) return nullptr;
  if (!IsValidXmlName(name)) {
    LogLine("storage: \"" + name + "\" is not a valid element name; child not added");
    return nullptr;
  }
  pugi::xml_node child = node_.append_child(name.c_str());
  Changed();
  return Make(child);
}

const std::vector<pugi::xml_node>& TXMLStorage::ChildList(const std::string& name) {
  if (!cacheValid_ || cachedGeneration_ != doc_->generation || cachedListName_ != name) {
    cachedList_.clear();
    for (pugi::xml_node child = node_.child(name.c_str()); child; child = child.next_sibling(name.c_str()))
      cachedList_.push_back(child);
    cachedListName_ = name;
    cachedGeneration_ = doc_->generation;
    cacheValid_ = true;
  }
  return cachedList_;
}

int TXMLStorage::GetChildCount(const std::string& name) {
  int count = static_cast<int>(ChildList(name).size());
  if (count == 0 && outer_) return outer_->GetChildCount(name);
  return count;
}

StorageRef TXMLStorage::GetChild(const std::string& name, int index) {
  if (index >= 0) {
    const auto& list = ChildList(name);
    if (static_cast<size_t>(index) < list.size()) return Make(list[static_cast<size_t>(index)]);
  }
  return outer_ ? outer_->GetChild(name, index) : nullptr;
}

pugi::xml_node TXMLStorage::ParentElement(pugi::xml_node node) const {
  pugi::xml_node parent = node.parent();
  if (parent.type() != pugi::node_element || parent == doc_->removed) return {};
  return parent;
}

StorageRef TXMLStorage::GetNodeByPath(const std::string& path) {
  std::vector<std::string_view> steps;
  std::string_view rest(path);
  while (!rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view step = rest.substr(0, slash);
    if (!step.empty()) steps.push_back(step);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  const bool single = steps.size() == 1;
  pugi::xml_node current = node_;
  for (std::string_view step : steps) {
    if (!current) break;
    if (step == "..") {
      current = ParentElement(current);
      continue;
    }
    if (step == ".") continue;
    std::string_view name = step;
    std::string_view attrName;
    std::string_view attrValue;
    bool filtered = false;
    size_t open = step.find('[');
    if (open != std::string_view::npos && step.back() == ']') {
      std::string_view inner = step.substr(open + 1, step.size() - open - 2);
      size_t eq = inner.find('=');
      if (eq != std::string_view::npos) {
        filtered = true;
        name = step.substr(0, open);
        attrName = inner.substr(0, eq);
        if (!attrName.empty() && attrName.front() == '@') attrName.remove_prefix(1);
        attrValue = inner.substr(eq + 1);
        if (attrValue.size() >= 2 && (attrValue.front() == '\'' || attrValue.front() == '"') &&
            attrValue.back() == attrValue.front())
          attrValue = attrValue.substr(1, attrValue.size() - 2);
      }
    }
    pugi::xml_node found;
    for (pugi::xml_node child : current.children()) {
      if (child.type() != pugi::node_element) continue;
      if (filtered) {
        if (!EqualsIgnoreAsciiCase(child.name(), name)) continue;
        pugi::xml_attribute attr = child.attribute(std::string(attrName).c_str());
        if (!attr || !EqualsIgnoreAsciiCase(attr.value(), attrValue)) continue;
      } else if (single ? std::string_view(child.name()) != name : !EqualsIgnoreAsciiCase(child.name(), name)) {
        continue;
      }
      found = child;
      break;
    }
    current = found;
  }
  return Make(current);
}

Variant TXMLStorage::ReadChildText(const std::string& name) {
  StorageRef child = GetChild(name, 0);
  return child ? child->ReadText() : Variant();
}

pugi::xml_node TXMLStorage::OwnChildOrNew(const std::string& name) {
  if (!node_) return {};
  pugi::xml_node child = node_.child(name.c_str());
  if (child) return child;
  if (!IsValidXmlName(name)) {
    LogLine("storage: \"" + name + "\" is not a valid element name; child not added");
    return {};
  }
  Changed();
  return node_.append_child(name.c_str());
}

void TXMLStorage::WriteChildText(const std::string& name, const Variant& value) {
  SetDirectText(OwnChildOrNew(name), SanitizeUtf8(value.ToString()));
}

void TXMLStorage::AppendCopy(const StorageRef& storage) {
  if (!node_ || !storage) return;
  if (auto other = std::dynamic_pointer_cast<TXMLStorage>(storage)) {
    if (other->node_.type() != pugi::node_element) return;
    node_.append_copy(other->node_);
  } else {
    pugi::xml_document parsed;
    if (!ParseDocument(SanitizeUtf8(storage->GetXML().ToString()), parsed)) return;
    node_.append_copy(parsed.document_element());
  }
  Changed();
}

void TXMLStorage::RemoveChild(const StorageRef& storage) {
  auto other = std::dynamic_pointer_cast<TXMLStorage>(storage);
  if (!other || !node_ || other->doc_ != doc_ || !other->node_ || other->node_.parent() != node_) return;
  if (!doc_->removed) doc_->removed = doc_->doc.append_child(pugi::node_element);
  doc_->removed.append_move(other->node_);
  Changed();
}

Variant TXMLStorage::ReadContent() {
  // Only text (a text node, or text and CDATA sections side by side): the text itself.
  bool onlyText = true;
  for (pugi::xml_node child : node_.children()) onlyText = onlyText && IsText(child);
  if (onlyText) return DirectText(node_);
  std::string out;
  for (pugi::xml_node child : node_.children()) Serialize(child, out);
  return out;
}

void TXMLStorage::WriteContentTo(pugi::xml_node node, const Variant& value) {
  if (!node) return;
  std::string text = SanitizeUtf8(value.ToString());
  pugi::xml_document parsed;
  if (ParsesAsElement(text, parsed)) {
    node.append_copy(parsed.document_element());
    Changed();
  } else {
    SetDirectText(node, text);
  }
}

void TXMLStorage::WriteContent(const Variant& value) { WriteContentTo(node_, value); }

Variant TXMLStorage::ReadChildContent(const std::string& name) {
  StorageRef child = GetChild(name, 0);
  return child ? child->ReadContent() : Variant();
}

void TXMLStorage::WriteChildContent(const std::string& name, const Variant& value) {
  WriteContentTo(OwnChildOrNew(name), value);
}

StorageRef TXMLStorage::FindNode(const std::string& path, const std::string& listName) {
  auto matchStep = [](pugi::xml_node parent, std::string_view step) -> pugi::xml_node {
    for (pugi::xml_node child : parent.children()) {
      if (child.type() != pugi::node_element) continue;
      if (EqualsIgnoreAsciiCase(child.name(), step) || EqualsIgnoreAsciiCase(child.attribute("name").value(), step))
        return child;
    }
    return {};
  };
  pugi::xml_node current = node_;
  std::string_view rest(path);
  while (current && !rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view step = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (step.empty()) continue;
    pugi::xml_node found;
    if (!listName.empty()) {
      for (pugi::xml_node child : current.children()) {
        if (child.type() == pugi::node_element && EqualsIgnoreAsciiCase(child.name(), listName)) {
          found = matchStep(child, step);
          break;
        }
      }
    }
    if (!found) found = matchStep(current, step);
    current = found;
  }
  return Make(current);
}

bool TXMLStorage::CreateNew(const std::string& rootName) {
  if (!IsValidXmlName(rootName)) {
    Attach({}, nullptr);
    return false;
  }
  auto fresh = std::make_shared<XmlDocument>();
  pugi::xml_node root = fresh->doc.append_child(rootName.c_str());
  Attach(root, fresh);
  return true;
}

bool TXMLStorage::LoadFromString(const std::string& text) {
  auto fresh = std::make_shared<XmlDocument>();
  if (!ParseDocument(DecodeDocumentBytes(text), fresh->doc)) {
    Attach({}, nullptr);
    return false;
  }
  pugi::xml_node root = fresh->doc.document_element();
  Attach(root, fresh);
  return true;
}

bool TXMLStorage::LoadFromFile(const std::string& fileName) {
  std::optional<std::string> bytes = ReadDataFile(fileName);
  if (!bytes) {
    Attach({}, nullptr);
    return false;
  }
  if (!LoadFromString(*bytes)) {
    LogLine("storage: " + fileName + " is not a readable XML document");
    return false;
  }
  SetSource(fileName);
  return true;
}

bool TXMLStorage::SaveToFile(const std::string& fileName) {
  if (!doc_->doc.document_element()) return false;
  if (!WriteDataFile(fileName, SaveToString())) {
    LogLine("storage: could not write " + fileName);
    return false;
  }
  return true;
}

StorageRef TXMLStorage::GetRoot() { return Make(doc_->doc.document_element()); }

// "file: /game/gamescreens/gamescreen[name=GS_Main]/window", in the step syntax of
// GetNodeByPath; the middle of a very long path is elided so the line stays readable.
std::string TXMLStorage::DescribeElement() const {
  constexpr size_t kShownHead = 4;
  constexpr size_t kShownTail = 6;
  std::vector<std::string> steps;  // innermost first
  for (pugi::xml_node node = node_; node && node.type() == pugi::node_element; node = node.parent()) {
    std::string step = node.name();
    if (pugi::xml_attribute name = node.attribute("name")) step += std::string("[name=") + name.value() + "]";
    steps.push_back(std::move(step));
  }
  std::string path;
  for (size_t i = steps.size(); i-- > 0;) {
    const size_t fromTop = steps.size() - 1 - i;
    if (fromTop == kShownHead && steps.size() > kShownHead + kShownTail + 1) {
      path += "/...(" + std::to_string(steps.size() - kShownHead - kShownTail) + " more)...";
      i = kShownTail;
      continue;
    }
    path += "/" + steps[i];
  }
  return (doc_->source.empty() ? std::string("(document from text)") : doc_->source) + ": " + path;
}

bool TXMLStorage::LoadObject(const InterfaceRef& object) {
  auto persistent = std::dynamic_pointer_cast<IPersistent>(object);
  StorageRef root = GetRoot();
  if (!persistent || !root) return false;
  persistent->LoadFromStorage(root);
  return true;
}

bool TXMLStorage::SaveObject(const InterfaceRef& object) {
  auto persistent = std::dynamic_pointer_cast<IPersistent>(object);
  StorageRef root = GetRoot();
  if (!persistent || !root) return false;
  persistent->SaveToStorage(root);
  return true;
}

// ---------------------------------------------------------------------------------------------
// The process-wide cache of outer storages, by file name.

struct OuterCache {
  std::recursive_mutex mutex;
  std::map<std::string, StorageRef> entries;
  std::set<std::string> opening;  // files being read now, to stop a file that names itself
};

OuterCache& Outer() {
  static OuterCache cache;
  return cache;
}

struct OpeningGuard {
  OuterCache& cache;
  std::string file;
  ~OpeningGuard() { cache.opening.erase(file); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Routines.

bool IsValidXmlName(std::string_view name) {
  if (name.empty()) return false;
  auto nameStart = [](unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
  };
  if (!nameStart(static_cast<unsigned char>(name.front()))) return false;
  for (char ch : name) {
    auto c = static_cast<unsigned char>(ch);
    if (!nameStart(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  }
  // Non-ASCII bytes must at least be well-formed UTF-8.
  return SanitizeUtf8(name) == name;
}

std::string DecodeDocumentBytes(std::string_view bytes) {
  if (std::optional<std::string> utf16 = DecodeUtf16Document(bytes)) return SanitizeUtf8(*utf16);
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::optional<std::string> label = DeclaredEncoding(bytes);
  if (!label || IsUtf8Label(*label)) return SanitizeUtf8(bytes);
  if (IsCp1252Label(*label)) return SanitizeUtf8(Cp1252ToUtf8(bytes));
  std::string decoded;
  // The declaration was readable as ASCII, so a decoding that does not keep it was the wrong one.
  if (IsPlainLabel(*label) && os::DecodeWithSystem(*label, bytes, decoded) && decoded.compare(0, 5, "<?xml") == 0)
    return SanitizeUtf8(decoded);
  LogLine("storage: encoding \"" + *label + "\" not known; read as windows-1252");
  return SanitizeUtf8(Cp1252ToUtf8(bytes));
}

StorageRef LoadStorageFromFile(const std::string& fileName) {
  auto storage = std::make_shared<TXMLStorage>();
  if (!storage->LoadFromFile(fileName)) return nullptr;
  return storage;
}

StorageRef LoadStorageFromString(const std::string& text, const std::string& sourceName) {
  auto storage = std::make_shared<TXMLStorage>();
  if (!storage->LoadFromString(text)) return nullptr;
  storage->SetSource(sourceName);
  return storage;
}

std::string DescribeStorageElement(const StorageRef& storage) {
  if (auto xml = std::dynamic_pointer_cast<TXMLStorage>(storage)) return xml->DescribeElement();
  return storage ? "<" + storage->GetNodeName() + ">" : std::string("(no element)");
}

StorageRootRef CreateStorage(const std::string& rootName) {
  auto storage = std::make_shared<TXMLStorage>();
  if (!storage->CreateNew(rootName)) return nullptr;
  return storage;
}

std::string OuterStorageFile(const std::string& storageSpec) {
  std::string file;
  FindKeyValue(storageSpec, "file", file);
  return file;
}

StorageRef OpenStorage(const std::string& storageSpec) {
  const std::string file = OuterStorageFile(storageSpec);
  std::string key;
  FindKeyValue(storageSpec, "cryptkey", key);
  if (file.empty()) return nullptr;
  OuterCache& cache = Outer();
  std::lock_guard lock(cache.mutex);
  if (auto it = cache.entries.find(file); it != cache.entries.end()) return it->second;
  if (cache.opening.count(file)) {
    LogLine("storage: outer storage " + file + " names itself through its own elements; ignored there");
    return nullptr;
  }
  cache.opening.insert(file);
  OpeningGuard guard{cache, file};
  std::optional<std::string> bytes = ReadDataFile(file);
  if (!bytes) {
    LogLine("storage: outer storage file " + file + " not found");
    return nullptr;
  }
  StorageRef storage = LoadStorageFromString(key.empty() ? *bytes : DecipherFromHex(key, *bytes), file);
  if (!storage) {
    LogLine("storage: outer storage file " + file + " could not be read" + (key.empty() ? "" : " (wrong key?)"));
    return nullptr;
  }
  cache.entries[file] = storage;
  return storage;
}

bool SaveStorage(const StorageRef& storage, const std::string& storageSpec) {
  const std::string file = OuterStorageFile(storageSpec);
  std::string key;
  FindKeyValue(storageSpec, "cryptkey", key);
  auto root = std::dynamic_pointer_cast<IHierStorageRoot>(storage);
  if (file.empty() || !root) return false;
  std::string text = root->SaveToString();
  if (!key.empty()) text = EncipherToHex(key, text);
  bool written = WriteDataFile(file, text);
  if (!written) LogLine("storage: could not write " + file);
  // A cached copy of the file would now read stale values.
  OuterCache& cache = Outer();
  std::lock_guard lock(cache.mutex);
  cache.entries.erase(file);
  return written;
}

void ClearOuterStorageCache() {
  OuterCache& cache = Outer();
  std::lock_guard lock(cache.mutex);
  cache.entries.clear();
}

}  // namespace kestrelle
