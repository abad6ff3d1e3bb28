// Persistent objects and collections through the XML storage: outer files, template saves,
// items that are not stored, and the object routines.
#include <gtest/gtest.h>

#include "data/cipher.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "storage_test_support.h"

namespace kestrelle {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;

class TSample : public TPersistObject {
 public:
  void Initialize() override {
    TPersistObject::Initialize();
    storageName_ = "sample";
    speed = 1;
    label = "none";
  }
  void LoadProperties(const StorageRef& s) override {
    TPersistObject::LoadProperties(s);
    speed = ReadInt(s, "speed", 1);
    label = ReadString(s, "label", "none");
    parts = s->GetChildCount("part");
  }
  void SaveProperties(const StorageRef& s) override {
    TPersistObject::SaveProperties(s);
    WriteInt(s, "speed", speed);
    WriteString(s, "label", label);
    s->AddChild("part");
  }
  int64_t speed = 0;
  std::string label;
  int parts = 0;
};

class TSampleList : public TTypedCreationPersistItemCollection {
 public:
  void Initialize() override {
    TTypedCreationPersistItemCollection::Initialize();
    storageName_ = "samples";
    itemElementName_ = "sample";
  }
  void AddItem(const InterfaceRef& item) override {
    if (auto named = std::dynamic_pointer_cast<INamedObject>(item)) items_.Add(item, named->GetName());
  }
};

class PersistStorage : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ClassRegistry::Instance().IsRegistered("storage_test_sample"))
      RegisterObjectClass<TSample>("storage_test_sample");
  }
  std::shared_ptr<TSample> Sample(const std::string& name, int64_t speed, const std::string& label) {
    auto sample = Create<TSample>();
    sample->SetName(name);
    sample->speed = speed;
    sample->label = label;
    return sample;
  }
  // Saves into a fresh "sample" element and returns that element read back from the saved text,
  // so that its outer storage is attached as it would be when loading a file.
  StorageRef SaveAndReload(const std::shared_ptr<TSample>& sample, std::string* text = nullptr) {
    StorageRootRef doc = CreateStorage("root");
    sample->SaveToStorage(doc->GetRoot()->AddChild("sample"));
    if (text) *text = doc->SaveToString();
    StorageRef back = LoadStorageFromString(doc->SaveToString());
    return back ? back->GetChild("sample", 0) : nullptr;
  }
  ScratchFolder folder;
};

TEST_F(PersistStorage, TemplateSavesOnlyWhatDiffersFromTheOuterFile) {
  folder.WriteAppFile("base.xml",
                      "<sample name=\"Base\" type=\"storage_test_sample\" speed=\"3\" label=\"outer\"><part/><part/>"
                      "</sample>");
  auto sample = Sample("Base", 5, "none");  // "none" is also the reader's default
  sample->SetOutStorage("file=base.xml");
  sample->SetTemplate(true);
  std::string text;
  StorageRef element = SaveAndReload(sample, &text);
  EXPECT_EQ(text, "<root><sample speed=\"5\" label=\"none\" template=\"yes\" _outstorage=\"file=base.xml\"/></root>");
  auto loaded = Create<TSample>();
  loaded->LoadFromStorage(element);
  EXPECT_EQ(loaded->GetName(), "Base");  // from the outer file
  EXPECT_EQ(loaded->speed, 5);
  EXPECT_EQ(loaded->label, "none");
  EXPECT_EQ(loaded->parts, 2);  // children come from the outer file
  EXPECT_TRUE(loaded->IsTemplate());
  EXPECT_EQ(loaded->GetOutStorage(), "file=base.xml");
}

TEST_F(PersistStorage, OuterStorageObjectGoesWholeToItsOwnFile) {
  auto sample = Sample("Own", 9, "mine");
  sample->SetOutStorage("file=defs/own.dat\\cryptkey=key1");
  std::string text;
  StorageRef element = SaveAndReload(sample, &text);
  EXPECT_EQ(text, "<root><sample _outstorage=\"file=defs/own.dat\\cryptkey=key1\"/></root>");
  EXPECT_EQ(DecipherFromHex("key1", ReadFileBytes(folder.App() + "defs/own.dat")),
            "<sample name=\"Own\" type=\"storage_test_sample\" speed=\"9\" label=\"mine\"><part/></sample>");
  auto loaded = Create<TSample>();
  loaded->LoadFromStorage(element);
  EXPECT_EQ(loaded->GetName(), "Own");
  EXPECT_EQ(loaded->speed, 9);
  EXPECT_EQ(loaded->label, "mine");
  EXPECT_FALSE(loaded->IsTemplate());
}

TEST_F(PersistStorage, CollectionSkipsItemsThatAreNotStored) {
  auto list = Create<TSampleList>();
  list->AddItem(Sample("a", 2, "x"));
  auto hidden = Sample("b", 3, "y");
  hidden->SetStored(false);
  list->AddItem(hidden);
  list->AddItem(Sample("c", 4, "z"));
  StorageRootRef doc = CreateStorage("samples");
  ASSERT_TRUE(doc->SaveObject(list));
  EXPECT_EQ(doc->SaveToString(),
            "<samples><sample name=\"a\" type=\"storage_test_sample\" speed=\"2\" label=\"x\"><part/></sample>"
            "<sample name=\"c\" type=\"storage_test_sample\" speed=\"4\" label=\"z\"><part/></sample></samples>");

  auto loaded = Create<TSampleList>();
  StorageRootRef back = CreateStorage("x");
  ASSERT_TRUE(back->LoadFromString(doc->SaveToString()));
  ASSERT_TRUE(back->LoadObject(loaded));
  ASSERT_EQ(loaded->GetCount(), 2);
  auto c = loaded->ItemAs<TSample>("C");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->speed, 4);
}

TEST_F(PersistStorage, ObjectRoutines) {
  StorageRef s = LoadStorageFromString(
      "<r><sample name=\"one\" speed=\"11\"/><sample name=\"two\" type=\"storage_test_sample\" speed=\"12\"/>"
      "<other type=\"no_such_class\"/></r>");
  ASSERT_TRUE(s);
  auto target = Create<TSample>();
  EXPECT_TRUE(LoadChildObject(target, s, "", 1));  // "" means the object's storage name
  EXPECT_EQ(target->speed, 12);
  EXPECT_FALSE(LoadChildObject(target, s, "sample", 2));
  EXPECT_FALSE(LoadChildObject(target, s, "sample", -1));
  EXPECT_FALSE(LoadChildObject(std::make_shared<TNamedObject>(), s, "sample", 0));

  auto created = std::dynamic_pointer_cast<TSample>(CreateAndLoadChild(&MakeObject<TSample>, s, "sample", 0));
  ASSERT_TRUE(created);
  EXPECT_EQ(created->GetName(), "one");
  EXPECT_FALSE(CreateAndLoadChild(&MakeObject<TSample>, s, "sample", 5));
  EXPECT_FALSE(CreateAndLoadChild(&MakeObject<TSample>, s, "", 0));

  auto typed = std::dynamic_pointer_cast<TSample>(CreateChildObject(s, "sample", 1));
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->GetName(), "two");
  EXPECT_EQ(typed->speed, 12);
  EXPECT_FALSE(CreateChildObject(s, "sample", 0));  // no "type"
  EXPECT_FALSE(CreateChildObject(s, "other", 0));   // unknown class

  StorageRootRef doc = CreateStorage("r");
  auto quiet = Sample("q", 1, "l");
  quiet->SetStored(false);
  EXPECT_TRUE(SaveChildObject(quiet, doc->GetRoot(), ""));
  EXPECT_EQ(doc->SaveToString(), "<r/>");
  EXPECT_TRUE(SaveChildObject(Sample("s", 1, "l"), doc->GetRoot(), "item"));
  EXPECT_EQ(doc->GetRoot()->GetChildCount("item"), 1);
  EXPECT_FALSE(SaveChildObject(std::make_shared<TNamedObject>(), doc->GetRoot(), "x"));
  SaveObject(Sample("direct", 2, "d"), doc->GetRoot());
  EXPECT_EQ(ReadString(doc->GetRoot(), "name"), "direct");
}

}  // namespace
}  // namespace kestrelle
