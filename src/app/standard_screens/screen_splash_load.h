#pragma once
// Loading splashes that load one item per update while the window's animations advance by a
// fixed share of widget time per item, so that an animation "TotalUpdates" ms long (a progress
// bar) is full exactly when the last item is loaded.
//   TGameScreenSplashSelfRefresh        rebuilt from its definition at every showing after the first
//   TGameScreenSplashAbstractLoad       the loading loop; "close_after_load" hides the screen at
//                                       the end, otherwise "progress" gives way to "image_loaded",
//                                       a click on which closes the screen
//   TGameScreenSplashResourceLoad       unloads "unload_list" and loads "load_list" (";"-lists of
//                                       resource names); names in both stay loaded
//   TGameScreenSplashResourceDefsLoad   loads the definitions of "resource_defs"

#include <vector>

#include "app/game_screen.h"

namespace kestrelle {

// A collection of resource definitions that can be loaded one at a time.
class IResourceDefCollection : public virtual ICollection {
 public:
  // `index` holds the index of the definition to load.
  virtual void LoadDef(const Variant& index) = 0;
};

// "GameScreenSplashSelfRefresh"
class TGameScreenSplashSelfRefresh : public TGameScreen {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void Show(const ParamsRef& params) override;

 protected:
  bool shownBefore_ = false;
  std::string definition_;
};

// Not registered: the base of the two loading kinds.
class TGameScreenSplashAbstractLoad : public TGameScreenSplashSelfRefresh {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Finalize() override;
  void Show(const ParamsRef& params) override;
  void Update(int32_t elapsedMs) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  virtual void LoadStep(int32_t& index) { ++index; }
  virtual void Prepare();
  virtual void DropWidgets();

  int32_t GetTotal() const { return total_; }
  int32_t GetWeight() const { return weight_; }
  bool IsLoaded() const { return loaded_; }

 protected:
  int32_t total_ = 0;
  int32_t index_ = 0;
  int32_t weight_ = 0;
  int32_t totalUpdates_ = 200;
  bool closeAfterLoad_ = false;
  bool loaded_ = false;
  bool preparePending_ = false;
  WidgetRef progress_;
  WidgetRef imageLoaded_;
};

// "GameScreenSplashResourceLoad"
class TGameScreenSplashResourceLoad : public TGameScreenSplashAbstractLoad {
 public:
  void Show(const ParamsRef& params) override;
  void LoadStep(int32_t& index) override;
  void Prepare() override;
  void DropWidgets() override;

 private:
  std::vector<std::string> loadList_;
  std::vector<std::string> unloadList_;
  size_t unloadCount_ = 0;
};

// "GameScreenSplashResourceDefsLoad"
class TGameScreenSplashResourceDefsLoad : public TGameScreenSplashAbstractLoad {
 public:
  void Show(const ParamsRef& params) override;
  void LoadStep(int32_t& index) override;
  void DropWidgets() override;

 private:
  std::shared_ptr<IResourceDefCollection> definitions_;
};

}  // namespace kestrelle
