#include "app/standard_screens/screen_splash_load.h"

#include "app/resources.h"
#include "app/standard_screens/screen_helpers.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_lists.h"

namespace kestrelle {

void TGameScreenSplashSelfRefresh::Initialize() {
  TGameScreen::Initialize();
  shownBefore_ = false;
  definition_.clear();
}

void TGameScreenSplashSelfRefresh::LoadProperties(const StorageRef& storage) {
  try {
    definition_ = storage ? storage->GetXML().ToString() : std::string();
  } catch (...) {
    definition_.clear();
  }
  TGameScreen::LoadProperties(storage);
}

void TGameScreenSplashSelfRefresh::Show(const ParamsRef& params) {
  if (shownBefore_) {
    if (StorageRef storage = LoadStorageFromString(definition_)) {
      Reset();
      LoadProperties(storage);
    }
    SetOwner(GetOwner());
  }
  shownBefore_ = true;
  TGameScreen::Show(params);
}

const TPropertyTable& TGameScreenSplashAbstractLoad::GetPropertyTable() const {
  static const TPropertyTable table(
      TGameScreenSplashSelfRefresh::GetPropertyTable(),
      {
          Property("TotalUpdates", &TGameScreenSplashAbstractLoad::totalUpdates_, 200).SavedIfNotDefault(),
          Property("close_after_load", &TGameScreenSplashAbstractLoad::closeAfterLoad_).SavedIfNotDefault(),
      });
  return table;
}

void TGameScreenSplashAbstractLoad::Finalize() {
  DropWidgets();
  TGameScreenSplashSelfRefresh::Finalize();
}

void TGameScreenSplashAbstractLoad::Show(const ParamsRef& params) {
  TGameScreenSplashSelfRefresh::Show(params);
  total_ = 0;
  progress_ = FindWidget("progress");
  imageLoaded_ = FindWidget("image_loaded");
  index_ = 0;
  weight_ = totalUpdates_;
  loaded_ = false;
  preparePending_ = true;
}

void TGameScreenSplashAbstractLoad::Prepare() {
  if (total_ > 0) weight_ = static_cast<int32_t>(RoundHalfEven(static_cast<double>(totalUpdates_) / total_));
  preparePending_ = false;
}

void TGameScreenSplashAbstractLoad::DropWidgets() {
  progress_.reset();
  imageLoaded_.reset();
}

void TGameScreenSplashAbstractLoad::Update(int32_t elapsedMs) {
  if (preparePending_) Prepare();
  if (index_ < total_) {
    LoadStep(index_);
    // The last item gets what is left of TotalUpdates, so the shares add up to it exactly.
    int32_t share = index_ >= total_ ? totalUpdates_ - weight_ * (total_ - 1) : weight_;
    // With many items the rounded weight can leave the last share negative: time never runs back.
    TGameScreenSplashSelfRefresh::Update(share < 0 ? 0 : share);
    return;
  }
  if (loaded_) {
    TGameScreenSplashSelfRefresh::Update(elapsedMs);
    return;
  }
  if (closeAfterLoad_) {
    Hide();
  } else {
    screens::ShowWidget(progress_, false);
    if (imageLoaded_) {
      imageLoaded_->SetVisible(true);
      imageLoaded_->Restart();
    }
  }
  loaded_ = true;
  DropWidgets();
}

void TGameScreenSplashAbstractLoad::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreenSplashSelfRefresh::OnEvent(sender, code, params);
  if (!loaded_ || screens::WidgetName(sender) != "image_loaded") return;
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

void TGameScreenSplashResourceLoad::Show(const ParamsRef& params) {
  TGameScreenSplashAbstractLoad::Show(params);
  if (!params) return;
  unloadList_ = SplitTopLevel(screens::ParamValue(params, "unload_list").ToString(), ';');
  unloadCount_ = unloadList_.size();
  loadList_ = SplitTopLevel(screens::ParamValue(params, "load_list").ToString(), ';');
  total_ = static_cast<int32_t>(loadList_.size());
}

void TGameScreenSplashResourceLoad::Prepare() {
  if (unloadCount_ > 0) {
    EngineRef engine = GetEngine();
    for (const std::string& name : unloadList_) {
      if (name.empty()) continue;
      bool reloaded = false;
      for (std::string& load : loadList_) {
        if (load == name) {
          load.clear();  // stays loaded, not loaded again
          reloaded = true;
        }
      }
      if (reloaded || !engine) continue;
      if (ResourceRef resource = engine->GetResource(name)) resource->Unload();
    }
    unloadCount_ = 0;
  }
  TGameScreenSplashAbstractLoad::Prepare();
}

void TGameScreenSplashResourceLoad::LoadStep(int32_t& index) {
  if (index >= 0 && index < static_cast<int32_t>(loadList_.size()) && !loadList_[index].empty()) {
    if (EngineRef engine = GetEngine()) {
      if (ResourceRef resource = engine->GetResource(loadList_[index])) resource->Load();
    }
  }
  ++index;
}

void TGameScreenSplashResourceLoad::DropWidgets() {
  loadList_.clear();
  unloadList_.clear();
  TGameScreenSplashAbstractLoad::DropWidgets();
}

void TGameScreenSplashResourceDefsLoad::Show(const ParamsRef& params) {
  TGameScreenSplashAbstractLoad::Show(params);
  Variant value = screens::ParamValue(params, "resource_defs");
  definitions_ = value.IsInterface() ? value.As<IResourceDefCollection>() : nullptr;
  if (definitions_) total_ = definitions_->GetCount();
}

void TGameScreenSplashResourceDefsLoad::LoadStep(int32_t& index) {
  if (definitions_) definitions_->LoadDef(Variant(index));
  ++index;
}

void TGameScreenSplashResourceDefsLoad::DropWidgets() {
  TGameScreenSplashAbstractLoad::DropWidgets();
  definitions_.reset();
}

}  // namespace kestrelle
