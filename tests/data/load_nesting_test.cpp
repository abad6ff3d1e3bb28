// Object loading from storage stops nesting at kMaxLoadNesting: a deeper element is skipped, as
// an element of an unknown class is, with a log line naming its file and path, and the rest of
// the document loads.
#include "data/load_nesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "storage_test_support.h"

namespace kestrelle {
namespace {

// A node holds a list of nodes, so each level of the chain is two nested loads (node, list).
class TNestList : public TTypedCreationPersistItemCollection {
 public:
  void Initialize() override {
    TTypedCreationPersistItemCollection::Initialize();
    storageName_ = "nodes";
    itemElementName_ = "node";
  }
  void AddItem(const InterfaceRef& item) override { items_.Add(item, {}, -1, true); }
};

class TNestNode : public TPersistObject {
 public:
  void Initialize() override {
    TPersistObject::Initialize();
    children = Create<TNestList>();
  }
  void LoadProperties(const StorageRef& s) override {
    TPersistObject::LoadProperties(s);
    listLoaded = LoadChildObject(children, s, "nodes", 0);
  }
  std::shared_ptr<TNestList> children;
  bool listLoaded = false;
};

// Nested "node" and "nodes" elements, `loads` deep counting both, opened and closed.
std::string Chain(int loads) {
  std::string open, close;
  for (int i = 0; i < loads; ++i) {
    const bool node = i % 2 == 0;
    open += node ? "<node type=\"nest_node\" name=\"n" + std::to_string(i) + "\">" : "<nodes>";
    close.insert(0, node ? "</node>" : "</nodes>");
  }
  return open + close;
}

// Nested loads that reached the objects of the chain starting at `node`.
int LoadedDepth(std::shared_ptr<TNestNode> node) {
  int depth = 0;
  while (node) {
    ++depth;
    if (!node->listLoaded) break;
    ++depth;
    node = node->children->ItemAs<TNestNode>(Variant(0));
  }
  return depth;
}

class LoadNesting : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ClassRegistry::Instance().IsRegistered("nest_node")) RegisterObjectClass<TNestNode>("nest_node");
  }
  testing_support::ScratchFolder folder;
};

TEST_F(LoadNesting, ChainsUpToTheLimitLoadWholeAndDeeperOnesLoseOnlyWhatLiesPastIt) {
  struct Case {
    int chainLoads;  // nesting of the chain's innermost element, counting the document's root list
    int loaded;      // what loads of it
    bool logged;
  };
  // The root "nodes" list is one load; the chain below it starts at the second.
  for (const Case& c : {Case{kMaxLoadNesting - 1, kMaxLoadNesting, false}, Case{kMaxLoadNesting, kMaxLoadNesting, true},
                        Case{100000, kMaxLoadNesting, true}}) {
    SCOPED_TRACE(c.chainLoads);
    const std::string file = folder.WriteAppFile(
        "deep.xml", "<nodes>" + Chain(c.chainLoads) + "<node type=\"nest_node\" name=\"after\"/></nodes>");
    StorageRef root = LoadStorageFromFile(file);
    ASSERT_TRUE(root);
    auto list = Create<TNestList>();
    ::testing::internal::CaptureStderr();
    list->LoadFromStorage(root);
    const std::string log = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->ItemAs<TNestNode>(Variant(1))->GetName(), "after");
    EXPECT_EQ(1 + LoadedDepth(list->ItemAs<TNestNode>(Variant(0))), c.loaded);
    if (!c.logged) {
      EXPECT_EQ(log, "");
      continue;
    }
    // One line for the one skipped element: the file, the head of its path and its own step.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find(file + ": /nodes/node[name=n0]/nodes/node[name=n2]/...("), std::string::npos) << log;
    const int skipped = kMaxLoadNesting - 1;  // the chain's first element past the limit
    const std::string own = skipped % 2 == 0 ? "/node[name=n" + std::to_string(skipped) + "]" : "/nodes";
    EXPECT_NE(log.find(own + ": objects nest deeper than " + std::to_string(kMaxLoadNesting) +
                       " levels here; element skipped"),
              std::string::npos)
        << log;
  }
}

TEST_F(LoadNesting, AtTheLimitEveryObjectRoutineSkipsItsElement) {
  StorageRef root = LoadStorageFromString(R"(<nodes><node type="nest_node" name="a"/></nodes>)", "routines.xml");
  ASSERT_TRUE(root);
  std::vector<std::unique_ptr<TLoadNestingLevel>> levels;
  for (int i = 0; i < kMaxLoadNesting; ++i) levels.push_back(std::make_unique<TLoadNestingLevel>());
  auto list = Create<TNestList>();
  auto node = Create<TNestNode>();
  ::testing::internal::CaptureStderr();
  list->LoadItems(root);
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_EQ(CreateChildObject(root, "node", 0), nullptr);
  EXPECT_FALSE(LoadChildObject(node, root, "node", 0));
  EXPECT_EQ(CreateAndLoadChild(MakeObject<TNestNode>, root, "node", 0), nullptr);
  node->LoadFromStorage(root->GetChild("node", 0));
  EXPECT_EQ(node->GetName(), "");
  const std::string log = ::testing::internal::GetCapturedStderr();
  const std::string line = "routines.xml: /nodes/node[name=a]: objects nest deeper";
  int lines = 0;
  for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++lines;
  EXPECT_EQ(lines, 5) << log;
  // One level less and the same element loads.
  levels.pop_back();
  EXPECT_TRUE(LoadChildObject(node, root, "node", 0));
  EXPECT_EQ(node->GetName(), "a");
}

}  // namespace
}  // namespace kestrelle
