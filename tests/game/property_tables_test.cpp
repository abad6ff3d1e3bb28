// Every registered class with a property table: what is declared loads, saves, reads back and
// answers GetProperty with what SetProperty was given. A declared property that loading never
// reads, or saving writes differently, fails here without a test of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/controls_registration.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/object.h"
#include "data/property_table.h"
#include "game/game_registration.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

int WordCount(const std::string& words) { return static_cast<int>(std::count(words.begin(), words.end(), '/')) + 1; }

std::string WordAt(const std::string& words, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = words.find('/', start) + 1;
  return words.substr(start, words.find('/', start) - start);
}

// A value unlike the default, inside the declared range.
Variant SampleValue(const TPropertyDef& def) {
  const Variant& fallback = def.GetDefault();
  switch (def.GetKind()) {
    case PropertyKind::kInt: {
      int64_t value = fallback.ToInt() + 3;
      if (const auto& range = def.GetRange()) {
        value = std::clamp(value, range->first, range->second);
        if (value == fallback.ToInt()) value = std::clamp(fallback.ToInt() - 1, range->first, range->second);
      }
      return Variant(value);
    }
    case PropertyKind::kReal:
      return Variant(fallback.ToDouble() + 2.5);
    case PropertyKind::kBool:
      return Variant(!fallback.ToBool());
    case PropertyKind::kString:
    case PropertyKind::kText:
      return Variant("sample " + def.GetName());
    case PropertyKind::kColor:
      return Variant(int64_t{0x12345678});
    case PropertyKind::kEnum:
      return Variant((fallback.ToInt() + 1) % WordCount(def.GetWords()));
  }
  return Variant();
}

// The value as a data file spells it.
std::string StorageText(const TPropertyDef& def, const Variant& value) {
  switch (def.GetKind()) {
    case PropertyKind::kReal:
      return FormatReal(value.ToDouble());
    case PropertyKind::kBool:
      return value.ToBool() ? "yes" : "no";
    case PropertyKind::kColor: {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<uint32_t>(value.ToInt()));
      return buffer;
    }
    case PropertyKind::kEnum:
      return WordAt(def.GetWords(), static_cast<int>(value.ToInt()));
    default:
      return value.ToString();
  }
}

std::shared_ptr<TPropertyObject> NewObject(const std::string& className) {
  return std::dynamic_pointer_cast<TPropertyObject>(CreateObjectFromString(className));
}

std::string Saved(const std::shared_ptr<TPropertyObject>& object) {
  StorageRootRef root = CreateStorage("object");
  object->SaveProperties(root->GetRoot());
  return root->SaveToString();
}

std::vector<std::string> ClassesWithTables() {
  testing::EnsureGameClassesRegistered();
  std::vector<std::string> names;
  for (const auto& entry : ClassRegistry::Instance().Classes()) {
    std::shared_ptr<TPropertyObject> object;
    try {
      object = NewObject(entry.keyText);
    } catch (const std::exception&) {
      continue;
    }
    if (object && !object->GetPropertyTable().GetProperties().empty()) names.push_back(entry.keyText);
  }
  return names;
}

TEST(PropertyTables, EveryTabledPropertyRoundTripsThroughStorageAndSetProperty) {
  const std::vector<std::string> classes = ClassesWithTables();
  ASSERT_NE(std::find(classes.begin(), classes.end(), "image_widget"), classes.end());
  ASSERT_NE(std::find(classes.begin(), classes.end(), "ButtonControl"), classes.end());
  ASSERT_NE(std::find(classes.begin(), classes.end(), "MinigameDefRound"), classes.end());
  for (const std::string& className : classes) {
    SCOPED_TRACE(className);
    const std::vector<TPropertyDef>& defs = NewObject(className)->GetPropertyTable().GetProperties();

    // Loaded from a storage that holds a non-default value for every stored property.
    StorageRootRef source = CreateStorage("object");
    for (const TPropertyDef& def : defs) {
      if (def.IsStored()) source->GetRoot()->WriteValue(def.GetName(), StorageText(def, SampleValue(def)));
    }
    auto loaded = NewObject(className);
    loaded->LoadProperties(source->GetRoot());
    for (const TPropertyDef& def : defs) {
      if (!def.IsStored()) continue;
      EXPECT_EQ(def.Get(*loaded), SampleValue(def)) << def.GetName() << " was not loaded";
    }

    // Saved, loaded into a fresh object, saved again: the same document.
    const std::string first = Saved(loaded);
    auto reloaded = NewObject(className);
    reloaded->LoadProperties(LoadStorageFromString(first));
    EXPECT_EQ(Saved(reloaded), first);

    // GetProperty answers what SetProperty was given (a read-only property keeps its value).
    auto set = NewObject(className);
    for (const TPropertyDef& def : defs) {
      const Variant before = set->GetProperty(def.GetName());
      set->SetProperty(def.GetName(), SampleValue(def));
      EXPECT_EQ(set->GetProperty(def.GetName()), def.IsReadOnly() ? before : SampleValue(def)) << def.GetName();
    }
  }
}

// A null value clears a string property that takes any value (as the button's actions did before
// their table); other string properties keep their text.
TEST(PropertyTables, ANullValueClearsOnlyStringsThatTakeAnyValue) {
  ClassesWithTables();
  const struct {
    const char* className;
    const char* property;
    const char* afterNull;
  } cases[] = {{"ButtonControl", "url", ""}, {"EditControl", "value", ""}, {"image_widget", "resourcename", "kept"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.className);
    auto object = NewObject(c.className);
    object->SetProperty(c.property, Variant("kept"));
    object->SetProperty(c.property, Variant(Null{}));
    EXPECT_EQ(object->GetProperty(c.property).ToString(), c.afterNull);
  }
}

// A 32-bit property reads a value beyond 32 bits as its default and ignores it when set; a
// read-only one loads and saves but ignores SetProperty.
class TModifierSample : public TPropertyObject {
 public:
  const TPropertyTable& GetPropertyTable() const override {
    static const TPropertyTable table({
        Property("narrow", &TModifierSample::narrow_, int32_t{7}).Int32Only(),
        Property("fixed", &TModifierSample::fixed_).ReadOnly(),
    });
    return table;
  }
  int32_t narrow_ = 0;
  int32_t fixed_ = 0;
};

TEST(PropertyTables, Int32OnlyRejectsWideValuesAndReadOnlyIgnoresSet) {
  auto object = Create<TModifierSample>();
  object->LoadProperties(LoadStorageFromString(R"(<object narrow="4294967296" fixed="5"/>)"));
  EXPECT_EQ(object->narrow_, 7);
  object->SetProperty("fixed", Variant(int64_t{9}));
  EXPECT_EQ(object->fixed_, 5);
  object->LoadProperties(LoadStorageFromString(R"(<object narrow="-2147483648"/>)"));
  EXPECT_EQ(object->narrow_, INT32_MIN);
  object->SetProperty("narrow", Variant(int64_t{1} << 31));
  EXPECT_EQ(object->narrow_, INT32_MIN);
  object->SetProperty("narrow", Variant("12"));
  EXPECT_EQ(object->narrow_, 12);
}

}  // namespace
}  // namespace kestrelle
