#pragma once
// The interfaces of the widget tree, as the app layer sees them. The game object and its screens
// use widgets only through these; the implementations (groups, decorators, the concrete widgets,
// the collections and the factories) live in the widgets layer above.
//
//   IWidget          what a widget offers (a named property object with time, owner, geometry,
//                    drawing, hit testing, input and sounds)
//   IWidgetOwner     what a widget asks of its parent: a group, a decorator, a screen or the game
//   IWindow          what widgets ask of their screen: capture, focus, lookup, screen sounds
//   IEventHandler    how controls report numbered events to their screen
//   ISimpleWidgetCollection / IWidgetCollection   the children of a group
//   IWidgetFactory / IWidgetFactoryCollection     XML templates that make widgets at run time
//
// Coordinates: a widget's anchor is in its owner's space; points given to WidgetAtPoint and
// ContainsPoint are in the owner's space; points of MouseEvent are screen points. Rectangles
// handed to InvalidateRect are screen rectangles. Times are integer milliseconds.

#include <cstdint>
#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "data/object.h"
#include "data/params.h"
#include "data/variant.h"
#include "media/geometry.h"
#include "media/surface.h"

namespace kestrelle {

class IWidget;
class IWidgetOwner;
class IWindow;
class IEventHandler;
class IWidgetCollection;
class IWidgetFactory;
class IWidgetFactoryCollection;
class ISoundCollection;  // the sound data objects of a widget (declared with the sounds)
class IGameScreenOwner;  // app/game_screen_interface.h

using WidgetRef = std::shared_ptr<IWidget>;
using WidgetOwnerRef = std::shared_ptr<IWidgetOwner>;
using WindowRef = std::shared_ptr<IWindow>;
using EventHandlerRef = std::shared_ptr<IEventHandler>;
using WidgetCollectionRef = std::shared_ptr<IWidgetCollection>;
using WidgetFactoryRef = std::shared_ptr<IWidgetFactory>;
using WidgetFactoryCollectionRef = std::shared_ptr<IWidgetFactoryCollection>;
using SoundCollectionRef = std::shared_ptr<ISoundCollection>;

class IWidgetOwner : public virtual INamedObject {
 public:
  // Groups and decorators ask their own owner; the screen answers with the engine.
  virtual EngineRef GetEngine() = 0;
  // Groups and decorators ask their owner; the screen returns itself.
  virtual WindowRef GetWindow() = 0;
  virtual EventHandlerRef GetEventHandler() = 0;
  // A screen point in the coordinate space of this owner's children.
  virtual TPoint ScreenToClient(const TPoint& point) = 0;
  // A widget made by the factory of that name, looked up here and then up the chain; none when
  // no factory of that name is reachable. The widget is not attached anywhere.
  virtual WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) = 0;
  virtual WidgetRef FindWidget(const std::string& path) = 0;
  // The owner's own path ("GS_Main/panel"); the screen's path is its name.
  virtual std::string GetPath() = 0;
  // A screen rectangle to redraw; passed up to the engine.
  virtual void InvalidateRect(const TRect& rect) = 0;
};

class IWidget : public virtual IPropertyObject {
 public:
  // Gives the widget an owner: redefined parameters are applied and the function binding is
  // prepared and evaluated once. The widget does not keep its owner alive.
  virtual void SetOwner(const WidgetOwnerRef& owner) = 0;
  virtual void ClearOwner() = 0;
  // The widget's look changed: it is redrawn at the next dirty-rectangle pass.
  virtual void Invalidate() = 0;
  virtual WidgetOwnerRef GetOwner() = 0;
  virtual bool GetDead() = 0;
  virtual void SetDead(bool dead) = 0;
  virtual bool GetPaused() = 0;
  virtual void SetPaused(bool paused) = 0;
  virtual bool GetUpdated() = 0;
  virtual void SetUpdated(bool updated) = 0;
  // Advances the widget's clock by `elapsedMs` scaled by its time rate.
  virtual void Update(int32_t elapsedMs) = 0;
  virtual void Restart() = 0;
  virtual void Resume() = 0;
  virtual void Pause() = 0;
  // The children of a group; none for other widgets.
  virtual WidgetCollectionRef GetWidgets() = 0;
  // "" is the widget itself; "a/b" a grandchild; "." self, ".." the owner, "window:" the
  // screen's root as heads of the path.
  virtual WidgetRef FindWidget(const std::string& path) = 0;
  // A child by index or name held in the variant; none for widgets without children.
  virtual WidgetRef GetChild(const Variant& key) = 0;
  // The owner's path, "/" and the widget's name.
  virtual std::string GetPath() = 0;
  virtual bool GetVisible() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual int32_t GetZ() = 0;
  virtual void SetZ(int32_t z) = 0;
  virtual double GetAnchorLeft() = 0;
  virtual void SetAnchorLeft(double x) = 0;
  virtual double GetAnchorTop() = 0;
  virtual void SetAnchorTop(double y) = 0;
  // A screen point converted into the owner's coordinate space.
  virtual TPoint ScreenToOwner(const TPoint& point) = 0;
  virtual double GetTop() = 0;
  virtual double GetLeft() = 0;
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;
  // (round(left), round(top), round(left + width), round(top + height)) in the owner's space.
  virtual TRect GetRect() = 0;
  virtual int32_t GetTransparentLevel() = 0;
  virtual void SetTransparentLevel(int32_t level) = 0;
  // Draws the widget with its top-left corner at (x, y) of the surface.
  virtual void Draw(const SurfaceRef& surface, int32_t x, int32_t y) = 0;
  // The widget's picture on a new surface with an alpha channel; none without an engine.
  virtual SurfaceRef CreateImage() = 0;
  virtual bool GetEnabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool GetTabStop() = 0;
  virtual void SetTabStop(bool tabStop) = 0;
  virtual bool GetMouseStop() = 0;
  virtual void SetMouseStop(bool mouseStop) = 0;
  // The widget that takes the mouse at a point of the owner's space; none when nothing does.
  virtual WidgetRef WidgetAtPoint(const TPoint& point) = 0;
  // Edges included on all four sides.
  virtual bool ContainsPoint(const TPoint& point, bool ignoreVisibility) = 0;
  virtual void CaptureLost() = 0;
  virtual void FocusLost() = 0;
  virtual void FocusGained() = 0;
  // `point` is a screen point. True when handled.
  virtual bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) = 0;
  virtual bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) = 0;
  // Plays the widget's own sound of that name through the engine; with `useValues` the pan and
  // volume are used for this one play. 0 when nothing plays.
  virtual AudioHandle PlaySound(const std::string& name, bool useValues, int32_t pan, int32_t volume) = 0;
  virtual void StopSound(const std::string& name) = 0;
  virtual SoundCollectionRef GetSounds() = 0;
  // A numbered command with its parameters (game controls and scenarios).
  virtual void HandleEvent(int32_t code, const ParamsRef& params) = 0;
  // Reports the old and new screen areas that must be redrawn; true when anything was reported.
  virtual bool UpdateDirtyRects(bool forceOld, bool forceNew) = 0;
  virtual bool GetWasVisible() = 0;
  virtual bool GetChanged() = 0;
  virtual void SetChanged(bool changed) = 0;
  virtual bool GetReported() = 0;
  // SetVisible(flag), then SetPaused(!flag).
  virtual void Show(bool show) = 0;
  virtual void SetExtraParam(const std::string& name, const Variant& value) = 0;
};

class IWindow : public virtual IPropertyObject {
 public:
  // The previously captured widget is told CaptureLost.
  virtual void SetCapture(const WidgetRef& widget) = 0;
  virtual void ReleaseCapture() = 0;
  virtual WidgetRef GetCapture() = 0;
  // The previously focused widget is told FocusLost, the new one FocusGained.
  virtual void SetFocus(const WidgetRef& widget) = 0;
  virtual void ClearFocus() = 0;
  virtual WidgetRef GetFocus() = 0;
  // The root's children.
  virtual WidgetCollectionRef GetWidgets() = 0;
  // Takes the capture away (the captured widget is told CaptureLost) and forgets the focus
  // without telling it; the whole tree is invalidated.
  virtual void ResetInput() = 0;
  virtual WidgetRef WidgetAtPoint(const TPoint& point) = 0;
  virtual WidgetRef FindWidget(const std::string& path) = 0;
  // Sounds of the screen's own list; 0 when there is no such sound.
  virtual AudioHandle PlaySound(const std::string& name) = 0;
  virtual void StopSound(const std::string& name) = 0;
};

class IEventHandler : public virtual IInterface {
 public:
  virtual void HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) = 0;
  virtual EngineRef GetEngine() = 0;
  virtual std::shared_ptr<IGameScreenOwner> GetGameOwner() = 0;
};

class ISimpleWidgetCollection : public virtual ICollection {
 public:
  // By index (a number) or name (a string).
  virtual WidgetRef Get(const Variant& key) = 0;
  virtual WidgetRef GetByIndex(int index) = 0;
  virtual WidgetRef GetByName(const std::string& name) = 0;
  // Appends under the widget's name; false when the name is taken (nothing is added).
  virtual bool Add(const WidgetRef& widget) = 0;
  // Appends under the given key and does nothing else.
  virtual bool AddNamed(const WidgetRef& widget, const std::string& name) = 0;
};

class IWidgetCollection : public virtual ISimpleWidgetCollection {
 public:
  virtual bool GetSortedByZ() = 0;
  virtual void SetSortedByZ(bool sorted) = 0;
  // Stable: children of equal z keep their order.
  virtual void SortByZ() = 0;
  // Updates every child once, sweeping again while the collection changes during the pass.
  virtual void UpdateAll(int32_t elapsedMs) = 0;
  // Removes the dead children; their old areas are reported dirty.
  virtual void RemoveDead() = 0;
  virtual void SetPropertyAll(const std::string& name, const Variant& value) = 0;
  virtual void UpdateDirtyRectsAll(bool forceOld, bool forceNew) = 0;
  // Stored and given to every child.
  virtual void SetOwner(const WidgetOwnerRef& owner) = 0;
  virtual void ClearOwner() = 0;
  virtual WidgetOwnerRef GetOwner() = 0;
  // Some child reported a dirty rectangle, or the set of children changed, in the last pass.
  virtual bool GetChanged() = 0;
};

class IWidgetFactory : public virtual INamedObject {
 public:
  virtual std::string GetWidgetString() = 0;
  virtual void SetWidgetString(const std::string& text) = 0;
  // The widget string with every "%name%" replaced by the value of the parameter of that name.
  virtual std::string ExpandMacros(const ParamsRef& params) = 0;
  // A new widget, not attached anywhere and never saved by its owner; none on any error.
  virtual WidgetRef CreateWidget(const ParamsRef& params) = 0;
};

class IWidgetFactoryCollection : public virtual ICollection {
 public:
  virtual WidgetFactoryRef Get(const Variant& key) = 0;
  virtual void Add(const WidgetFactoryRef& factory) = 0;
};

}  // namespace kestrelle
