#pragma once
// The data check "guided level": the screens of the guided level have the widgets its screen,
// its level control and its step flow look up, with the step pages "0" .. "13" each once and in
// order, pages that hide or move on where the flow needs it and no page picture in the way of the
// shop floor; its two-page helps have their two pages and their OK button; the screens it opens
// exist; and the levels it is played on suit its five scripted clients.

namespace kestrelle {

void AddGuidedLevelCheck();

}  // namespace kestrelle
