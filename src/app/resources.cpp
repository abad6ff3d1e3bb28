#include "app/resources.h"

#include <algorithm>

#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/random.h"
#include "media/image_decode.h"
#include "media/streams.h"

namespace kestrelle {
namespace {

template <class T>
std::shared_ptr<T> As(const std::shared_ptr<TNamedObject>& object) {
  return std::dynamic_pointer_cast<T>(object);
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

// --- TResource -------------------------------------------------------------------------------

const TPropertyTable& TResource::GetPropertyTable() const {
  static const TPropertyTable table(TPropertyObject::GetPropertyTable(),
                                    {
                                        Property("file", &TResource::file_),
                                        // Saved as it stands: a resource unloaded again is written pending.
                                        Property("loadbydemand", &TResource::pending_).SavedIfNotDefault(),
                                    });
  return table;
}

void TResource::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "resource";
  group_.clear();
  owner_.reset();
}

void TResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPropertyObject::AssignTo(dest);
  if (auto resource = As<TResource>(dest)) {
    resource->file_ = file_;
    resource->pending_ = pending_;
    resource->group_ = group_;
  }
}

void TResource::Load() {
  pending_ = false;
  DoLoad();
}

void TResource::Unload() {
  DoUnload();
  pending_ = true;
}

bool TResource::IsAvailable() {
  auto owner = owner_.lock();
  return owner && owner->OpenStream(file_) != nullptr;
}

void TResource::SetOwner(const std::shared_ptr<IResourceOwner>& owner) {
  owner_ = owner;
  if (!pending_) Load();
}

void TResource::Release() {
  Unload();
  owner_.reset();
}

std::optional<std::string> TResource::ReadFile(const std::string& file) {
  auto owner = owner_.lock();
  if (!owner) return std::nullopt;
  StreamRef stream = owner->OpenStream(file);
  if (!stream) {
    LogLine("Resource \"" + name_ + "\": cannot open \"" + file + "\"");
    return std::nullopt;
  }
  return ReadRestOfStream(*stream);
}

// --- TImageResource --------------------------------------------------------------------------

const TPropertyTable& TImageResource::GetPropertyTable() const {
  static const TPropertyTable table(
      TResource::GetPropertyTable(),
      {
          Property("format", &TImageResource::format_, int32_t{kUnknown}).AsEnum(kFormatWords).SavedIfNotDefault(),
      });
  return table;
}

void TImageResource::Initialize() {
  TResource::Initialize();
  surface_.reset();
}

void TImageResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TResource::AssignTo(dest);
  if (auto image = As<TImageResource>(dest)) image->format_ = format_;
}

void TImageResource::DoLoad() {
  if (surface_) return;  // decoded once until unloaded
  try {
    switch (format_) {
      case kPng:
        if (auto bytes = ReadFile(file_)) surface_ = DecodePng(*bytes, file_);
        break;
      case kJpeg:
        if (auto bytes = ReadFile(file_)) surface_ = DecodeJpeg(*bytes, file_);
        break;
      case kJpng: {
        std::optional<std::string> colourFile = JpngColourFileName(file_);
        if (!colourFile) {
          LogLine("Resource \"" + name_ + "\": \"" + file_ + "\" cannot name a jpng mask");
          break;
        }
        auto colour = ReadFile(*colourFile);
        auto mask = colour ? ReadFile(file_) : std::nullopt;
        if (colour && mask) surface_ = DecodeJpng(*colour, *mask, file_);
        break;
      }
      default:
        break;
    }
  } catch (const std::exception& e) {
    LogLine("Resource \"" + name_ + "\": " + e.what());
    surface_.reset();
  }
}

int32_t TImageResource::GetWidth() {
  EnsureLoaded();
  return surface_ ? surface_->GetWidth() : 0;
}

int32_t TImageResource::GetHeight() {
  EnsureLoaded();
  return surface_ ? surface_->GetHeight() : 0;
}

SurfaceRef TImageResource::GetSurface() {
  EnsureLoaded();
  return surface_;
}

// --- TFontResource ---------------------------------------------------------------------------

void TFontResource::Initialize() {
  TImageResource::Initialize();
  font_ = Create<TBitmapFont>();
}

void TFontResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TImageResource::AssignTo(dest);
  if (auto font = As<TFontResource>(dest)) {
    for (int i = 0; i < font_->Symbols()->GetCount(); ++i) {
      auto symbol = std::dynamic_pointer_cast<TNamedObject>(font_->Symbols()->GetSymbolAt(i));
      if (auto copy = symbol ? std::dynamic_pointer_cast<ISymbol>(Create<TSymbol>()) : nullptr) {
        symbol->AssignTo(std::dynamic_pointer_cast<TNamedObject>(copy));
        font->font_->AddSymbol(copy);
      }
    }
  }
}

void TFontResource::LoadProperties(const StorageRef& storage) {
  TImageResource::LoadProperties(storage);
  font_->LoadSymbols(storage ? storage->GetChild("symbols", 0) : nullptr);
}

void TFontResource::SaveProperties(const StorageRef& storage) {
  TImageResource::SaveProperties(storage);
  if (storage) font_->SaveSymbols(storage->AddChild("symbols"));
}

SymbolRef TFontResource::GetSymbol(char32_t code) {
  EnsureLoaded();
  return font_->GetSymbol(code);
}

// --- TFontSubstituteResource -----------------------------------------------------------------

const TPropertyTable& TFontSubstituteResource::GetPropertyTable() const {
  static const TPropertyTable table(TResource::GetPropertyTable(),
                                    {
                                        Property("fonts", &TFontSubstituteResource::fonts_),
                                    });
  return table;
}

void TFontSubstituteResource::Initialize() {
  TResource::Initialize();
  chain_ = Create<TFontChain>();
}

void TFontSubstituteResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TResource::AssignTo(dest);
  if (auto chain = As<TFontSubstituteResource>(dest)) chain->fonts_ = fonts_;
}

void TFontSubstituteResource::SetOwner(const std::shared_ptr<IResourceOwner>& owner) {
  TResource::SetOwner(owner);
  chain_->Clear();
  if (!owner) return;
  size_t start = 0;
  while (start <= fonts_.size()) {
    size_t comma = fonts_.find(',', start);
    if (comma == std::string::npos) comma = fonts_.size();
    const std::string name = Trim(std::string_view(fonts_).substr(start, comma - start));
    start = comma + 1;
    if (name.empty()) continue;
    auto font = std::dynamic_pointer_cast<IFontResource>(owner->GetResource(name));
    if (!font || font.get() == static_cast<IFontResource*>(this)) continue;
    chain_->Add(font);
    font->GetSymbol(U' ');  // makes a pending font load
  }
}

void TFontSubstituteResource::Release() {
  TResource::Release();
  chain_->Clear();
}

int32_t TFontSubstituteResource::GetWidth() {
  auto current = std::dynamic_pointer_cast<IImageResource>(chain_->GetCurrent());
  return current ? current->GetWidth() : 0;
}

int32_t TFontSubstituteResource::GetHeight() {
  auto current = std::dynamic_pointer_cast<IImageResource>(chain_->GetCurrent());
  return current ? current->GetHeight() : 0;
}

// --- TSoundResource --------------------------------------------------------------------------

const TPropertyTable& TSoundResource::GetPropertyTable() const {
  static const TPropertyTable table(TResource::GetPropertyTable(),
                                    {
                                        Property("maxplaybacks", &TSoundResource::maxPlaybacks_).Range(0, 65535),
                                        Property("master_volume", &TSoundResource::masterVolume_, 100).Range(0, 100),
                                    });
  return table;
}

void TSoundResource::Initialize() {
  TResource::Initialize();
  handle_ = 0;
}

void TSoundResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TResource::AssignTo(dest);
  if (auto sound = As<TSoundResource>(dest)) {
    sound->maxPlaybacks_ = maxPlaybacks_;
    sound->masterVolume_ = masterVolume_;
  }
}

void TSoundResource::SetOwner(const std::shared_ptr<IResourceOwner>& owner) {
  if (maxPlaybacks_ == 0) maxPlaybacks_ = 1;
  TResource::SetOwner(owner);
}

void TSoundResource::DoLoad() {
  auto owner = owner_.lock();
  if (owner && handle_ == 0) handle_ = owner->LoadSample(file_, maxPlaybacks_, false);
}

void TSoundResource::DoUnload() {
  auto owner = owner_.lock();
  if (owner && handle_ != 0) owner->FreeSample(handle_);
  handle_ = 0;
}

AudioHandle TSoundResource::GetHandle() {
  EnsureLoaded();
  return handle_;
}

// --- TMusicResource --------------------------------------------------------------------------

const TPropertyTable& TMusicResource::GetPropertyTable() const {
  static const TPropertyTable table(
      TResource::GetPropertyTable(),
      {
          Property("format", &TMusicResource::format_).AsEnum(kFormatWords).SavedIfNotDefault(),
      });
  return table;
}

void TMusicResource::Initialize() {
  TResource::Initialize();
  handle_ = sample_ = 0;
}

void TMusicResource::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TResource::AssignTo(dest);
  if (auto music = As<TMusicResource>(dest)) music->format_ = format_;
}

void TMusicResource::DoLoad() {
  auto owner = owner_.lock();
  if (!owner || handle_ != 0) return;
  if (format_ == 1)
    handle_ = owner->LoadSampleChannel(file_, sample_);
  else
    handle_ = owner->LoadMusic(file_);
}

void TMusicResource::DoUnload() {
  auto owner = owner_.lock();
  if (owner) {
    if (format_ == 1) {
      if (sample_ != 0) owner->FreeSample(sample_);
    } else if (handle_ != 0) {
      owner->FreeMusic(handle_);
    }
  }
  handle_ = sample_ = 0;
}

AudioHandle TMusicResource::GetHandle() {
  EnsureLoaded();
  return handle_;
}

// --- groups ----------------------------------------------------------------------------------

void TGroupResource::Initialize() {
  TResource::Initialize();
  members_.clear();
  current_.reset();
}

void TGroupResource::LoadProperties(const StorageRef& storage) {
  TResource::LoadProperties(storage);
  members_.clear();
  current_.reset();
  StorageRef list = storage ? storage->GetChild("resources", 0) : nullptr;
  if (!list) return;
  for (int i = 0, count = list->GetChildCount("resource"); i < count; ++i) {
    // Created through the storage routine, which bounds how deeply groups may nest.
    if (auto member = std::dynamic_pointer_cast<IResource>(CreateObjectFromStorage(list->GetChild("resource", i))))
      members_.push_back(member);
  }
}

void TGroupResource::SaveProperties(const StorageRef& storage) {
  TResource::SaveProperties(storage);
  if (!storage) return;
  StorageRef list = storage->AddChild("resources");
  for (const auto& member : members_)
    if (auto persistent = std::dynamic_pointer_cast<IPersistent>(member))
      persistent->SaveToStorage(list->AddChild("resource"));
}

void TGroupResource::SetOwner(const std::shared_ptr<IResourceOwner>& owner) {
  owner_ = owner;
  for (const auto& member : members_) member->SetOwner(owner);
  if (!pending_) Load();
}

void TGroupResource::DoLoad() {
  for (const auto& member : members_) member->Load();
}

void TGroupResource::DoUnload() {
  for (const auto& member : members_) member->Unload();
}

void TGroupResource::Release() {
  for (const auto& member : members_) member->Release();
  members_.clear();
  current_.reset();
  pending_ = true;
  owner_.reset();
}

void TGroupResource::ChooseMember() {
  const int32_t count = static_cast<int32_t>(members_.size());
  current_ = count > 0 ? members_[static_cast<size_t>(Random(count))] : nullptr;
}

AudioHandle TSoundGroupResource::GetHandle() {
  auto sound = std::dynamic_pointer_cast<ISoundResource>(current_);
  return sound ? sound->GetHandle() : 0;
}

int32_t TSoundGroupResource::GetMasterVolume() {
  auto sound = std::dynamic_pointer_cast<ISoundResource>(current_);
  return sound ? sound->GetMasterVolume() : 100;
}

AudioHandle TMusicGroupResource::GetHandle() {
  auto music = std::dynamic_pointer_cast<IMusicResource>(current_);
  return music ? music->GetHandle() : 0;
}

int32_t TMusicGroupResource::GetFormat() {
  auto music = std::dynamic_pointer_cast<IMusicResource>(current_);
  return music ? music->GetFormat() : 1;
}

// --- TResourceCollection ---------------------------------------------------------------------

void TResourceCollection::UnloadGroup(const std::string& group) {
  for (int i = items_.Count() - 1; i >= 0; --i) {
    // Releasing may reach back into the collection: check the index again each time.
    if (i >= items_.Count()) continue;
    auto resource = std::dynamic_pointer_cast<IResource>(*items_.GetAt(i));
    if (!group.empty() && (!resource || resource->GetGroup() != group)) continue;
    if (resource) resource->Release();
    if (i < items_.Count()) items_.DeleteAt(i);
  }
}

std::shared_ptr<IResource> TResourceCollection::GetResource(const std::string& name) const {
  return ItemAs<IResource>(name);
}

std::shared_ptr<IResource> TResourceCollection::GetResourceAt(int index) const {
  return ItemAs<IResource>(Variant(int64_t{index}));
}

bool TResourceCollection::AddResource(const std::shared_ptr<IResource>& resource) {
  return resource && items_.Add(resource, resource->GetName()) != nullptr;
}

void LoadResourceElements(IResourceCollection& collection, const StorageRef& storage, const std::string& group,
                          const std::shared_ptr<IResourceOwner>& owner, const std::function<void()>& pump) {
  StorageRef content = storage ? storage->GetChild("content", 0) : nullptr;
  if (!content) return;
  for (int i = 0; i < content->GetChildCount("resource"); ++i) {
    StorageRef element = content->GetChild("resource", i);
    if (!element) continue;
    if (pump) pump();
    const std::string name = ReadString(element, "name", "");
    // Keys compare without regard to ASCII case, so a name differing only in case is taken too.
    if (collection.Exists(name)) continue;
    const std::string type = ReadString(element, "type", "");
    auto control = CreateObjectAs<IResourceControl>(type);
    if (!control) {
      LogLine("Resource \"" + name + "\": unknown type \"" + type + "\"");
      continue;
    }
    control->SetName(name);
    if (auto persistent = std::dynamic_pointer_cast<IPersistent>(control)) persistent->LoadFromStorage(element);
    control->SetGroup(group);
    control->SetOwner(owner);
    collection.AddResource(control);
  }
}

// --- resource files --------------------------------------------------------------------------

const TPropertyTable& TResourceFile::GetPropertyTable() const {
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("filename", &TResourceFile::fileName_),
          Property("loadmode", &TResourceFile::loadMode_, int32_t{kAsynch}).AsEnum(kLoadModeWords),
      });
  return table;
}

void TResourceFile::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "resourcefile";
}

void TResourceFile::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPropertyObject::AssignTo(dest);
  if (auto file = As<TResourceFile>(dest)) {
    file->fileName_ = fileName_;
    file->loadMode_ = loadMode_;
  }
}

void TResourceFileCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "resourcefiles";
  itemElementName_ = "resourcefile";
  itemClass_ = MakeObject<TResourceFile>;
}

void TResourceFileCollection::AddItem(const InterfaceRef& item) {
  auto file = std::dynamic_pointer_cast<IResourceFile>(item);
  if (!file) return;
  const std::string name = file->GetName();
  items_.Add(item, name, -1, name.empty());
}

std::shared_ptr<IResourceFile> TResourceFileCollection::GetResourceFile(int index) const {
  return ItemAs<IResourceFile>(Variant(int64_t{index}));
}

void RegisterResourceClasses() {
  RegisterObjectClass<TImageResource>("ImageResource");
  RegisterObjectClass<TFontResource>("FontResource");
  RegisterObjectClass<TFontSubstituteResource>("FontSubstituteResource");
  RegisterObjectClass<TSoundResource>("SoundResource");
  RegisterObjectClass<TMusicResource>("MusicResource");
  RegisterObjectClass<TSoundGroupResource>("SoundGroupResource");
  RegisterObjectClass<TMusicGroupResource>("MusicGroupResource");
  RegisterObjectClass<TResourceFile>("ResourceFile");
}

}  // namespace kestrelle
