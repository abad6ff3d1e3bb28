#include "game/startup.h"

#include "data/file_system_security.h"
#include "data/process_settings.h"
#include "game/class_registration.h"

namespace kestrelle {

namespace {
// The product's keys. Once released they never change: stored files depend on them.
constexpr const char* kDataFileKey = "mvkrtzqpl58213wxhcjn904";
constexpr const char* kOptionsKey = "qpwmzlrvtn4826hbxkcyga71e";
}  // namespace

void InitializeKestrelle() {
  ProcessSettings& settings = Settings();
  settings.ArchiveExtension = ".pak";
  settings.LanguageFileName = "lang\\default.lng";
  settings.ProductName = "Kestrelle";
  settings.GameFileName = "data\\ini\\Kestrelle.ini";
  settings.DataFileKey = kDataFileKey;
  settings.OptionsFileName = "options.dat";
  settings.OptionsKey = kOptionsKey;
  settings.OptionsInFile = true;
  settings.RegistryKey = "Software\\Halvenor\\Kestrelle\\";
  settings.GlobalOptionNames = ";FullScreenMode;MusicVolume;SoundVolume;ShowHints;WideScreenMode;";
  FileSystemSecurity();  // made before anything writes to the data folder
  RegisterAllClasses();
}

}  // namespace kestrelle
