#pragma once
// One declaration per property. A class lists its properties once, in a table next to the class;
// loading, saving, GetProperty and SetProperty walk that table (and its bases' tables) instead of
// repeating each name four times. A class overrides the four functions only for what a table
// cannot say (paths, computed values, child objects).
//
//   const TPropertyTable& TImageWidget::GetPropertyTable() const {
//     static const TPropertyTable table(TResourceWidget::GetPropertyTable(), {
//         Property("resourceleft", &TImageWidget::sourceLeft_).SavedIfNotDefault(),
//         Property("fillcolor", &TImageWidget::fillColor_).AsColor(),
//     });
//     return table;
//   }

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "data/variant.h"

namespace kestrelle {

class IHierStorage;
using StorageRef = std::shared_ptr<IHierStorage>;
class TPropertyObject;

// How a property reads, writes and converts. The value a property holds is kept as a Variant of
// one form per kind: integers, reals, booleans and strings as themselves, colours as integers,
// enumerations as the word's index.
enum class PropertyKind {
  kInt,     // decimal (or "$"/"0x" hexadecimal) integer
  kReal,    // "." real, written in the shortest form that reads back
  kBool,    // "yes" / "no"
  kString,  // text as it stands
  kText,    // text read through the language table ("%key%"), written as it stands
  kColor,   // "$AARRGGBB" on save; decimal, "$..." or "0x..." on load
  kEnum,    // one word of a "/"-separated list, held as its index
};

class TPropertyDef {
 public:
  using Getter = std::function<Variant(TPropertyObject&)>;
  using Setter = std::function<void(TPropertyObject&, const Variant&)>;

  TPropertyDef(std::string name, PropertyKind kind, Variant defaultValue, Getter read, Setter assign);

  // Written only when the value differs from the default.
  TPropertyDef& SavedIfNotDefault() {
    saveIfNotDefault_ = true;
    return *this;
  }
  // Not read from or written to storage: a property of the running object only.
  TPropertyDef& NotStored() {
    stored_ = false;
    return *this;
  }
  // Read from storage but never written (a load-time option the object does not keep).
  TPropertyDef& NotSaved() {
    saved_ = false;
    return *this;
  }
  // A missing attribute keeps the value the object already has instead of the default.
  TPropertyDef& KeepWhenMissing() {
    keepWhenMissing_ = true;
    return *this;
  }
  // Values outside the range are clamped on load and on set (integers and enumerations).
  TPropertyDef& Range(int64_t low, int64_t high) {
    range_ = std::make_pair(low, high);
    return *this;
  }
  // A value outside 32 bits does not convert: loading keeps the default, SetProperty ignores it
  // (integers; Range clamps instead).
  TPropertyDef& Int32Only() {
    int32Only_ = true;
    return *this;
  }
  // SetProperty leaves the value as it is: the object reports it and storage keeps it.
  TPropertyDef& ReadOnly() {
    readOnly_ = true;
    return *this;
  }
  // Reached through accessors only: Initialize leaves it to the class (a setter may need an owner).
  TPropertyDef& ByAccessors() {
    byAccessors_ = true;
    return *this;
  }
  TPropertyDef& AsColor();
  TPropertyDef& AsText();
  TPropertyDef& AsEnum(std::string words);
  // Enumeration words accepted on load beyond the ones SetProperty takes (a data-only value).
  TPropertyDef& SettableWords(int count) {
    settableWords_ = count;
    return *this;
  }
  // SetProperty takes any value as text (an empty, null or object value gives empty text) instead
  // of leaving a string property unchanged.
  TPropertyDef& TakesAnyValue() {
    anyValue_ = true;
    return *this;
  }
  // A change through SetProperty only assigns the value.
  TPropertyDef& Quiet() {
    onChange_ = [](TPropertyObject&) {};
    return *this;
  }
  // What a change through SetProperty does instead of the object's PropertyChanged().
  template <class T>
  TPropertyDef& OnChange(void (T::*action)()) {
    onChange_ = [action](TPropertyObject& object) { (static_cast<T&>(object).*action)(); };
    return *this;
  }
  // SetProperty calls the setter with every converted value (it decides what a change does);
  // loading assigns the member directly.
  template <class T, class V>
  TPropertyDef& SetWith(void (T::*setter)(V)) {
    using Value = std::remove_cvref_t<V>;
    setter_ = [setter](TPropertyObject& object, const Variant& value) {
      (static_cast<T&>(object).*setter)(FromVariant<Value>(value));
    };
    return *this;
  }
  // GetProperty answers through the getter (a computed value); storage still uses the member.
  template <class T, class V>
  TPropertyDef& GetWith(V (T::*getter)() const) {
    getter_ = [getter](TPropertyObject& object) { return Variant((static_cast<T&>(object).*getter)()); };
    return *this;
  }
  template <class T, class V>
  TPropertyDef& GetWith(V (T::*getter)()) {
    getter_ = [getter](TPropertyObject& object) { return Variant((static_cast<T&>(object).*getter)()); };
    return *this;
  }

  const std::string& GetName() const { return name_; }
  PropertyKind GetKind() const { return kind_; }
  const Variant& GetDefault() const { return default_; }
  const std::string& GetWords() const { return words_; }
  bool IsStored() const { return stored_; }
  bool IsReadOnly() const { return readOnly_; }
  const std::optional<std::pair<int64_t, int64_t>>& GetRange() const { return range_; }

  void Load(TPropertyObject& object, const StorageRef& storage) const;
  void Save(TPropertyObject& object, const StorageRef& storage) const;
  Variant Get(TPropertyObject& object) const;
  // A value that does not convert leaves the property unchanged.
  void Set(TPropertyObject& object, const Variant& value) const;
  void ApplyDefault(TPropertyObject& object) const;

  // The Variant converted to this property's form; nullopt when it does not convert.
  std::optional<Variant> Convert(const Variant& value) const;

  template <class V>
  static V FromVariant(const Variant& value);

 private:
  Variant Clamp(Variant value) const;

  std::string name_;
  PropertyKind kind_;
  Variant default_;
  std::string words_;
  Getter read_;
  Setter assign_;
  Getter getter_;
  Setter setter_;
  std::function<void(TPropertyObject&)> onChange_;
  std::optional<std::pair<int64_t, int64_t>> range_;
  int settableWords_ = -1;
  bool saveIfNotDefault_ = false;
  bool stored_ = true;
  bool saved_ = true;
  bool keepWhenMissing_ = false;
  bool byAccessors_ = false;
  bool anyValue_ = false;
  bool int32Only_ = false;
  bool readOnly_ = false;
};

template <class V>
V TPropertyDef::FromVariant(const Variant& value) {
  if constexpr (std::is_same_v<V, bool>)
    return value.ToBool();
  else if constexpr (std::is_same_v<V, std::string>)
    return value.ToString();
  else if constexpr (std::is_floating_point_v<V>)
    return static_cast<V>(value.ToDouble());
  else
    return static_cast<V>(value.ToInt());
}

// The kind a member's type gives unless the declaration says otherwise.
template <class V>
constexpr PropertyKind DefaultKindOf() {
  if constexpr (std::is_same_v<V, bool>)
    return PropertyKind::kBool;
  else if constexpr (std::is_same_v<V, std::string>)
    return PropertyKind::kString;
  else if constexpr (std::is_floating_point_v<V>)
    return PropertyKind::kReal;
  else if constexpr (std::is_same_v<V, uint32_t>)
    return PropertyKind::kColor;
  else {
    static_assert(std::is_integral_v<V>, "a property is an integer, real, boolean, string or colour");
    return PropertyKind::kInt;
  }
}

// A property held in a member of T; its default is the value Initialize and a missing attribute
// give.
template <class T, class V>
TPropertyDef Property(std::string name, V T::*member, V defaultValue = V{}) {
  return TPropertyDef(
      std::move(name), DefaultKindOf<V>(), Variant(defaultValue),
      [member](TPropertyObject& object) { return Variant(static_cast<T&>(object).*member); },
      [member](TPropertyObject& object, const Variant& value) {
        static_cast<T&>(object).*member = TPropertyDef::FromVariant<V>(value);
      });
}

// A property held in a field of a member of T (a struct of values the class keeps together).
template <class T, class M, class V>
TPropertyDef Property(std::string name, M T::*outer, V M::*field, V defaultValue = V{}) {
  return TPropertyDef(
      std::move(name), DefaultKindOf<V>(), Variant(defaultValue),
      [outer, field](TPropertyObject& object) { return Variant(static_cast<T&>(object).*outer.*field); },
      [outer, field](TPropertyObject& object, const Variant& value) {
        static_cast<T&>(object).*outer.*field = TPropertyDef::FromVariant<V>(value);
      });
}

// A property reached only through a getter and a setter (no member of its own).
template <class T, class G, class S>
TPropertyDef Property(std::string name, G (T::*getter)() const, void (T::*setter)(S), G defaultValue = G{}) {
  using Value = std::remove_cvref_t<S>;
  return TPropertyDef(
             std::move(name), DefaultKindOf<std::remove_cvref_t<G>>(), Variant(defaultValue),
             [getter](TPropertyObject& object) { return Variant((static_cast<T&>(object).*getter)()); },
             [setter](TPropertyObject& object, const Variant& value) {
               (static_cast<T&>(object).*setter)(TPropertyDef::FromVariant<Value>(value));
             })
      .ByAccessors();
}

// The properties of one class, after those of its base class. A name declared again replaces the
// base's declaration in place, so storage order stays the base's order.
class TPropertyTable {
 public:
  TPropertyTable() = default;
  TPropertyTable(std::initializer_list<TPropertyDef> own);
  TPropertyTable(const TPropertyTable& base, std::initializer_list<TPropertyDef> own);

  const TPropertyDef* Find(const std::string& name) const;
  const std::vector<TPropertyDef>& GetProperties() const { return properties_; }

  void Load(TPropertyObject& object, const StorageRef& storage) const;
  void Save(TPropertyObject& object, const StorageRef& storage) const;
  void ApplyDefaults(TPropertyObject& object) const;

 private:
  void Add(const TPropertyDef& def);

  // Names compare without regard to ASCII case, without building a folded copy per look-up.
  struct NameHash {
    size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };

  std::vector<TPropertyDef> properties_;
  std::unordered_map<std::string, size_t, NameHash, NameEqual> index_;  // name -> position
};

}  // namespace kestrelle
