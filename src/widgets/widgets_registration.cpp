#include "widgets/widgets_registration.h"

#include "data/class_registry.h"
#include "widgets/animation_widget.h"
#include "widgets/appearance_effect_widget.h"
#include "widgets/decorate_widget.h"
#include "widgets/function_particle_system.h"
#include "widgets/group_widget.h"
#include "widgets/image_widget.h"
#include "widgets/montecarlo_particle_system.h"
#include "widgets/multi_particle_system.h"
#include "widgets/rect_widget.h"
#include "widgets/sound_widget.h"
#include "widgets/stochastic_particle_system.h"
#include "widgets/surface_widget.h"
#include "widgets/text_widget.h"
#include "widgets/widget_factory.h"

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
}

}  // namespace kestrelle
