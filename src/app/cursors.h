#pragma once
// Mouse cursors. A cursor is a widget the game draws last, every frame, at the pointer position
// minus the cursor's hot spot; one cursor of the game's list is current. In the game definition:
//   <cursors default_cursor_name="arrow">
//     <cursor name="arrow"><widget type="image_widget" name="arrow" .../></cursor>
//     <cursor name="hand" hotspotx="7" hotspoty="1"><widget type="animation_widget" .../></cursor>
//   </cursors>
// The widget of a "cursor" element is created by its "type". Only the current cursor's widget is
// visible; the game gives every cursor widget itself as owner when it starts.

#include <memory>
#include <string>

#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/variant.h"
#include "media/geometry.h"

namespace kestrelle {

struct GameCursorAccess;  // app/game.h

class ICursor : public virtual INamedObject {
 public:
  virtual WidgetRef GetWidget() = 0;
  // The new widget is hidden (it shows when its cursor becomes current).
  virtual void SetWidget(const WidgetRef& widget) = 0;
  // The point of the widget that sits under the pointer.
  virtual TPoint GetHotspot() = 0;
  virtual void SetHotspot(const TPoint& hotspot) = 0;
};
using CursorRef = std::shared_ptr<ICursor>;

class ICursorCollection : public virtual ICollection {
 public:
  // By index (a number) or name (a string).
  virtual CursorRef Get(const Variant& key) = 0;
  // Keyed by the cursor's name; false when the name is taken.
  virtual bool Add(const CursorRef& cursor) = 0;
  virtual CursorRef GetCurrent() = 0;
  // False, and nothing changes, when no cursor has that name. Otherwise the current cursor's
  // widget is hidden, the named cursor becomes current and its widget is shown.
  virtual bool SetCurrent(const std::string& name) = 0;
  // "default_cursor_name" when such a cursor exists, else the first cursor's name, else "".
  virtual std::string GetDefaultName() = 0;
};
using CursorCollectionRef = std::shared_ptr<ICursorCollection>;

// "cursor": "hotspotx", "hotspoty" (0; both written when either is not 0) and a child "widget".
class TCursor : public TPersistObject, public virtual ICursor {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  WidgetRef GetWidget() override { return widget_; }
  void SetWidget(const WidgetRef& widget) override;
  TPoint GetHotspot() override { return hotspot_; }
  void SetHotspot(const TPoint& hotspot) override { hotspot_ = hotspot; }

 private:
  TPoint hotspot_;
  WidgetRef widget_;
};

// "cursors" of "cursor" elements, with "default_cursor_name" on its own element.
class TCursorCollection : public TStaticCreationPersistItemCollection, public virtual ICursorCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  void LoadItems(const StorageRef& storage) override;
  void SaveItems(const StorageRef& storage) override;
  // Removing the current cursor leaves no cursor current.
  void Delete(const Variant& key) override;
  void Clear() override;

  CursorRef Get(const Variant& key) override { return ItemAs<ICursor>(key); }
  bool Add(const CursorRef& cursor) override;
  CursorRef GetCurrent() override { return current_; }
  bool SetCurrent(const std::string& name) override;
  std::string GetDefaultName() override;

  const std::string& GetDefaultCursorName() const { return defaultCursorName_; }
  void SetDefaultCursorName(const std::string& name) { defaultCursorName_ = name; }

  // The game's side: every cursor widget gets (or loses) the game as its owner; the default
  // cursor becomes current; the current cursor's widget and hot spot (none and (0, 0) when no
  // cursor is current).
  void AttachWidgets(const WidgetOwnerRef& owner);
  void DetachWidgets();
  bool MakeDefaultCurrent() { return SetCurrent(GetDefaultName()); }
  WidgetRef CurrentWidget() { return current_ ? current_->GetWidget() : nullptr; }
  TPoint CurrentHotspot() { return current_ ? current_->GetHotspot() : TPoint{}; }

 private:
  std::string defaultCursorName_;
  CursorRef current_;
};

// How the game reaches these cursors.
std::shared_ptr<GameCursorAccess> MakeGameCursorAccess(const std::shared_ptr<TCursorCollection>& cursors);

}  // namespace kestrelle
