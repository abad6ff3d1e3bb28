// Parameters and parameter collections through the storage and creation strings.
#include "data/params.h"

#include <gtest/gtest.h>

#include "data/hier_storage.h"
#include "storage_test_support.h"

namespace kestrelle {
namespace {

TEST(Params, LaterElementOfTheSameNameWins) {
  StorageRef s = LoadStorageFromString(
      "<params><param name=\"Speed\" value=\"1\"/><param name=\"other\" value=\"x\"/>"
      "<param name=\"SPEED\" value=\"2\"/><param value=\"nameless\"/><param name=\"novalue\"/></params>");
  ParamsRef params = CreateParams();
  std::dynamic_pointer_cast<IPersistent>(params)->LoadFromStorage(s);
  ASSERT_EQ(params->GetCount(), 4);
  EXPECT_EQ(params->GetValue("speed", "d"), Variant("2"));
  EXPECT_EQ(params->GetValue("", "d"), Variant("nameless"));
  EXPECT_EQ(params->GetValue("novalue", "d"), Variant(""));
  EXPECT_EQ(params->GetValue("missing", "d"), Variant("d"));
  EXPECT_EQ(params->GetParam(1)->GetName(), "other");
  EXPECT_FALSE(params->GetParam(9));
}

TEST(Params, SavingWritesOneElementPerParameterInOrder) {
  ParamsRef params = CreateParams();
  params->SetValue("b", "2");
  params->SetValue("a", "1");
  params->SetValue("B", "3");
  params->SetValue("n", int64_t{7});
  StorageRootRef doc = CreateStorage("params");
  ASSERT_TRUE(doc->SaveObject(params));
  EXPECT_EQ(doc->SaveToString(),
            "<params><param name=\"b\" value=\"3\"/><param name=\"a\" value=\"1\"/><param name=\"n\" value=\"7\"/>"
            "</params>");
}

TEST(Params, CreationStringPairsBecomeParameters) {
  ParamsRef params = CreateParams("x=1\\y={a=2\\b=3}");
  ASSERT_EQ(params->GetCount(), 2);
  EXPECT_EQ(params->GetValue("x", ""), Variant("1"));
  EXPECT_EQ(params->GetValue("y", ""), Variant("a=2\\b=3"));
  // A copy is independent of its source.
  ParamsRef copy = CopyParams(params);
  copy->SetValue("x", "changed");
  EXPECT_EQ(params->GetValue("x", ""), Variant("1"));
  EXPECT_EQ(copy->GetValue("y", ""), Variant("a=2\\b=3"));
  EXPECT_EQ(CopyParams(nullptr)->GetCount(), 0);
  // AddParam does not replace a parameter of the same name.
  auto extra = Create<TParam>();
  extra->SetName("X");
  extra->SetValue("other");
  params->AddParam(extra);
  EXPECT_EQ(params->GetValue("x", ""), Variant("1"));
}

TEST(Params, ParamObjectWritesNameAndAlwaysValue) {
  auto param = Create<TParam>();
  EXPECT_EQ(param->GetStorageName(), "param");
  param->SetName("p");
  StorageRootRef doc = CreateStorage("param");
  doc->SaveObject(param);
  EXPECT_EQ(doc->SaveToString(), "<param name=\"p\" value=\"\"/>");
  auto loaded = Create<TParam>();
  doc->GetRoot()->WriteValue("value", "v");
  doc->LoadObject(loaded);
  EXPECT_EQ(loaded->GetName(), "p");
  EXPECT_EQ(loaded->GetValue(), Variant("v"));
}

class TDefinition : public TParamsPropertyObject {
 public:
  void Initialize() override {
    TParamsPropertyObject::Initialize();
    storageName_ = "definition";
  }
};

TEST(Params, PropertiesOfADefinition) {
  testing_support::ScratchFolder folder;
  folder.WriteAppFile("outer.xml", "<d><properties><param name=\"from_outer\" value=\"o\"/></properties></d>");
  StorageRef s = LoadStorageFromString(
      "<r><definition name=\"def\"><properties><param name=\"hearts\" value=\"4\"/></properties></definition>"
      "<definition name=\"bare\"/><definition _outstorage=\"file=outer.xml\"/></r>");
  auto def = Create<TDefinition>();
  ASSERT_TRUE(LoadChildObject(def, s, "", 0));
  EXPECT_EQ(def->GetProperty("HEARTS"), Variant("4"));
  EXPECT_EQ(def->GetPropertyDef("missing", "fallback"), Variant("fallback"));
  def->SetProperty("new", "n");

  StorageRootRef doc = CreateStorage("definition");
  doc->SaveObject(def);
  EXPECT_EQ(doc->SaveToString(),
            "<definition name=\"def\"><properties><param name=\"hearts\" value=\"4\"/>"
            "<param name=\"new\" value=\"n\"/></properties></definition>");

  auto bare = Create<TDefinition>();
  ASSERT_TRUE(LoadChildObject(bare, s, "", 1));
  EXPECT_EQ(bare->GetParams()->GetCount(), 0);
  auto outer = Create<TDefinition>();
  ASSERT_TRUE(LoadChildObject(outer, s, "", 2));
  EXPECT_EQ(outer->GetProperty("from_outer"), Variant("o"));
}

}  // namespace
}  // namespace kestrelle
