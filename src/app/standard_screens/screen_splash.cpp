#include "app/standard_screens/screen_splash.h"

#include "app/cursors.h"
#include "app/standard_screens/screen_helpers.h"
#include "data/hier_storage.h"

namespace kestrelle {

const TPropertyTable& TGameScreenSplash::GetPropertyTable() const {
  static const TPropertyTable table(TGameScreen::GetPropertyTable(),
                                    {
                                        Property("wait_button_name", &TGameScreenSplash::waitButtonName_),
                                    });
  return table;
}

void TGameScreenSplash::Show(const ParamsRef& params) {
  TGameScreen::Show(params);
  try {
    if (!screens::HasParam(params, "LoadComplete")) return;
    if (!waitButtonName_.empty() && FindWidget(waitButtonName_)) {
      ShowLoadComplete();
    } else if (GameScreenOwnerRef owner = GetOwner()) {
      owner->ShowMainScreen();
    }
  } catch (...) {
  }
}

void TGameScreenSplash::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  // Without a wait button name there is no wait button: an unnamed widget's event (an image
  // sequence ending while loading) must not leave the splash.
  if (!waitButtonName_.empty() && screens::WidgetName(sender) == waitButtonName_) Continue();
}

void TGameScreenSplash::Continue() {
  if (GameScreenOwnerRef owner = GetOwner()) owner->ShowMainScreen();
}

const TPropertyTable& TGameScreenSplashProgress::GetPropertyTable() const {
  static const TPropertyTable table(TGameScreenSplash::GetPropertyTable(),
                                    {
                                        Property("TotalUpdates", &TGameScreenSplashProgress::totalUpdates_, 200)
                                            .KeepWhenMissing()
                                            .SavedIfNotDefault(),
                                    });
  return table;
}

void TGameScreenSplashProgress::ShowNamedWidget(const std::string& name, bool show) {
  screens::ShowWidget(FindWidget(name), show);
}

void TGameScreenSplashProgress::Update(int32_t elapsedMs) {
  TGameScreenSplash::Update(elapsedMs);
  if (loaded_) return;
  WidgetRef loading = FindWidget("image_loading");
  if (!loading || !loading->GetVisible()) return;
  // The bar is the child named "progress" among the loading image's children: a wrapper (a
  // decorator, which has no children collection) drives none, whatever its child is called.
  WidgetCollectionRef children = loading->GetWidgets();
  if (WidgetRef progress = children ? children->Get(Variant("progress")) : nullptr) {
    ++count_;
    // A longer loading than TotalUpdates steps goes past a full bar, a negative total gives an
    // empty one (the bar clamps both); only a total of 0 needs a guard.
    double position = totalUpdates_ != 0 ? static_cast<double>(count_) / totalUpdates_ : 1.0;
    progress->SetProperty("position", Variant(position));
  }
  loading->Update(1);
}

void TGameScreenSplashProgress::ShowLoadComplete() {
  ShowNamedWidget(waitButtonName_, true);
  ShowNamedWidget("image_loading", false);
  ShowNamedWidget("image_loaded", true);
  if (WidgetRef loaded = FindWidget("image_loaded")) loaded->Restart();
  PlaySound("sound_effect");
  loaded_ = true;
  if (GameScreenOwnerRef owner = GetOwner()) {
    if (std::shared_ptr<ICursorCollection> cursors = owner->GetCursors())
      cursors->SetCurrent(cursors->GetDefaultName());
  }
}

void TGameScreenSplashProgress::Continue() {
  TGameScreenSplash::Continue();
  if (EngineRef engine = GetEngine()) {
    engine->UnloadResources("splash");
    engine->UnloadResources("splash2");
  }
}

void TGameScreenSplashLogos::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventSequenceEnded) return;
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
