#pragma once
// The one road by which the data layer reads and writes files named by data ("data\ini\x.ini",
// "%apppath%lang\default.lng", absolute paths). Reading can be redirected (the resource reader
// installs itself here to find files inside resource archives); until then files are read from
// the disk, relative names against the program folder.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrelle {

// "%apppath%" (any letter case) replaced by the program folder, "\" turned into "/", and a
// relative name put under the program folder. An absolute name stays as it is.
std::string DataFilePath(std::string_view name);

// The whole content of a data file, or nothing when it cannot be read. "res:" names (resources
// inside the executable) are missing unless a reader is installed.
std::optional<std::string> ReadDataFile(const std::string& name);

// Writes a data file atomically, creating its folder as needed. Nothing is written for a
// "res:" name. False when the file could not be written.
bool WriteDataFile(const std::string& name, std::string_view bytes);

// Replaces the reading road; an empty function restores the plain disk reader.
using DataFileReader = std::function<std::optional<std::string>(const std::string& name)>;
void SetDataFileReader(DataFileReader reader);
// The plain disk reader (what ReadDataFile does when no reader is installed).
std::optional<std::string> ReadDataFileFromDisk(const std::string& name);

}  // namespace kestrelle
