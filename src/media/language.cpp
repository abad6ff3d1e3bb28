#include "media/language.h"

#include <pugixml.hpp>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/number_format.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"
#include "media/reader.h"

namespace kestrelle {

namespace {

std::unique_ptr<TMultiLanguages>& Table() {
  static std::unique_ptr<TMultiLanguages> table;
  return table;
}

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Trims spaces and control characters off the part of `text` from `start` on.
void TrimTail(std::string& text, size_t start) {
  size_t end = text.size();
  while (end > start && IsTrimmed(text[end - 1])) --end;
  text.resize(end);
  size_t first = start;
  while (first < end && IsTrimmed(text[first])) ++first;
  text.erase(start, first - start);
}

// Every piece of text below an element, in document order: text split by comments, CDATA
// sections or child elements is one string. (pugixml walks the tree without recursion.)
class WholeTextCollector : public pugi::xml_tree_walker {
 public:
  std::string text;
  bool for_each(pugi::xml_node& node) override {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
    return true;
  }
};

std::string WholeText(pugi::xml_node element) {
  WholeTextCollector collector;
  element.traverse(collector);
  return collector.text;
}

std::string TranslateForStorage(const std::string& text) { return Translate(text, true); }

}  // namespace

// Appends within the byte budget; false (with what still fitted appended) once it is spent.
static bool Put(std::string& out, std::string_view piece, size_t& bytesLeft) {
  if (piece.size() > bytesLeft) {
    out.append(piece.substr(0, bytesLeft));
    bytesLeft = 0;
    return false;
  }
  bytesLeft -= piece.size();
  out.append(piece);
  return true;
}

std::string TMultiLanguages::Translate(const std::string& text, bool trim) const {
  std::string out;
  Budget budget;
  TranslateInto(out, text, trim, 0, budget);
  return out;
}

bool TMultiLanguages::TranslateInto(std::string& out, const std::string& text, bool trim, int depth,
                                    Budget& budget) const {
  const std::string_view view(text);
  size_t pos = 0;
  for (;;) {
    size_t open = view.find('%', pos);
    if (open == std::string::npos) return Put(out, view.substr(pos), budget.bytesLeft);
    if (!Put(out, view.substr(pos, open - pos), budget.bytesLeft)) return false;
    size_t close = view.find('%', open + 1);
    if (close == std::string::npos) return Put(out, view.substr(open), budget.bytesLeft);  // a lone "%" stays
    pos = close + 1;
    if (close == open + 1) {  // "%%"
      if (!Put(out, "%", budget.bytesLeft)) return false;
      continue;
    }
    std::string key(view.substr(open + 1, close - open - 1));
    const std::string* value = nullptr;
    for (const auto& [name, variableValue] : variables_) {
      if (name == key) {
        value = &variableValue;
        break;
      }
    }
    if (value) {
      if (!Put(out, *value, budget.bytesLeft)) return false;
      continue;
    }
    // Too deep (a string that uses itself) or too much work: the key counts as missing.
    if (depth >= kMaxNesting || budget.substitutionsLeft <= 0) continue;
    auto it = strings_.find(AsciiUpper(key));
    if (it == strings_.end()) continue;
    --budget.substitutionsLeft;
    // Expanded in place at the end of the output, then trimmed there.
    const size_t start = out.size();
    bool complete = TranslateInto(out, it->second, trim, depth + 1, budget);
    if (trim) TrimTail(out, start);
    if (!complete) return false;
  }
}

bool TMultiLanguages::LoadLanguageText(const std::string& xml) {
  pugi::xml_document document;
  // Decoded as storage decodes documents; blanks between elements are text of the string too.
  std::string utf8 = DecodeDocumentBytes(xml);
  if (!document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8))
    return false;
  pugi::xml_node root = document.document_element();
  if (!root) return false;
  id_ = root.attribute("id").value();
  name_ = root.attribute("name").value();
  for (pugi::xml_node element : root.child("strings").children("string")) {
    std::string key = element.attribute("name").value();
    if (key.empty()) continue;
    strings_[AsciiUpper(key)] = WholeText(element);  // a later element replaces an earlier one
  }
  return true;
}

bool TMultiLanguages::LoadLanguageFile(const std::string& path) {
  std::optional<std::string> bytes = ReadResourceFile(path);
  if (!bytes) return false;
  if (LoadLanguageText(*bytes)) return true;
  LogLine("language file is not a readable XML document: " + path);
  return false;
}

bool TMultiLanguages::LoadLanguage(const std::string& name) {
  ClearStrings();
  bool loaded = LoadLanguageFile(Settings().LanguageFileName);
  std::string second;
  for (const auto& [language, file] : languages_)
    if (EqualsIgnoreAsciiCase(language, name)) second = file;
  if (second.empty()) second = "%apppath%Languages\\" + name + ".lng";
  try {
    if (LoadLanguageFile(second)) loaded = true;
  } catch (...) {
  }
  return loaded;
}

void TMultiLanguages::SetVariable(const std::string& name, const std::string& value) {
  std::erase_if(variables_, [&](const auto& entry) { return EqualsIgnoreAsciiCase(entry.first, name); });
  variables_.emplace_back(name, value);
}

void TMultiLanguages::SetString(const std::string& key, const std::string& text) { strings_[AsciiUpper(key)] = text; }

std::optional<std::string> TMultiLanguages::FindString(const std::string& key) const {
  auto it = strings_.find(AsciiUpper(key));
  if (it == strings_.end()) return std::nullopt;
  return it->second;
}

TMultiLanguages* LanguageTable() { return Table().get(); }

void CreateLanguageTable() {
  if (!Table()) Table() = std::make_unique<TMultiLanguages>();
  // The separator is substituted as it stands: a space is a separator too.
  SetThousandsSeparatorSource([] { return Translate("%thousand_separator%", false); });
  SetStorageTranslator(&TranslateForStorage);
}

void FreeLanguageTable() {
  SetThousandsSeparatorSource(nullptr);
  SetStorageTranslator(nullptr);
  Table().reset();
}

std::string Translate(const std::string& text, bool trim) { return Table() ? Table()->Translate(text, trim) : text; }

bool LoadLanguage(const std::string& name) { return Table() ? Table()->LoadLanguage(name) : false; }

void SetVariable(const std::string& name, const std::string& value) {
  if (Table()) Table()->SetVariable(name, value);
}

std::string GetLanguageId() { return Table() ? Table()->GetId() : std::string(); }

}  // namespace kestrelle
