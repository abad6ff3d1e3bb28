#pragma once
// The process-wide settings strings: engine defaults, overwritten by the game layer's
// initialisation before the main routine runs.

#include <functional>
#include <string>

namespace kestrelle {

struct ProcessSettings {
  std::string ProductName = "Kestrelle";
  std::string MakerName = "Halvenor";
  std::string GameFileName = "data\\ini\\Kestrelle.ini";
  std::string DataFileKey;
  std::string ArchiveExtension = ".zip";
  std::string LanguageFileName = "res:iniresource/default.lng";
  std::string OptionsFileName = "options.dat";
  std::string OptionsKey;
  bool OptionsInFile = true;
  std::string RegistryKey = "Software\\Halvenor\\Kestrelle\\";
  std::string GlobalOptionNames = ";FullScreenMode;MusicVolume;SoundVolume;ShowHints;WideScreenMode;";
  std::string CreateNewUserText;
  std::function<void()> InstallHook;
  std::function<void()> UninstallHook;
};

ProcessSettings& Settings();

}  // namespace kestrelle
