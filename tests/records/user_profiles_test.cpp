#include "records/user_profiles.h"

#include "records/record_files.h"
#include "records_fixture.h"

namespace kestrelle::testing {
namespace {

namespace rf = record_files;

class UserProfiles : public RecordsTest {
 protected:
  std::shared_ptr<TUserProfileCollection> Fresh() { return Create<TUserProfileCollection>(); }
  std::shared_ptr<TUserProfileCollection> Reloaded() {
    auto profiles = Fresh();
    profiles->LoadFromFile();
    return profiles;
  }
  std::string UsersXml() { return Plain(UserFile("users.dat"), std::string(rf::kUsersKey)); }
  void PutUsersXml(const std::string& xml) {
    Put(UserFile("users.dat"), EncipherPlayerText(xml, std::string(rf::kUsersKey)));
  }
  static std::vector<std::string> Names(const IUserProfileCollection& profiles) {
    std::vector<std::string> names;
    for (int i = 0; i < profiles.GetCount(); ++i) names.push_back(profiles.GetProfile(i)->GetName());
    return names;
  }
};

TEST_F(UserProfiles, NamesAreCaseInsensitiveKeysAndCrcTwinsStayApart) {
  struct Case {
    std::vector<std::string> created;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"Ann", "ANN", "ann"}, {"Ann"}},
      {{"Ann", "Bob"}, {"Ann", "Bob"}},
      // Their upper-cased keys share a CRC-32; identity is decided by the text.
      {{"PLUMLESS", "BUCKEROO"}, {"PLUMLESS", "BUCKEROO"}},
      {{"Zoë", "ZOË"}, {"Zoë", "ZOË"}},  // only ASCII letters fold
  };
  for (const Case& c : cases) {
    auto profiles = Fresh();
    for (const auto& name : c.created) profiles->GetOrCreate(name);
    EXPECT_EQ(Names(*profiles), c.expected);
    ASSERT_TRUE(profiles->SaveToFile());
    EXPECT_EQ(Names(*Reloaded()), c.expected) << "after a save and load";
  }
}

TEST_F(UserProfiles, RenameRules) {
  struct Case {
    std::string from, to;
    bool renamed;
    std::vector<std::string> names;  // afterwards, in list order
  };
  const Case cases[] = {
      {"Bob", "Robert", true, {"Ann", "Robert", "Cy"}},
      {"bob", "BOB", true, {"Ann", "BOB", "Cy"}},   // a change of letter case only
      {"Bob", "ann", false, {"Ann", "Bob", "Cy"}},  // taken: the two would merge when read back
      {"Bob", "", false, {"Ann", "Bob", "Cy"}},
      {"Dan", "Dave", false, {"Ann", "Bob", "Cy"}},  // no such profile
      {"Cy", "Cyril", true, {"Ann", "Bob", "Cyril"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from + " -> " + c.to);
    auto profiles = Fresh();
    for (const char* name : {"Ann", "Bob", "Cy"}) profiles->GetOrCreate(name);
    auto bob = profiles->GetProfile("Bob");
    bob->GetParams()->SetValue("total_money", "120");
    profiles->SetCurrent("Bob");

    EXPECT_EQ(profiles->Rename(c.from, c.to), c.renamed);
    EXPECT_EQ(Names(*profiles), c.names);
    EXPECT_EQ(profiles->GetCurrent(), bob) << "the current profile stays current under its new name";
    EXPECT_EQ(profiles->GetProfile(bob->GetName()), bob) << "found by its new name";
    ASSERT_TRUE(profiles->SaveToFile());
    auto reloaded = Reloaded();
    EXPECT_EQ(Names(*reloaded), c.names);
    ASSERT_TRUE(reloaded->GetCurrent());
    EXPECT_EQ(reloaded->GetCurrent()->GetName(), bob->GetName());
    EXPECT_EQ(reloaded->GetCurrent()->GetParams()->GetValue("total_money", "").ToString(), "120");
  }
}

TEST_F(UserProfiles, CurrentProfileFollowsSelectionAndDeletion) {
  auto profiles = Fresh();
  for (const char* name : {"Ann", "Bob", "Cy"}) profiles->GetOrCreate(name);

  profiles->SetCurrent("bob");
  ASSERT_TRUE(profiles->GetCurrent());
  EXPECT_EQ(profiles->GetCurrent()->GetName(), "Bob");
  profiles->SetCurrent("Nobody");
  EXPECT_FALSE(profiles->GetCurrent());

  profiles->SetCurrent("Bob");
  profiles->Delete(Variant("Ann"));  // another profile: the current one stays
  ASSERT_TRUE(profiles->GetCurrent());
  EXPECT_EQ(profiles->GetCurrent()->GetName(), "Bob");
  profiles->Delete(Variant(0));  // Bob, by index
  EXPECT_FALSE(profiles->GetCurrent());
  EXPECT_EQ(Names(*profiles), std::vector<std::string>{"Cy"});

  ASSERT_TRUE(profiles->SaveToFile());
  EXPECT_EQ(UsersXml().find(rf::kUsersCurrentAttribute), std::string::npos);
  EXPECT_FALSE(Reloaded()->GetCurrent());
}

TEST_F(UserProfiles, ProgressValuesAndDataStorageSurviveSaveAndLoad) {
  const std::pair<std::string, std::string> values[] = {
      {"current_level", "12"},
      {"total_money", "1234567"},
      {"note", "<b>\"Tom\" & 'Jerry'</b>"},
      {"percent", "100% %sure% 50%%"},  // profile values get no language pass
      {"utf8", "Zoë ☃"},
      {"empty", ""},
  };
  {
    auto profiles = Fresh();
    auto ann = profiles->GetOrCreate("Ann");
    for (const auto& [name, value] : values) ann->GetParams()->SetValue(name, value);
    ann->SetDataStorage("free text <with> markup & more");
    profiles->GetOrCreate("Bob");  // no data storage
    profiles->SetCurrent("Ann");
    ASSERT_TRUE(profiles->SaveToFile());
  }
  std::string xml = UsersXml();
  EXPECT_EQ(xml.find("<userprofiles"), 0u) << xml;
  size_t first = xml.find("<datastorage");
  EXPECT_NE(first, std::string::npos) << xml;
  EXPECT_EQ(xml.find("<datastorage", first + 1), std::string::npos) << "only Ann has a datastorage element";
  EXPECT_EQ(xml.find("type="), std::string::npos) << xml;

  auto profiles = Reloaded();
  ASSERT_EQ(profiles->GetCount(), 2);
  ASSERT_TRUE(profiles->GetCurrent());
  EXPECT_EQ(profiles->GetCurrent()->GetName(), "Ann");
  auto ann = profiles->GetProfile("Ann");
  for (const auto& [name, value] : values) EXPECT_EQ(ann->GetParams()->GetValue(name, "?").ToString(), value) << name;
  EXPECT_EQ(ann->GetDataStorage(), "free text <with> markup & more");
  EXPECT_EQ(profiles->GetProfile("Bob")->GetDataStorage(), "");
}

TEST_F(UserProfiles, LoadMergesElementsOfOneNameAndIgnoresUnknownCurrent) {
  PutUsersXml(
      "<userprofiles current_user_profile_name=\"Nobody\">"
      "<userprofile name=\"Ann\"><params><param name=\"a\" value=\"1\"/><param name=\"b\" value=\"2\"/></params>"
      "</userprofile>"
      "<userprofile name=\"ANN\"><params><param name=\"b\" value=\"3\"/></params></userprofile>"
      "</userprofiles>");
  auto profiles = Reloaded();
  ASSERT_EQ(profiles->GetCount(), 1);
  auto ann = profiles->GetProfile("ann");
  EXPECT_EQ(ann->GetParams()->GetValue("a", "").ToString(), "1");
  EXPECT_EQ(ann->GetParams()->GetValue("b", "").ToString(), "3");
  EXPECT_FALSE(profiles->GetCurrent());
}

TEST_F(UserProfiles, MissingFileGivesNoProfiles) {
  auto profiles = Reloaded();
  EXPECT_EQ(profiles->GetCount(), 0);
  EXPECT_FALSE(profiles->GetCurrent());
  EXPECT_TRUE(UserFilesStartingWith("users.dat").empty()) << "loading writes nothing";
}

}  // namespace
}  // namespace kestrelle::testing
