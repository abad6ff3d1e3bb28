#pragma once
// The process-wide class registry: registered names (ASCII-case-insensitive) to classes.
// Registration is an explicit call made in order at start-up; a name registered twice raises
// "Duplicate entry.".

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "data/keyed_list.h"
#include "data/object.h"

namespace kestrelle {

struct ClassRecord {
  std::type_index type;
  std::function<std::shared_ptr<TAbstractObject>()> construct;  // construction only
  // Names of the children the class looks up in its own tree (a screen in its window, a control
  // among its widgets); the data checker reports data that lacks one.
  std::vector<std::string> requiredChildren;
};

// A class declares the children it looks up by name with
//   static constexpr const char* kRequiredChildren[] = {"welcome_message"};
// and RegisterObjectClass records them (a derived class inherits its base's list).
template <class T>
std::vector<std::string> RequiredChildrenOf() {
  if constexpr (requires { T::kRequiredChildren; })
    return std::vector<std::string>(std::begin(T::kRequiredChildren), std::end(T::kRequiredChildren));
  else
    return {};
}

class ClassRegistry {
 public:
  static ClassRegistry& Instance();

  void Register(std::string_view name, ClassRecord record);
  bool IsRegistered(std::string_view name) const { return classes_.Exists(name); }
  const ClassRecord* Find(std::string_view name) const { return classes_.Get(name); }
  // First name registered for exactly this class; empty when none.
  std::string NameOf(std::type_index type) const;
  // Tests start from an empty registry.
  void Clear() { classes_.Clear(); }
  int Count() const { return classes_.Count(); }
  const TKeyedList<ClassRecord>& Classes() const { return classes_; }

 private:
  TKeyedList<ClassRecord> classes_;
};

template <class T>
void RegisterObjectClass(std::string_view name) {
  ClassRegistry::Instance().Register(
      name, ClassRecord{std::type_index(typeid(T)),
                        [] { return std::static_pointer_cast<TAbstractObject>(std::make_shared<T>()); },
                        RequiredChildrenOf<T>()});
}

std::string GetRegisteredName(const std::type_info& type);
inline std::string GetRegisteredName(const TAbstractObject& object) { return GetRegisteredName(typeid(object)); }

// "name" or "name{key=value\...}": constructs, Initializes and applies the parameters.
// An unregistered name gives null, never an exception.
std::shared_ptr<TAbstractObject> CreateObjectFromString(std::string_view text);
template <class I>
std::shared_ptr<I> CreateObjectAs(std::string_view text) {
  return std::dynamic_pointer_cast<I>(CreateObjectFromString(text));
}

// Splits a creation string into class name and parameter text.
void SplitCreationString(std::string_view text, std::string& className, std::string& params);

}  // namespace kestrelle
