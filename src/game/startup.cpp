#include "game/startup.h"

#include "data/file_system_security.h"
#include "data/process_settings.h"
#include "game/class_registration.h"
#include "media/language.h"
#include "media/reader.h"
#include "records/records_settings.h"

namespace kestrelle {

void InitializeKestrelle() {
  ProcessSettings& settings = Settings();
  settings.ArchiveExtension = ".pak";
  settings.LanguageFileName = "lang\\default.lng";
  InstallResourceReader();  // every data file is read through the resource reader from here on
  CreateLanguageTable();
  LoadLanguage("");
  settings.ProductName = "Kestrelle";
  settings.GameFileName = "data\\ini\\Kestrelle.ini";
  settings.DataFileKey = kDataFileKey;
  settings.OptionsFileName = "options.dat";
  settings.OptionsKey = kOptionsKey;
  settings.OptionsInFile = true;
  settings.RegistryKey = "Software\\Halvenor\\Kestrelle\\";
  settings.GlobalOptionNames = ";FullScreenMode;MusicVolume;SoundVolume;ShowHints;WideScreenMode;";
  // Taken once, now: the label of the "new user" entry of the profiles screen.
  settings.CreateNewUserText = Translate("%CreateNewUser%");
  // The player files' names, keys and tables are the product's; the language pass is the game's.
  RecordsSettings& records = RecordSettings();
  records = ProductRecordsSettings();
  // High-score texts get the language pass; without a language table only "%%" is undone.
  records.Translate = [](const std::string& text) {
    return LanguageTable() ? Translate(text, false) : UnescapePercent(text);
  };
  FileSystemSecurity();  // made before anything writes to the data folder
  RegisterAllClasses();
}

}  // namespace kestrelle
