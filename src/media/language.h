#pragma once
// The language table: strings of the language file and run-time variables, substituted for
// "%key%" texts.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrelle {

class TMultiLanguages {
 public:
  // A string reached through this many nested strings is treated as missing, so a string that
  // refers to itself (directly or through others) ends.
  static constexpr int kMaxNesting = 16;
  // Strings that use other strings several times grow exponentially with the nesting: one
  // translation substitutes at most this many strings and produces at most this many bytes;
  // past that, keys are treated as missing and the text is cut.
  static constexpr int kMaxSubstitutions = 10000;
  static constexpr size_t kMaxTranslatedBytes = 1u << 20;

  // "%key%" replaced by the variable named exactly key, else by the string of that key (any
  // case; missing gives ""), itself translated; "%%" gives "%"; a lone "%" stays. With `trim`,
  // substituted strings lose leading and trailing spaces and control characters.
  std::string Translate(const std::string& text, bool trim = true) const;

  // Clears the strings, loads the language file (Settings().LanguageFileName), then the file of
  // the named language (Languages\NAME.lng in the program folder); true when either loaded.
  bool LoadLanguage(const std::string& name);
  // Adds the strings of one language file read through the resource reader; false when it
  // could not be read or parsed.
  bool LoadLanguageFile(const std::string& path);
  // Adds the strings of a language document's text.
  bool LoadLanguageText(const std::string& xml);

  void SetVariable(const std::string& name, const std::string& value);
  void SetString(const std::string& key, const std::string& text);
  std::optional<std::string> FindString(const std::string& key) const;
  void ClearStrings() { strings_.clear(); }
  size_t StringCount() const { return strings_.size(); }
  const std::string& GetId() const { return id_; }
  const std::string& GetName() const { return name_; }

 private:
  struct Budget {
    int substitutionsLeft = kMaxSubstitutions;
    size_t bytesLeft = kMaxTranslatedBytes;
  };
  // False once the budget is spent.
  bool TranslateInto(std::string& out, const std::string& text, bool trim, int depth, Budget& budget) const;

  std::string id_, name_;
  std::unordered_map<std::string, std::string> strings_;        // upper-cased key -> text
  std::vector<std::pair<std::string, std::string>> variables_;  // in the order set
  std::vector<std::pair<std::string, std::string>> languages_;  // known languages (none here)
};

// The process-wide table; null before CreateLanguageTable and after FreeLanguageTable.
TMultiLanguages* LanguageTable();
// Creates the table (if needed) and makes FormatThousands and storage's localized texts use it.
void CreateLanguageTable();
void FreeLanguageTable();

// Process-wide functions: each does nothing, or returns its input, when there is no table.
std::string Translate(const std::string& text, bool trim = true);
bool LoadLanguage(const std::string& name);
void SetVariable(const std::string& name, const std::string& value);
std::string GetLanguageId();

}  // namespace kestrelle
