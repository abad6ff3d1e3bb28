#include "data/variant.h"

#include "data/numbers.h"

namespace kestrelle {

std::string Variant::ToString() const {
  struct Visitor {
    std::string operator()(const Empty&) const { return {}; }
    std::string operator()(const Null&) const { return {}; }
    std::string operator()(bool v) const { return v ? "True" : "False"; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return FormatReal(v); }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(const InterfaceRef&) const { return {}; }
  };
  return std::visit(Visitor{}, value_);
}

int64_t Variant::ToInt(int64_t fallback) const {
  if (auto* i = std::get_if<int64_t>(&value_)) return *i;
  if (auto* b = std::get_if<bool>(&value_)) return *b ? -1 : 0;
  if (auto* d = std::get_if<double>(&value_)) return RealToInt(*d);
  if (auto* s = std::get_if<std::string>(&value_)) {
    int64_t out = 0;
    if (ParseInt(*s, out)) return out;
    double real = 0;
    if (ParseRealDot(*s, real)) return RealToInt(real);
  }
  return fallback;
}

double Variant::ToDouble(double fallback) const {
  if (auto* d = std::get_if<double>(&value_)) return *d;
  if (auto* i = std::get_if<int64_t>(&value_)) return static_cast<double>(*i);
  if (auto* b = std::get_if<bool>(&value_)) return *b ? -1.0 : 0.0;
  if (auto* s = std::get_if<std::string>(&value_)) {
    double out = 0;
    if (ParseRealDot(*s, out)) return out;
  }
  return fallback;
}

bool Variant::ToBool(bool fallback) const {
  if (auto* b = std::get_if<bool>(&value_)) return *b;
  if (auto* i = std::get_if<int64_t>(&value_)) return *i != 0;
  if (auto* d = std::get_if<double>(&value_)) return *d != 0.0;
  if (auto* s = std::get_if<std::string>(&value_)) {
    if (*s == "yes" || *s == "true" || *s == "True") return true;
    if (*s == "no" || *s == "false" || *s == "False") return false;
  }
  return fallback;
}

InterfaceRef Variant::ToInterface() const {
  if (auto* p = std::get_if<InterfaceRef>(&value_)) return *p;
  return nullptr;
}

}  // namespace kestrelle
