#include "data/class_registry.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

struct Recorder : TNamedObject {
  std::vector<std::pair<std::string, std::string>> params;
  int initialized = 0;
  void Initialize() override {
    TNamedObject::Initialize();
    ++initialized;
  }
  void SetParam(const std::string& name, const std::string& value) override { params.emplace_back(name, value); }
};
struct OtherRecorder : Recorder {};

class ClassRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = ClassRegistry::Instance().Count();
    ClassRegistry::Instance().Clear();
    RegisterObjectClass<Recorder>("test_recorder");
    RegisterObjectClass<Recorder>("test_recorder_alias");
    RegisterObjectClass<OtherRecorder>("test_other");
  }
  void TearDown() override { ClassRegistry::Instance().Clear(); }
  int saved_ = 0;
};

TEST_F(ClassRegistryTest, CreationStringsApplyParametersInOrder) {
  auto plain = std::dynamic_pointer_cast<Recorder>(CreateObjectFromString("TEST_RECORDER"));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->initialized, 1);
  EXPECT_TRUE(plain->params.empty());

  auto nested = std::dynamic_pointer_cast<Recorder>(CreateObjectFromString("test_recorder{a=1\\b={x=2\\y={z=3}}\\c}"));
  ASSERT_TRUE(nested);
  std::vector<std::pair<std::string, std::string>> expected{{"a", "1"}, {"b", "x=2\\y={z=3}"}};
  EXPECT_EQ(nested->params, expected);

  EXPECT_EQ(CreateObjectFromString("no_such_class{a=1}"), nullptr);
  EXPECT_EQ(CreateObjectFromString(""), nullptr);
}

TEST_F(ClassRegistryTest, NamesAndDuplicates) {
  EXPECT_EQ(GetRegisteredName(typeid(Recorder)), "test_recorder");
  EXPECT_EQ(GetRegisteredName(typeid(OtherRecorder)), "test_other");
  EXPECT_EQ(GetRegisteredName(typeid(TNamedObject)), "");
  try {
    RegisterObjectClass<OtherRecorder>("Test_Recorder");
    FAIL() << "duplicate accepted";
  } catch (const ListError& e) {
    EXPECT_STREQ(e.what(), "Duplicate entry.");
  }
}

TEST_F(ClassRegistryTest, CloneMakesTheRegisteredClassAndCopiesTheName) {
  auto original = Create<OtherRecorder>();
  original->SetName("one");
  auto copy = original->Clone();
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.get(), static_cast<INamedObject*>(original.get()));
  EXPECT_EQ(copy->GetName(), "one");
  EXPECT_TRUE(std::dynamic_pointer_cast<OtherRecorder>(copy));
  EXPECT_EQ(Create<TNamedObject>()->Clone(), nullptr);  // not registered
}

}  // namespace
}  // namespace kestrelle
