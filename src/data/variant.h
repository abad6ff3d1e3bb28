#pragma once
// The one variant type of the data layer. Empty and Null are distinct states: a missing value
// reads as Empty, an explicit "no value" (for example a property with no meaning) as Null.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace kestrelle {

class IInterface;

struct Empty {
  bool operator==(const Empty&) const = default;
};
struct Null {
  bool operator==(const Null&) const = default;
};

using InterfaceRef = std::shared_ptr<IInterface>;

class Variant {
public:
  using Storage = std::variant<Empty, Null, bool, int64_t, double, std::string, InterfaceRef>;

  Variant() = default;
  Variant(Empty) {}
  Variant(Null v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(int v) : value_(static_cast<int64_t>(v)) {}
  Variant(unsigned v) : value_(static_cast<int64_t>(v)) {}
  Variant(int64_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(float v) : value_(static_cast<double>(v)) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v ? v : "")) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(InterfaceRef v) : value_(std::move(v)) {}
  template <class T>
    requires std::is_base_of_v<IInterface, T>
  Variant(std::shared_ptr<T> v) : value_(InterfaceRef(std::move(v))) {}

  bool IsEmpty() const { return std::holds_alternative<Empty>(value_); }
  bool IsNull() const { return std::holds_alternative<Null>(value_); }
  bool IsEmptyOrNull() const { return IsEmpty() || IsNull(); }
  bool IsString() const { return std::holds_alternative<std::string>(value_); }
  bool IsInteger() const { return std::holds_alternative<int64_t>(value_); }
  bool IsReal() const { return std::holds_alternative<double>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }
  bool IsNumber() const { return IsInteger() || IsReal() || IsBool(); }
  bool IsInterface() const { return std::holds_alternative<InterfaceRef>(value_); }

  const Storage& Raw() const { return value_; }

  // Conversions as the data layer uses them: numbers from text through the "." reader,
  // booleans as "yes"/"no" when turned to text is NOT done here (callers use the storage rules).
  std::string ToString() const;
  int64_t ToInt(int64_t fallback = 0) const;
  double ToDouble(double fallback = 0.0) const;
  bool ToBool(bool fallback = false) const;
  InterfaceRef ToInterface() const;
  template <class I>
  std::shared_ptr<I> As() const {
    return std::dynamic_pointer_cast<I>(ToInterface());
  }

  // Equality compares kind and value (interfaces by identity).
  bool operator==(const Variant& other) const { return value_ == other.value_; }

private:
  Storage value_;
};

}  // namespace kestrelle
