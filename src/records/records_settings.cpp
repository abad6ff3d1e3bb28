#include "records/records_settings.h"

#include "records/record_files.h"

namespace kestrelle {

RecordsSettings ProductRecordsSettings() {
  RecordsSettings s;
  s.UsersFileName = record_files::kUsersFileName;
  s.UsersKey = record_files::kUsersKey;
  s.LevelRecordsFileName = record_files::kLevelRecordsFileName;
  s.LevelRecordsKey = record_files::kLevelRecordsKey;
  s.HighScoresFileName = record_files::kHighScoresFileName;
  s.HighScoresKey = record_files::kHighScoresKey;
  s.HighScoreTables = record_files::kHighScoreTables;
  s.LevelRecordTables = record_files::kLevelRecordTables;
  return s;
}

RecordsSettings& RecordSettings() {
  static RecordsSettings settings = ProductRecordsSettings();
  return settings;
}

std::string TranslateRecordText(const std::string& text) {
  const auto& translate = RecordSettings().Translate;
  return translate ? translate(text) : UnescapePercent(text);
}

std::string EscapePercent(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

std::string UnescapePercent(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  return out;
}

}  // namespace kestrelle
