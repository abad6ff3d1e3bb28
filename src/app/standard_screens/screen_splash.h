#pragma once
// Splash screens of the start sequence.
//   TGameScreenSplash          the loading splash: shown again with "LoadComplete", it shows its
//                              finished look when it has a wait button, else goes on at once;
//                              a click on the wait button goes on to the main screen.
//   TGameScreenSplashProgress  advances "image_loading"/"progress" one step per update while
//                              loading ("TotalUpdates" steps fill the bar), then swaps in
//                              "image_loaded" and the wait button; going on unloads the
//                              resource groups "splash" and "splash2".
//   TGameScreenSplashLogos     closes itself when an image sequence has shown its last image.

#include "app/game_screen.h"

namespace kestrelle {

// "GameScreenSplash"
class TGameScreenSplash : public TGameScreen {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Show(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  virtual void ShowLoadComplete() {}
  virtual void Continue();

  const std::string& GetWaitButtonName() const { return waitButtonName_; }

 protected:
  std::string waitButtonName_;
};

// "GameScreenSplashProgress"
class TGameScreenSplashProgress : public TGameScreenSplash {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Update(int32_t elapsedMs) override;
  void ShowLoadComplete() override;
  void Continue() override;

  bool IsLoaded() const { return loaded_; }
  int32_t GetCount() const { return count_; }

 private:
  void ShowNamedWidget(const std::string& name, bool show);

  bool loaded_ = false;
  int32_t count_ = 0;
  int32_t totalUpdates_ = 200;
};

// "GameScreenSplashLogos"
class TGameScreenSplashLogos : public TGameScreen {
 public:
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
