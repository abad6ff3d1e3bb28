#include "controls/controls_registration.h"

#include "controls/button_control.h"
#include "controls/control_widget.h"
#include "controls/counter_controls.h"
#include "controls/curve_widget.h"
#include "controls/edit_control.h"
#include "controls/flash_scenario.h"
#include "controls/list_box_control.h"
#include "controls/progress_bar_control.h"
#include "controls/radio_group_control.h"
#include "controls/scenarios.h"
#include "controls/score_grid_control.h"
#include "controls/sequence_control.h"
#include "controls/state_scenario.h"
#include "controls/states_widget.h"
#include "controls/statemachine_widget.h"
#include "controls/text_reveal_control.h"
#include "controls/track_bar_control.h"
#include "data/class_registry.h"

namespace kestrelle {

void RegisterControlsClasses() {
  RegisterObjectClass<TControlWidget>("Control");
  RegisterObjectClass<TButtonControl>("ButtonControl");
  RegisterObjectClass<TLabelControl>("LabelControl");
  RegisterObjectClass<TCheckBoxControl>("CheckBoxControl");
  RegisterObjectClass<TRadioGroupControl>("RadioGroupControl");
  RegisterObjectClass<TEditControl>("EditControl");
  RegisterObjectClass<TListBoxControl>("ListBoxControl");
  RegisterObjectClass<TTrackBarControl>("TrackBarControl");
  RegisterObjectClass<TProgressBarControl>("ProgressBarControl");
  RegisterObjectClass<TNumLabelControl>("NumLabelControl");
  RegisterObjectClass<TDigitTimerControl>("DigitTimerControl");
  RegisterObjectClass<THighScoresGridControl>("HighScoresGridControl");
  RegisterObjectClass<TSequenceControl>("SequenceControl");
  RegisterObjectClass<TControlTextVizualization>("control_text_vizualization");
  RegisterObjectClass<TTestScenario>("scenario");
  RegisterObjectClass<TTransparentScenario>("transparent_scenario");
  RegisterObjectClass<TMoveScenario>("move_scenario");
  RegisterObjectClass<TStateScenario>("state_scenario");
  RegisterObjectClass<TFlashScenario>("flash_scenario");
  RegisterObjectClass<TStatesWdiget>("states_widget");
  RegisterObjectClass<TStateMachineWidget>("statemachine_widget");
  RegisterObjectClass<TCurveWidget>("curve_widget");
}

}  // namespace kestrelle
