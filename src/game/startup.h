#pragma once

namespace kestrelle {

// The ordered start-up of the process, called once from main before the main routine:
// language table, settings, options object, security object, then each layer's classes.
void InitializeKestrelle();

}  // namespace kestrelle
