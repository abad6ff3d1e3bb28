#pragma once

namespace kestrelle {

// The product's keys. Once released they never change: stored files depend on them (the demo
// data build enciphers with the same data-file key, see content/CMakeLists.txt).
inline constexpr const char* kDataFileKey = "mvkrtzqpl58213wxhcjn904";
inline constexpr const char* kOptionsKey = "qpwmzlrvtn4826hbxkcyga71e";

// The ordered start-up of the process, called once from main before the main routine:
// language table, settings, options object, security object, then each layer's classes.
void InitializeKestrelle();

}  // namespace kestrelle
