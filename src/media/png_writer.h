#pragma once
// Writes a surface to a PNG file (for the headless runner, screenshots and tests).

#include <filesystem>

#include "media/surface.h"

namespace kestrelle {

// 8-bit RGBA PNG of the whole surface; alpha is written as stored when the surface keeps alpha,
// as 255 otherwise. False when the surface is empty or the file cannot be written.
bool WriteSurfacePng(const ISurface& surface, const std::filesystem::path& path);

}  // namespace kestrelle
