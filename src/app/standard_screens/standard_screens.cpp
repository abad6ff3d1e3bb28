#include "app/standard_screens/standard_screens.h"

#include "app/standard_screens/screen_high_scores.h"
#include "app/standard_screens/screen_new_user.h"
#include "app/standard_screens/screen_options.h"
#include "app/standard_screens/screen_query.h"
#include "app/standard_screens/screen_quit.h"
#include "app/standard_screens/screen_splash.h"
#include "app/standard_screens/screen_splash_load.h"
#include "app/standard_screens/screen_user_profiles.h"
#include "data/class_registry.h"

namespace kestrelle {

void RegisterStandardScreenClasses() {
  RegisterObjectClass<TGameScreenQueryDialog>("GameScreenQueryDialog");
  RegisterObjectClass<TGameScreenQueryDeleteProfile>("GameScreenQueryDeleteProfile");
  RegisterObjectClass<TGameScreenOptions>("GameScreenOptions");
  RegisterObjectClass<TGameScreenOptionsWideScreen>("GameScreenOptionsWideScreen");
  RegisterObjectClass<TGameScreenSplash>("GameScreenSplash");
  RegisterObjectClass<TGameScreenSplashProgress>("GameScreenSplashProgress");
  RegisterObjectClass<TGameScreenSplashLogos>("GameScreenSplashLogos");
  RegisterObjectClass<TGameScreenSplashSelfRefresh>("GameScreenSplashSelfRefresh");
  RegisterObjectClass<TGameScreenSplashResourceLoad>("GameScreenSplashResourceLoad");
  RegisterObjectClass<TGameScreenSplashResourceDefsLoad>("GameScreenSplashResourceDefsLoad");
  RegisterObjectClass<TGameScreenQuit>("GameScreenQuit");
  RegisterObjectClass<TGameScreenNewUser>("GameScreenNewUser");
  RegisterObjectClass<TGameScreenUserProfiles>("GameScreenUserProfiles");
  RegisterObjectClass<TGameScreenHighScores>("GameScreenHighScores");
}

}  // namespace kestrelle
