#pragma once

namespace kestrelle {

// The controls ("Control", "ButtonControl", "LabelControl", "CheckBoxControl", "RadioGroupControl",
// "EditControl", "ListBoxControl", "TrackBarControl", "ProgressBarControl", "NumLabelControl",
// "DigitTimerControl", "HighScoresGridControl", "SequenceControl", "control_text_vizualization")
// and the scenarios ("scenario", "transparent_scenario", "move_scenario", "state_scenario").
void RegisterControlsClasses();

}  // namespace kestrelle
