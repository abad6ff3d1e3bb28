#pragma once
// Resources: images, bitmap fonts, font chains, sounds, music and groups of sounds or music,
// created by registered class name from resource definition files, kept by the engine in one
// collection keyed by name, and loaded at once or on first use ("loadbydemand").
//
// A resource definition file (enciphered like the game definition) is
//   <anyroot><content>
//     <resource type="ImageResource" name="button" file="data\images\button.png" format="png"/>
//     <resource type="FontResource" name="font_main" file="data\fonts\font_main.png" format="png">
//       <symbols><symbol scancode="65" width="9" height="19"/>...</symbols></resource>
//     <resource type="FontSubstituteResource" name="font_any" fonts="font_main,font_extra"/>
//     <resource type="SoundResource" name="click" file="data\sounds\click.ogg" maxplaybacks="2"/>
//     <resource type="SoundGroupResource" name="steps"><resources>
//       <resource type="SoundResource" name="step1" file="..."/>...</resources></resource>
//   </content></anyroot>
// Each resource belongs to a group (the name of the file that listed it), so a whole file's
// resources are unloaded together. Resources live in the app layer because they load through
// their owner, the engine (IResourceOwner).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_interface.h"
#include "data/object.h"
#include "media/font.h"
#include "media/surface.h"

namespace kestrelle {

class IResource : public virtual INamedObject {
 public:
  virtual std::string GetFile() const = 0;
  virtual std::string GetGroup() const = 0;
  virtual void SetGroup(const std::string& group) = 0;
  // Loads (once until unloaded); the resource is no longer pending.
  virtual void Load() = 0;
  // Frees what was loaded; the resource is pending again, so the next use loads it.
  virtual void Unload() = 0;
  // The data file can be opened.
  virtual bool IsAvailable() = 0;
  // Stores the owner; a resource that is not pending loads now.
  virtual void SetOwner(const std::shared_ptr<IResourceOwner>& owner) = 0;
  // Unloads and drops the owner.
  virtual void Release() = 0;
};

// What the engine uses while loading and unloading (the same operations).
class IResourceControl : public virtual IResource {};

class IImageResource : public virtual IResource {
 public:
  // Each of these first loads a pending image. An image that could not be read is 0 x 0 with
  // no surface.
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;
  virtual SurfaceRef GetSurface() = 0;
};

// A font resource: its glyph sheet is the image. `GetSymbol(code)` and `GetLineHeight` come from
// IGlyphFont; `SymbolOfText` (media/font.h) gives the symbol of a text's first character.
class IFontResource : public virtual IImageResource, public virtual IGlyphFont {
 public:
  SurfaceRef GetSurface() override = 0;
};

class ISoundResource : public virtual IResource {
 public:
  virtual AudioHandle GetHandle() = 0;
  // 0..100.
  virtual int32_t GetMasterVolume() = 0;
  // Groups pick the member the next play uses; single sounds do nothing.
  virtual void Choose() = 0;
};

class IMusicResource : public virtual IResource {
 public:
  virtual AudioHandle GetHandle() = 0;
  // 0 mo3 (music handle), 1 ogg (a channel of a sample).
  virtual int32_t GetFormat() = 0;
  virtual void Choose() = 0;
};

class TResource : public TPropertyObject, public virtual IResourceControl {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;

  std::string GetFile() const override { return file_; }
  void SetFile(const std::string& file) { file_ = file; }
  std::string GetGroup() const override { return group_; }
  void SetGroup(const std::string& group) override { group_ = group; }
  void Load() override;
  void Unload() override;
  bool IsAvailable() override;
  void SetOwner(const std::shared_ptr<IResourceOwner>& owner) override;
  void Release() override;

  bool IsPending() const { return pending_; }
  void SetPending(bool pending) { pending_ = pending; }
  std::shared_ptr<IResourceOwner> GetOwner() const { return owner_.lock(); }

 protected:
  // The kind-specific work of Load and Unload.
  virtual void DoLoad() {}
  virtual void DoUnload() {}
  // Loads when pending (the accessors' "first use").
  void EnsureLoaded() {
    if (pending_) Load();
  }
  // The data file's bytes through the owner; none when it cannot be read.
  std::optional<std::string> ReadFile(const std::string& file);

  std::string file_;
  bool pending_ = false;
  std::string group_;
  std::weak_ptr<IResourceOwner> owner_;
};

class TImageResource : public TResource, public virtual IImageResource {
 public:
  enum Format : int32_t { kPng = 0, kJpeg = 1, kJpng = 2, kUnknown = 3 };
  static constexpr const char* kFormatWords = "png/jpeg/jpng/unknown";

  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;

  int32_t GetWidth() override;
  int32_t GetHeight() override;
  SurfaceRef GetSurface() override;
  int32_t GetFormat() const { return format_; }
  void SetFormat(int32_t format) { format_ = format; }

 protected:
  void DoLoad() override;
  void DoUnload() override { surface_.reset(); }

  int32_t format_ = kUnknown;
  SurfaceRef surface_;
};

class TFontResource : public TImageResource, public virtual IFontResource {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  // The symbol table is read with the attributes, and the line height computed then.
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  int32_t GetLineHeight() override { return font_->GetLineHeight(); }
  // Loads a pending sheet, so that the symbol's sheet is there when the drawer asks for it.
  SymbolRef GetSymbol(char32_t code) override;
  SurfaceRef GetSurface() override { return TImageResource::GetSurface(); }
  const std::shared_ptr<TBitmapFont>& GetFont() const { return font_; }

 private:
  std::shared_ptr<TBitmapFont> font_;
};

// An ordered list of fonts standing in for one ("fonts": comma-separated resource names).
class TFontSubstituteResource : public TResource, public virtual IFontResource {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;
  // Looks the named fonts up in the owner; names that are not fonts are left out.
  void SetOwner(const std::shared_ptr<IResourceOwner>& owner) override;
  void Release() override;

  // The largest line height of the fonts.
  int32_t GetLineHeight() override { return chain_->GetLineHeight(); }
  // The first font that has the symbol gives it and becomes the current font.
  SymbolRef GetSymbol(char32_t code) override { return chain_->GetSymbol(code); }
  // Those of the current font; 0 and none before any symbol was found.
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  SurfaceRef GetSurface() override { return chain_->GetSurface(); }
  int GetFontCount() const { return chain_->GetCount(); }

 private:
  std::string fonts_;
  std::shared_ptr<TFontChain> chain_;
};

class TSoundResource : public TResource, public virtual ISoundResource {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;
  // A "maxplaybacks" of 0 becomes 1.
  void SetOwner(const std::shared_ptr<IResourceOwner>& owner) override;

  AudioHandle GetHandle() override;
  int32_t GetMasterVolume() override { return masterVolume_; }
  void Choose() override {}
  int32_t GetMaxPlaybacks() const { return maxPlaybacks_; }

 protected:
  void DoLoad() override;
  void DoUnload() override;

 private:
  int32_t maxPlaybacks_ = 0;
  int32_t masterVolume_ = 100;
  AudioHandle handle_ = 0;
};

class TMusicResource : public TResource, public virtual IMusicResource {
 public:
  static constexpr const char* kFormatWords = "mo3/ogg";

  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;

  AudioHandle GetHandle() override;
  int32_t GetFormat() override { return format_; }
  void Choose() override {}

 protected:
  void DoLoad() override;
  void DoUnload() override;

 private:
  int32_t format_ = 0;
  AudioHandle handle_ = 0;
  AudioHandle sample_ = 0;  // "ogg": the sample behind the channel
};

// Member resources (child "resources"), one of which is current.
class TGroupResource : public TResource {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void SetOwner(const std::shared_ptr<IResourceOwner>& owner) override;
  void Release() override;
  int GetMemberCount() const { return static_cast<int>(members_.size()); }
  std::shared_ptr<IResource> GetCurrentMember() const { return current_; }

 protected:
  void DoLoad() override;
  void DoUnload() override;
  // Picks a member uniformly at random (Random) and makes it current.
  void ChooseMember();

  std::vector<std::shared_ptr<IResource>> members_;
  std::shared_ptr<IResource> current_;
};

class TSoundGroupResource : public TGroupResource, public virtual ISoundResource {
 public:
  AudioHandle GetHandle() override;
  int32_t GetMasterVolume() override;  // 100 when none is chosen
  void Choose() override { ChooseMember(); }
};

class TMusicGroupResource : public TGroupResource, public virtual IMusicResource {
 public:
  AudioHandle GetHandle() override;
  int32_t GetFormat() override;  // 1 when none is chosen
  void Choose() override { ChooseMember(); }
};

class IResourceCollection : public virtual ICollection {
 public:
  // Releases and removes, from last to first, every resource of the group (all for "").
  virtual void UnloadGroup(const std::string& group) = 0;
  virtual std::shared_ptr<IResource> GetResource(const std::string& name) const = 0;
  virtual std::shared_ptr<IResource> GetResourceAt(int index) const = 0;
  // Keyed by the resource's name; false when the name is taken.
  virtual bool AddResource(const std::shared_ptr<IResource>& resource) = 0;
};

class TResourceCollection : public TCollection, public virtual IResourceCollection {
 public:
  void UnloadGroup(const std::string& group) override;
  std::shared_ptr<IResource> GetResource(const std::string& name) const override;
  std::shared_ptr<IResource> GetResourceAt(int index) const override;
  bool AddResource(const std::shared_ptr<IResource>& resource) override;
};

// Creates, loads and adds the resources of the first "content" child of `storage`, in document
// order, under `group`. Names already in the collection and unknown types are skipped. With a
// `pump`, it runs before each resource (one main-loop step, so a loading screen stays alive).
void LoadResourceElements(IResourceCollection& collection, const StorageRef& storage, const std::string& group,
                          const std::shared_ptr<IResourceOwner>& owner, const std::function<void()>& pump);

// The list of resource definition files a game declares.
class IResourceFile : public virtual INamedObject {
 public:
  enum LoadMode : int32_t { kSynch = 0, kAsynch = 1 };
  virtual std::string GetFileName() const = 0;
  virtual void SetFileName(const std::string& fileName) = 0;
  virtual int32_t GetLoadMode() const = 0;
  virtual void SetLoadMode(int32_t mode) = 0;
};

class TResourceFile : public TPropertyObject, public virtual IResourceFile {
 public:
  static constexpr const char* kLoadModeWords = "synch/asynch";
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;

  std::string GetFileName() const override { return fileName_; }
  void SetFileName(const std::string& fileName) override { fileName_ = fileName; }
  int32_t GetLoadMode() const override { return loadMode_; }
  void SetLoadMode(int32_t mode) override { loadMode_ = mode; }

 private:
  std::string fileName_;
  int32_t loadMode_ = kAsynch;
};

class IResourceFileCollection : public virtual ICollection {
 public:
  virtual std::shared_ptr<IResourceFile> GetResourceFile(int index) const = 0;
};

// "resourcefiles" of "resourcefile" elements.
class TResourceFileCollection : public TStaticCreationPersistItemCollection, public virtual IResourceFileCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  std::shared_ptr<IResourceFile> GetResourceFile(int index) const override;
};

// "ImageResource", "FontResource", "FontSubstituteResource", "SoundResource", "MusicResource",
// "SoundGroupResource", "MusicGroupResource", "ResourceFile".
void RegisterResourceClasses();

}  // namespace kestrelle
