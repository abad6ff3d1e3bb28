#include "records/level_records.h"

#include "records/record_files.h"
#include "records_fixture.h"

namespace kestrelle::testing {
namespace {

namespace rf = record_files;

class LevelRecords : public RecordsTest {
 protected:
  static constexpr const char* kTwoTables = "\\level_record_table={name=arcade}\\level_record_table={name=relax}";
  std::string Key() const { return std::string(rf::kLevelRecordsKey); }
  std::shared_ptr<TLevelRecords> Loaded(const std::string& creation) {
    auto records = Create<TLevelRecords>(creation);
    records->LoadFromFile();
    return records;
  }
};

TEST_F(LevelRecords, RecordValuesAndNumbers) {
  auto records = Create<TLevelRecords>(kTwoTables);
  auto values = CreateParams("best_time=5100\\score=x\\=ignored");
  auto record = records->GetOrCreateRecord("ARCADE", 3, values);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->GetName(), "3");
  EXPECT_EQ(record->GetLevelNumber(), 3);
  EXPECT_EQ(records->GetOrCreateRecord("arcade", 3, nullptr), record) << "one record per level";
  EXPECT_EQ(records->GetTables()->GetTable("arcade")->GetRecords()->GetCount(), 1);
  EXPECT_FALSE(records->GetOrCreateRecord("undeclared", 3, values));
  EXPECT_FALSE(records->GetTables()->GetTable("relax")->GetRecord(3));

  struct IntCase {
    const char* name;
    int64_t fallback;
    bool create;
    int64_t expected;
    bool existsAfter;
  };
  const IntCase ints[] = {
      {"best_time", -1, false, 5100, true},
      {"score", 7, false, 7, true},  // 'x' is no integer
      {"missing", 9, false, 9, false},
      {"created", 4, true, 4, true},
  };
  for (const auto& c : ints) {
    EXPECT_EQ(record->GetInt(c.name, c.fallback, c.create), c.expected) << c.name;
    EXPECT_EQ(record->GetParams()->GetParam(c.name) != nullptr, c.existsAfter) << c.name;
  }
  EXPECT_EQ(record->GetString("created", "", false), "4");
  EXPECT_EQ(record->GetParams()->GetParam(""), nullptr) << "values without a name are not copied";
  record->SetInt("stars", -2);
  EXPECT_EQ(record->GetString("stars", "", false), "-2");

  auto odd = Create<TLevelRecord>();
  for (const char* name : {"x", "", "3a", "99999999999"}) {
    odd->SetName(name);
    EXPECT_EQ(odd->GetLevelNumber(), -1) << name;
  }
}

TEST_F(LevelRecords, WithoutDeclaredTablesNothingLoadsAndAnEmptyListIsWritten) {
  {
    auto records = Create<TLevelRecords>(kTwoTables);
    records->GetOrCreateRecord("arcade", 1, CreateParams("score=10"));
    ASSERT_TRUE(records->SaveToFile());
  }
  auto product = Loaded(RecordSettings().LevelRecordTables);
  EXPECT_EQ(product->GetTables()->GetCount(), 0);
  ASSERT_TRUE(product->SaveToFile());
  std::string xml = Plain(UserFile("records.dat"), Key());
  EXPECT_NE(xml.find("<highscores"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<levelrecordtables"), std::string::npos) << xml;
  EXPECT_EQ(xml.find("levelrecordtable "), std::string::npos) << xml;
}

TEST_F(LevelRecords, DeclaredTablesRoundTripAndEveryAddIsSaved) {
  {
    auto records = Loaded(kTwoTables);  // no file yet
    records->GetOrCreateRecord("arcade", 3, CreateParams("best_time=5100"));
    records->GetOrCreateRecord("relax", 12, CreateParams("stars=3"));
    // No explicit save: each add was written.
  }
  auto records = Loaded("\\level_record_table={name=relax}");  // "arcade" no longer declared
  ASSERT_EQ(records->GetTables()->GetCount(), 1);
  auto relax = records->GetTables()->GetTable("relax");
  ASSERT_TRUE(relax->GetRecord(12));
  EXPECT_EQ(relax->GetRecord(12)->GetInt("stars", 0, false), 3);

  auto both = Loaded(kTwoTables);
  EXPECT_EQ(both->GetTables()->GetTable("arcade")->GetRecord(3)->GetInt("best_time", 0, false), 5100);
}

TEST_F(LevelRecords, NotSavedBeforeTheFileWasReadAndProgramFolderCopyIsTheFallback) {
  {
    auto records = Create<TLevelRecords>(kTwoTables);
    records->GetOrCreateRecord("arcade", 1, CreateParams("score=10"));
    ASSERT_TRUE(records->SaveToFile());
  }
  std::string saved = Bytes(UserFile("records.dat"));
  auto early = Create<TLevelRecords>(kTwoTables);
  early->GetOrCreateRecord("arcade", 2, CreateParams("score=20"));
  EXPECT_EQ(Bytes(UserFile("records.dat")), saved) << "an add before loading must not replace the file";

  // The program folder's copy is read when the user has none.
  std::filesystem::rename(UserFile("records.dat"), AppDir() + "records.dat");
  std::filesystem::remove(UserFile("records.dat.bak"));
  auto fallback = Loaded(kTwoTables);
  ASSERT_TRUE(fallback->GetTables()->GetTable("arcade")->GetRecord(1));
}

}  // namespace
}  // namespace kestrelle::testing
