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

std::string TrimSpacesAndControls(std::string text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The document as UTF-8: a declaration naming windows-1252 is honoured (pugixml knows latin-1
// and the Unicode forms by itself).
std::string DeclaredCp1252ToUtf8(const std::string& xml) {
  if (xml.compare(0, 5, "<?xml") != 0) return xml;
  size_t end = xml.find("?>");
  if (end == std::string::npos) return xml;
  std::string declaration = AsciiLower(xml.substr(0, end));
  if (declaration.find("windows-1252") == std::string::npos && declaration.find("cp1252") == std::string::npos)
    return xml;
  return "<?xml version=\"1.0\"?>" + Cp1252ToUtf8(std::string_view(xml).substr(end + 2));
}

std::string TranslateForStorage(const std::string& text) { return Translate(text, true); }

}  // namespace

std::string TMultiLanguages::Translate(const std::string& text, bool trim) const {
  std::string out;
  TranslateInto(out, text, trim, 0);
  return out;
}

void TMultiLanguages::TranslateInto(std::string& out, const std::string& text, bool trim, int depth) const {
  size_t pos = 0;
  for (;;) {
    size_t open = text.find('%', pos);
    if (open == std::string::npos) {
      out.append(text, pos, std::string::npos);
      return;
    }
    out.append(text, pos, open - pos);
    size_t close = text.find('%', open + 1);
    if (close == std::string::npos) {  // a single percent sign stays as it is
      out.append(text, open, std::string::npos);
      return;
    }
    pos = close + 1;
    if (close == open + 1) {  // "%%"
      out += '%';
      continue;
    }
    std::string key = text.substr(open + 1, close - open - 1);
    bool isVariable = false;
    for (const auto& [name, value] : variables_) {
      if (name == key) {
        out += value;
        isVariable = true;
        break;
      }
    }
    if (isVariable || depth >= kMaxNesting) continue;  // too deep: treated as missing
    auto it = strings_.find(AsciiUpper(key));
    if (it == strings_.end()) continue;
    std::string expanded;
    TranslateInto(expanded, it->second, trim, depth + 1);
    out += trim ? TrimSpacesAndControls(std::move(expanded)) : expanded;
  }
}

bool TMultiLanguages::LoadLanguageText(const std::string& xml) {
  pugi::xml_document document;
  std::string utf8 = DeclaredCp1252ToUtf8(xml);
  if (!document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default | pugi::parse_ws_pcdata_single,
                            pugi::encoding_auto))
    return false;
  pugi::xml_node root = document.document_element();
  if (!root) return false;
  id_ = root.attribute("id").value();
  name_ = root.attribute("name").value();
  for (pugi::xml_node element : root.child("strings").children("string")) {
    std::string key = element.attribute("name").value();
    if (key.empty()) continue;
    strings_[AsciiUpper(key)] = element.text().get();  // a later element replaces an earlier one
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
