#include "data/property_table.h"

#include <algorithm>
#include <cstdint>

#include "data/hier_storage.h"
#include "data/object.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {
namespace {

// Index of an exact word of a "/"-separated list, or -1.
int WordIndex(const std::string& words, const std::string& word) {
  int index = 0;
  for (size_t start = 0; start <= words.size(); ++index) {
    const size_t end = std::min(words.find('/', start), words.size());
    if (words.compare(start, end - start, word) == 0) return index;
    start = end + 1;
  }
  return -1;
}

int WordCount(const std::string& words) { return static_cast<int>(std::count(words.begin(), words.end(), '/')) + 1; }

bool FitsInt32(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

}  // namespace

TPropertyDef::TPropertyDef(std::string name, PropertyKind kind, Variant defaultValue, Getter read, Setter assign)
    : name_(std::move(name)),
      kind_(kind),
      default_(std::move(defaultValue)),
      read_(std::move(read)),
      assign_(std::move(assign)) {}

TPropertyDef& TPropertyDef::AsColor() {
  kind_ = PropertyKind::kColor;
  return *this;
}

TPropertyDef& TPropertyDef::AsText() {
  kind_ = PropertyKind::kText;
  return *this;
}

TPropertyDef& TPropertyDef::AsEnum(std::string words) {
  kind_ = PropertyKind::kEnum;
  words_ = std::move(words);
  return *this;
}

Variant TPropertyDef::Clamp(Variant value) const {
  if (!range_ || !value.IsInteger()) return value;
  return Variant(std::clamp(value.ToInt(), range_->first, range_->second));
}

std::optional<Variant> TPropertyDef::Convert(const Variant& value) const {
  switch (kind_) {
    case PropertyKind::kInt: {
      int64_t i = 0;
      if (VariantToInt(value, i) && (!int32Only_ || FitsInt32(i))) return Variant(i);
      return std::nullopt;
    }
    case PropertyKind::kReal: {
      double d = 0;
      if (VariantToReal(value, d)) return Variant(d);
      return std::nullopt;
    }
    case PropertyKind::kBool: {
      bool b = false;
      if (VariantToBool(value, b)) return Variant(b);
      return std::nullopt;
    }
    case PropertyKind::kString:
    case PropertyKind::kText:
      if (!anyValue_ && (value.IsEmptyOrNull() || value.IsInterface())) return std::nullopt;
      return Variant(value.ToString());
    case PropertyKind::kColor: {
      uint32_t colour = 0;
      if (VariantToColor(value, colour)) return Variant(static_cast<int64_t>(colour));
      return std::nullopt;
    }
    case PropertyKind::kEnum: {
      const int count = settableWords_ >= 0 ? settableWords_ : WordCount(words_);
      int64_t i = value.IsString() ? WordIndex(words_, value.ToString()) : -1;
      if (i < 0 && !VariantToInt(value, i)) return std::nullopt;
      if (i < 0 || i >= count) return std::nullopt;
      return Variant(i);
    }
  }
  return std::nullopt;
}

void TPropertyDef::Load(TPropertyObject& object, const StorageRef& storage) const {
  if (!stored_) return;
  const Variant fallback = keepWhenMissing_ ? read_(object) : default_;
  Variant value;
  switch (kind_) {
    case PropertyKind::kInt: {
      const int64_t i = ReadInt(storage, name_, fallback.ToInt());
      value = int32Only_ && !FitsInt32(i) ? fallback.ToInt() : i;
      break;
    }
    case PropertyKind::kReal:
      value = ReadFloat(storage, name_, fallback.ToDouble());
      break;
    case PropertyKind::kBool:
      value = ReadBool(storage, name_, fallback.ToBool());
      break;
    case PropertyKind::kString:
      value = ReadString(storage, name_, fallback.ToString());
      break;
    case PropertyKind::kText:
      value = ReadLocalizedText(storage, name_, fallback.ToString());
      break;
    case PropertyKind::kColor:
      value = static_cast<int64_t>(ReadHex(storage, name_, static_cast<uint32_t>(fallback.ToInt())));
      break;
    case PropertyKind::kEnum:
      value = static_cast<int64_t>(ReadEnum(storage, name_, words_, static_cast<int>(fallback.ToInt())));
      break;
  }
  assign_(object, Clamp(std::move(value)));
}

void TPropertyDef::Save(TPropertyObject& object, const StorageRef& storage) const {
  if (!stored_ || !saved_) return;
  const Variant value = read_(object);
  if (saveIfNotDefault_ && value == default_) return;
  switch (kind_) {
    case PropertyKind::kInt:
      WriteInt(storage, name_, value.ToInt());
      break;
    case PropertyKind::kReal:
      WriteFloat(storage, name_, value.ToDouble());
      break;
    case PropertyKind::kBool:
      WriteBool(storage, name_, value.ToBool());
      break;
    case PropertyKind::kString:
    case PropertyKind::kText:
      WriteString(storage, name_, value.ToString());
      break;
    case PropertyKind::kColor:
      WriteHex(storage, name_, static_cast<uint32_t>(value.ToInt()));
      break;
    case PropertyKind::kEnum:
      WriteEnum(storage, name_, static_cast<int>(value.ToInt()), words_);
      break;
  }
}

Variant TPropertyDef::Get(TPropertyObject& object) const { return getter_ ? getter_(object) : read_(object); }

void TPropertyDef::Set(TPropertyObject& object, const Variant& value) const {
  if (readOnly_) return;
  std::optional<Variant> converted = Convert(value);
  if (!converted) return;
  const Variant next = Clamp(std::move(*converted));
  if (setter_) {
    setter_(object, next);
    return;
  }
  if (read_(object) == next) return;
  assign_(object, next);
  if (onChange_)
    onChange_(object);
  else
    object.PropertyChanged();
}

void TPropertyDef::ApplyDefault(TPropertyObject& object) const {
  if (!byAccessors_) assign_(object, default_);
}

// ---------------------------------------------------------------------------------------------

TPropertyTable::TPropertyTable(std::initializer_list<TPropertyDef> own) {
  for (const TPropertyDef& def : own) Add(def);
}

TPropertyTable::TPropertyTable(const TPropertyTable& base, std::initializer_list<TPropertyDef> own)
    : properties_(base.properties_), index_(base.index_) {
  for (const TPropertyDef& def : own) Add(def);
}

size_t TPropertyTable::NameHash::operator()(std::string_view name) const {
  size_t hash = 14695981039346656037u;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    hash = (hash ^ byte) * 1099511628211u;
  }
  return hash;
}

bool TPropertyTable::NameEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoreAsciiCase(a, b);
}

void TPropertyTable::Add(const TPropertyDef& def) {
  auto [it, added] = index_.try_emplace(def.GetName(), properties_.size());
  if (added)
    properties_.push_back(def);
  else
    properties_[it->second] = def;
}

const TPropertyDef* TPropertyTable::Find(const std::string& name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : &properties_[it->second];
}

void TPropertyTable::Load(TPropertyObject& object, const StorageRef& storage) const {
  for (const TPropertyDef& def : properties_) def.Load(object, storage);
}

void TPropertyTable::Save(TPropertyObject& object, const StorageRef& storage) const {
  for (const TPropertyDef& def : properties_) def.Save(object, storage);
}

void TPropertyTable::ApplyDefaults(TPropertyObject& object) const {
  for (const TPropertyDef& def : properties_) def.ApplyDefault(object);
}

}  // namespace kestrelle
