#pragma once
// A widget for the app layer's tests ("cursor_probe_widget"): a filled rectangle of "width" x
// "height" in "color" (hexadecimal) that records what is asked of it.

#include <cstdint>
#include <memory>
#include <string>

#include "app/widget_interfaces.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/object.h"

namespace kestrelle::cursortest {

class TProbeWidget : public TPropertyObject, public virtual IWidget {
 public:
  // Recorded.
  int32_t elapsed = 0;
  int restarts = 0;
  int dirtyPasses = 0;
  bool visibleAtLastDirtyPass = false;
  std::weak_ptr<IWidgetOwner> owner;

  int32_t width = 0;
  int32_t height = 0;
  uint32_t color = 0;
  bool visible = true;
  double left = 0;
  double top = 0;

  void Initialize() override {
    TPropertyObject::Initialize();
    storageName_ = "widget";
  }
  void LoadProperties(const StorageRef& storage) override {
    TPropertyObject::LoadProperties(storage);
    width = static_cast<int32_t>(ReadInt(storage, "width", 0));
    height = static_cast<int32_t>(ReadInt(storage, "height", 0));
    color = ReadHex(storage, "color", 0);
    visible = ReadBool(storage, "visible", true);
  }
  void SaveProperties(const StorageRef& storage) override {
    TPropertyObject::SaveProperties(storage);
    WriteInt(storage, "width", width);
    WriteInt(storage, "height", height);
    WriteHex(storage, "color", color);
  }

  void SetOwner(const WidgetOwnerRef& o) override { owner = o; }
  void ClearOwner() override { owner.reset(); }
  void Invalidate() override {}
  WidgetOwnerRef GetOwner() override { return owner.lock(); }
  bool GetDead() override { return false; }
  void SetDead(bool) override {}
  bool GetPaused() override { return false; }
  void SetPaused(bool) override {}
  bool GetUpdated() override { return false; }
  void SetUpdated(bool) override {}
  void Update(int32_t ms) override { elapsed += ms; }
  void Restart() override { ++restarts; }
  void Resume() override {}
  void Pause() override {}
  WidgetCollectionRef GetWidgets() override { return nullptr; }
  WidgetRef FindWidget(const std::string&) override { return nullptr; }
  WidgetRef GetChild(const Variant&) override { return nullptr; }
  std::string GetPath() override { return GetName(); }
  bool GetVisible() override { return visible; }
  void SetVisible(bool v) override { visible = v; }
  int32_t GetZ() override { return 0; }
  void SetZ(int32_t) override {}
  double GetAnchorLeft() override { return left; }
  void SetAnchorLeft(double x) override { left = x; }
  double GetAnchorTop() override { return top; }
  void SetAnchorTop(double y) override { top = y; }
  TPoint ScreenToOwner(const TPoint& p) override { return p; }
  double GetTop() override { return top; }
  double GetLeft() override { return left; }
  int32_t GetWidth() override { return width; }
  int32_t GetHeight() override { return height; }
  TRect GetRect() override { return {}; }
  int32_t GetTransparentLevel() override { return 0; }
  void SetTransparentLevel(int32_t) override {}
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override {
    if (!visible) return;
    for (int32_t py = y; py < y + height; ++py)
      for (int32_t px = x; px < x + width; ++px)
        if (px >= 0 && py >= 0 && px < surface->GetWidth() && py < surface->GetHeight())
          surface->SetPixel(px, py, color);
  }
  SurfaceRef CreateImage() override { return nullptr; }
  bool GetEnabled() override { return true; }
  void SetEnabled(bool) override {}
  bool GetTabStop() override { return false; }
  void SetTabStop(bool) override {}
  bool GetMouseStop() override { return false; }
  void SetMouseStop(bool) override {}
  WidgetRef WidgetAtPoint(const TPoint&) override { return nullptr; }
  bool ContainsPoint(const TPoint&, bool) override { return false; }
  void CaptureLost() override {}
  void FocusLost() override {}
  void FocusGained() override {}
  bool MouseEvent(uint32_t, const TPoint&, uint32_t) override { return false; }
  bool KeyEvent(uint32_t, uintptr_t, intptr_t) override { return false; }
  AudioHandle PlaySound(const std::string&, bool, int32_t, int32_t) override { return 0; }
  void StopSound(const std::string&) override {}
  SoundCollectionRef GetSounds() override { return nullptr; }
  void HandleEvent(int32_t, const ParamsRef&) override {}
  bool UpdateDirtyRects(bool, bool) override {
    ++dirtyPasses;
    visibleAtLastDirtyPass = visible;
    return false;
  }
  bool GetWasVisible() override { return false; }
  bool GetChanged() override { return false; }
  void SetChanged(bool) override {}
  bool GetReported() override { return false; }
  void Show(bool show) override { SetVisible(show); }
  void SetExtraParam(const std::string&, const Variant&) override {}
};

inline void RegisterProbeWidget() {
  if (!ClassRegistry::Instance().IsRegistered("cursor_probe_widget"))
    RegisterObjectClass<TProbeWidget>("cursor_probe_widget");
}

inline std::shared_ptr<TProbeWidget> Probe(const WidgetRef& widget) {
  return std::dynamic_pointer_cast<TProbeWidget>(widget);
}

}  // namespace kestrelle::cursortest
