#include "app/cursors.h"

#include "app/game.h"
#include "data/hier_storage.h"

namespace kestrelle {

// --- TCursor ---------------------------------------------------------------------------------

void TCursor::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "cursor";
  hotspot_ = TPoint{};
  widget_ = nullptr;
}

void TCursor::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPersistObject::AssignTo(dest);
  if (auto cursor = std::dynamic_pointer_cast<TCursor>(dest)) {
    cursor->hotspot_ = hotspot_;
    // The copy gets a widget of its own: one widget has one owner and one position.
    WidgetRef copy = widget_ ? std::dynamic_pointer_cast<IWidget>(widget_->Clone()) : nullptr;
    cursor->SetWidget(copy);
  }
}

void TCursor::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  hotspot_.x = static_cast<int32_t>(ReadInt(storage, "hotspotx", 0));
  hotspot_.y = static_cast<int32_t>(ReadInt(storage, "hotspoty", 0));
  // A "widget" child whose type is unknown, or is not a widget, leaves the cursor without one.
  SetWidget(std::dynamic_pointer_cast<IWidget>(CreateChildObject(storage, "widget", 0)));
}

void TCursor::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  const bool writeHotspot = hotspot_.x != 0 || hotspot_.y != 0;
  WriteInt(storage, "hotspotx", hotspot_.x, writeHotspot);
  WriteInt(storage, "hotspoty", hotspot_.y, writeHotspot);
  if (widget_) SaveChildObject(widget_, storage, "widget");
}

void TCursor::SetWidget(const WidgetRef& widget) {
  widget_ = widget;
  if (widget_) widget_->SetVisible(false);
}

// --- TCursorCollection -----------------------------------------------------------------------

void TCursorCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "cursors";
  itemElementName_ = "cursor";
  itemClass_ = MakeObject<TCursor>;
  defaultCursorName_.clear();
  current_ = nullptr;
}

void TCursorCollection::AddItem(const InterfaceRef& item) {
  if (auto cursor = std::dynamic_pointer_cast<ICursor>(item)) Add(cursor);
}

bool TCursorCollection::Add(const CursorRef& cursor) {
  if (!cursor) return false;
  const std::string name = cursor->GetName();
  return items_.Add(cursor, name, -1, name.empty()) != nullptr;
}

void TCursorCollection::LoadItems(const StorageRef& storage) {
  defaultCursorName_ = ReadString(storage, "default_cursor_name", "");
  TStaticCreationPersistItemCollection::LoadItems(storage);
}

void TCursorCollection::SaveItems(const StorageRef& storage) {
  WriteString(storage, "default_cursor_name", defaultCursorName_, !defaultCursorName_.empty());
  TStaticCreationPersistItemCollection::SaveItems(storage);
}

void TCursorCollection::Delete(const Variant& key) {
  TStaticCreationPersistItemCollection::Delete(key);
  if (!current_) return;
  for (const auto& entry : items_)
    if (entry.item == current_) return;
  current_ = nullptr;
}

void TCursorCollection::Clear() {
  TStaticCreationPersistItemCollection::Clear();
  current_ = nullptr;
}

bool TCursorCollection::SetCurrent(const std::string& name) {
  CursorRef next = Get(Variant(name));
  if (!next) return false;
  if (next != current_) {
    if (WidgetRef old = CurrentWidget()) {
      old->SetVisible(false);
      old->SetAnchorLeft(0);
      old->SetAnchorTop(0);
      // The game reports only the current cursor's changes: the area the old cursor covered
      // is reported now, or its picture would stay on the screen.
      old->UpdateDirtyRects(false, false);
    }
    current_ = next;
  }
  if (WidgetRef widget = current_->GetWidget()) widget->SetVisible(true);
  return true;
}

std::string TCursorCollection::GetDefaultName() {
  if (!defaultCursorName_.empty())
    if (CursorRef cursor = Get(Variant(defaultCursorName_))) return cursor->GetName();
  if (CursorRef first = Get(Variant(int64_t{0}))) return first->GetName();
  return {};
}

void TCursorCollection::AttachWidgets(const WidgetOwnerRef& owner) {
  for (const auto& entry : items_)
    if (auto cursor = std::dynamic_pointer_cast<ICursor>(entry.item))
      if (WidgetRef widget = cursor->GetWidget()) widget->SetOwner(owner);
}

void TCursorCollection::DetachWidgets() {
  for (const auto& entry : items_)
    if (auto cursor = std::dynamic_pointer_cast<ICursor>(entry.item))
      if (WidgetRef widget = cursor->GetWidget()) widget->ClearOwner();
}

namespace {

class TGameCursorAccess : public GameCursorAccess {
 public:
  explicit TGameCursorAccess(std::shared_ptr<TCursorCollection> cursors) : cursors_(std::move(cursors)) {}
  void AttachWidgets(const WidgetOwnerRef& owner) override { cursors_->AttachWidgets(owner); }
  void DetachWidgets() override { cursors_->DetachWidgets(); }
  bool MakeDefaultCurrent() override { return cursors_->MakeDefaultCurrent(); }
  WidgetRef CurrentWidget() override { return cursors_->CurrentWidget(); }
  TPoint CurrentHotspot() override { return cursors_->CurrentHotspot(); }

 private:
  std::shared_ptr<TCursorCollection> cursors_;
};

}  // namespace

std::shared_ptr<GameCursorAccess> MakeGameCursorAccess(const std::shared_ptr<TCursorCollection>& cursors) {
  return cursors ? std::make_shared<TGameCursorAccess>(cursors) : nullptr;
}

}  // namespace kestrelle
