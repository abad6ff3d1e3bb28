#include "widgets/widgets_registration.h"

#include "data/class_registry.h"
#include "widgets/animation_widget.h"
#include "widgets/appearance_effect_widget.h"
#include "widgets/appearance_effects.h"
#include "widgets/clip_widgets.h"
#include "widgets/contour_widget.h"
#include "widgets/decorate_widget.h"
#include "widgets/function_particle_system.h"
#include "widgets/group_widget.h"
#include "widgets/image_widget.h"
#include "widgets/motion_widgets.h"
#include "widgets/montecarlo_particle_system.h"
#include "widgets/multi_particle_system.h"
#include "widgets/rect_widget.h"
#include "widgets/sound_widget.h"
#include "widgets/stochastic_particle_system.h"
#include "widgets/surface_widget.h"
#include "widgets/text_widget.h"
#include "widgets/transition_effect_widget.h"
#include "widgets/widget_factory.h"
#include "widgets/zoom_widgets.h"

namespace kestrelle {

void RegisterWidgetsClasses() {
  RegisterObjectClass<TVisualGroupWidget>("group_widget");
  RegisterObjectClass<TSurfaceWidget>("surface_widget");
  RegisterObjectClass<TLinkedSurfaceWidget>("linked_surface_widget");
  RegisterObjectClass<TReplicatorWidget>("replicator_widget");
  RegisterObjectClass<TRectWidget>("rect_widget");
  RegisterObjectClass<TWidgetFactory>("WidgetFactory");
  RegisterObjectClass<TImageWidget>("image_widget");
  RegisterObjectClass<TAnimationWidget>("animation_widget");
  RegisterObjectClass<TSequenceAnimationWidget>("sequence_animation_widget");
  RegisterObjectClass<TBlinkWidget>("blink_widget");
  RegisterObjectClass<TTextWidget>("text_widget");
  RegisterObjectClass<TSoundWidget>("sound_widget");
  RegisterObjectClass<TStochasticParticleSystem>("stochastic_particle_system");
  RegisterObjectClass<TMonteCarloParticleSystem>("montecarlo_particle_system");
  RegisterObjectClass<TFunctionParticleSystem>("function_particle_system");
  RegisterObjectClass<TMultiParticleSystem>("multi_particle_system");
  // Until the appearance effects exist, the screen root is a plain group under their name.
  RegisterObjectClass<TAppearanceEffectWdiget>("appearance_effect_widget");
  RegisterObjectClass<TAppearanceEffectCollection>("appearance_effects");
  RegisterObjectClass<TFunctionAppearanceEffect>("func_appearance_effect");
  RegisterObjectClass<TSequienceTransitionEffectWdiget>("sequience_transition_effect");
  RegisterObjectClass<TSmoothMoveWidget>("smooth_move_widget");
  RegisterObjectClass<TZoomWidget>("zoom_widget");
  RegisterObjectClass<TRotateWidget>("rotate_widget");
  RegisterObjectClass<TTimedRotateWidget>("rotate_widget_timed");
  RegisterObjectClass<TMaskedSurfaceWidget>("masked_widget");
  RegisterObjectClass<TContourWidget>("contour_widget");
  RegisterObjectClass<TCutSectorWidget>("cutsector_widget");
  RegisterObjectClass<TScrollAreaWidget>("scrollarea_widget");
  RegisterObjectClass<TMoveWidget>("move_widget");
  RegisterObjectClass<TCircularMotionWidget>("circular_motion_widget");
}

}  // namespace kestrelle
