#pragma once
// A whole file as bytes; empty when it cannot be read (the end-to-end tests read logs, pictures
// and player files the headless game leaves).

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kestrelle::testing {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kestrelle::testing
