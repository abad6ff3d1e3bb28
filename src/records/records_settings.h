#pragma once
// What the game layer decides about its player files: file names, keys, the declared tables and
// the language pass applied to high-score texts. The defaults are the product's values
// (record_files.h); the game's start-up sets them explicitly before anything is loaded.

#include <functional>
#include <string>

namespace kestrelle {

struct RecordsSettings {
  std::string UsersFileName;
  std::string UsersKey;
  std::string LevelRecordsFileName;
  std::string LevelRecordsKey;
  std::string HighScoresFileName;
  std::string HighScoresKey;
  // Creation parameters of the high scores (the "record_table" declarations) and of the level
  // records (the "level_record_table" declarations).
  std::string HighScoreTables;
  std::string LevelRecordTables;
  // The language pass for high-score texts read from a file (no trimming). Unset: only the
  // "%%" escape is undone, as the language pass would.
  std::function<std::string(const std::string&)> Translate;
};

// The process-wide records settings, starting with the product's values.
RecordsSettings& RecordSettings();
// The product's values (what RecordSettings() starts with); tests restore them with this.
RecordsSettings ProductRecordsSettings();

// The language pass high-score texts get on load: the installed Translate, else "%%" -> "%".
std::string TranslateRecordText(const std::string& text);
// Doubles every "%" so that the language pass gives the text back unchanged.
std::string EscapePercent(const std::string& text);
// Turns every "%%" into "%" (the part of the language pass that matters for escaped text).
std::string UnescapePercent(const std::string& text);

}  // namespace kestrelle
