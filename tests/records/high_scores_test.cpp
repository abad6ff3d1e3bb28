#include "records/high_scores.h"

#include <map>

#include "records/record_files.h"
#include "records_fixture.h"

namespace kestrelle::testing {
namespace {

namespace rf = record_files;

constexpr const char* kStructure = "record_structure={param=Score\\param=Player}";

std::string TableDecl(const std::string& name, const std::string& max, const std::string& structure = kStructure) {
  std::string decl = "\\record_table={name=" + name;
  if (!max.empty()) decl += "\\max_records=" + max;
  return decl + "\\" + structure + "}";
}

ParamsRef Score(const std::string& score, const std::string& player = "") {
  auto params = CreateParams();
  params->SetValue("Score", score);
  params->SetValue("Player", player);
  return params;
}

// "Score:Player" of every record, in table order.
std::vector<std::string> Rows(IRecordTable& table) {
  std::vector<std::string> rows;
  auto records = table.GetRecords();
  for (int i = 0; i < records->GetCount(); ++i) {
    auto params = records->Get(i)->GetParams();
    rows.push_back(params->GetValue("Score", "").ToString() + ":" + params->GetValue("Player", "").ToString());
  }
  return rows;
}

// The language pass as the language table does it: "%%" -> "%", "%key%" -> its string (empty when
// unknown), a lone "%" stays.
std::string FakeTranslate(const std::string& text) {
  static const std::map<std::string, std::string> strings = {{"default_player", "Kim"}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t open = text.find('%', i);
    if (open == std::string::npos) return out + text.substr(i);
    out += text.substr(i, open - i);
    size_t close = text.find('%', open + 1);
    if (close == std::string::npos) return out + text.substr(open);
    if (close == open + 1) {
      out += '%';
    } else {
      auto found = strings.find(text.substr(open + 1, close - open - 1));
      if (found != strings.end()) out += found->second;
    }
    i = close + 1;
  }
  return out;
}

class HighScores : public RecordsTest {
 protected:
  std::string Key() const { return std::string(rf::kHighScoresKey); }
  void PutXml(const std::string& path, const std::string& xml) { Put(path, EncipherPlayerText(xml, Key())); }
  // A table of three holding 500, 300 and 200 (by Ann, Bob and Cy), LastIndex reset.
  std::shared_ptr<THighScores> Podium(const std::string& structure = kStructure) {
    auto scores = Create<THighScores>(TableDecl("t", "3", structure));
    for (auto [score, player] : {std::pair{"500", "Ann"}, {"300", "Bob"}, {"200", "Cy"}})
      EXPECT_TRUE(scores->AddScore(Score(score, player), "t", nullptr));
    scores->ResetLastIndices();
    return scores;
  }
  IRecordTable& T(THighScores& scores, const std::string& name = "t") { return *scores.GetTables()->Get(name); }
};

TEST_F(HighScores, ProductTablesAreDeclared) {
  auto scores = CreateHighScores();
  auto tables = scores->GetTables();
  const char* names[] = {
      "north_america", "australia",     "south_america",        "europe",        "asia",
      "africa",        "arctica",       "online_north_america", "online_asia",   "online_south_america",
      "online_europe", "online_africa", "online_australia",     "online_arctica"};
  ASSERT_EQ(tables->GetCount(), 14);
  for (int i = 0; i < 14; ++i) {
    auto table = std::dynamic_pointer_cast<TRecordTable>(tables->Get(i));
    EXPECT_EQ(table->GetName(), names[i]);
    EXPECT_EQ(table->GetMaxRecords(), i < 7 ? 3 : 10) << names[i];
    EXPECT_EQ(table->GetRecordStructure(), "param=Score\\param=Player");
  }
}

TEST_F(HighScores, AddScoreToAFullTable) {
  struct Case {
    std::string score;
    bool enters;
    std::vector<std::string> rows;
    int lastIndex;
  };
  const Case cases[] = {
      {"200", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},  // equal to the lowest: does not enter
      {"250", true, {"500:Ann", "300:Bob", "250:New"}, 2},
      {"600", true, {"600:New", "500:Ann", "300:Bob"}, 0},
      {"300", true, {"500:Ann", "300:Bob", "300:New"}, 2},  // a tie goes after the older record
      {"0", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},
      {"-5", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},
      {"abc", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},
      {"$1F4", true, {"500:Ann", "$1F4:New", "300:Bob"}, 1},  // 500 in hexadecimal, after the older 500
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    auto scores = Podium();
    RecordRef added;
    EXPECT_EQ(scores->AddScore(Score(c.score, "New"), "t", &added), c.enters);
    EXPECT_EQ(Rows(T(*scores)), c.rows);
    EXPECT_EQ(T(*scores).GetLastIndex(), c.lastIndex);
    if (c.enters) {
      EXPECT_EQ(T(*scores).GetRecords()->Get(c.lastIndex), added);
    }
  }
}

TEST_F(HighScores, TiesKeepTheOlderRecordsFirst) {
  auto scores = Create<THighScores>(TableDecl("t", "10"));
  for (auto [score, player] : {std::pair{"100", "A"}, {"200", "B"}, {"100", "C"}, {"200", "D"}, {"150", "E"}})
    ASSERT_TRUE(scores->AddScore(Score(score, player), "t", nullptr));
  EXPECT_EQ(Rows(T(*scores)), (std::vector<std::string>{"200:B", "200:D", "150:E", "100:A", "100:C"}));
  EXPECT_EQ(T(*scores).GetLastIndex(), 2);
}

TEST_F(HighScores, TablesWithoutRoom) {
  struct Case {
    std::string max;
    int expectedMax;
  };
  for (const Case& c : {Case{"", 0}, Case{"0", 0}, Case{"many", 10}, Case{"2", 2}}) {
    SCOPED_TRACE("max_records=" + c.max);
    auto scores = Create<THighScores>(TableDecl("t", c.max));
    auto& table = dynamic_cast<TRecordTable&>(T(*scores));
    EXPECT_EQ(table.GetMaxRecords(), c.expectedMax);
    EXPECT_EQ(table.IsHighScore(100), c.expectedMax > 0) << "an empty table with no room takes nothing";
    EXPECT_EQ(scores->AddScore(Score("100"), "t", nullptr), c.expectedMax > 0);
  }
  EXPECT_FALSE(Create<THighScores>(TableDecl("t", "3"))->AddScore(Score("100"), "other", nullptr));
}

TEST_F(HighScores, SubmitScoreReplacesThePlayersRecord) {
  struct Case {
    std::string player, score;
    bool result;
    std::vector<std::string> rows;
    int lastIndex;
  };
  const Case cases[] = {
      {"Bob", "250", false, {"500:Ann", "250:Bob", "200:Cy"}, 1},  // replaced, order unchanged
      {"Ann", "250", true, {"300:Bob", "250:Ann", "200:Cy"}, 1},   // lower score: replaced, re-sorted
      {"Cy", "600", true, {"600:Cy", "500:Ann", "300:Bob"}, 0},
      {"Dee", "250", true, {"500:Ann", "300:Bob", "250:Dee"}, 2},   // a new player is added
      {"Dee", "150", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},  // not a high score
      {"Ann", "150", false, {"500:Ann", "300:Bob", "200:Cy"}, -1},  // not even for a listed player
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.player + " " + c.score);
    auto scores = Podium();
    EXPECT_EQ(scores->SubmitScore(Score(c.score, c.player), "t"), c.result);
    EXPECT_EQ(Rows(T(*scores)), c.rows);
    EXPECT_EQ(T(*scores).GetLastIndex(), c.lastIndex);
  }
}

TEST_F(HighScores, ConstantRecordsAreNeverReplacedOrCounted) {
  const std::string structure = "record_structure={param=Score\\param=Player\\param=Const}";
  PutXml(UserFile("highscores.dat"),
         "<highscores><recordtables><recordtable name=\"t\"><records>"
         "<record name=\"x\"><params><param name=\"Score\">500</param><param name=\"Player\">Ann</param>"
         "<param name=\"Const\">yes</param></params></record>"
         "</records></recordtable></recordtables></highscores>");
  {
    auto scores = Create<THighScores>(TableDecl("t", "5", structure));
    scores->LoadFromFile(false);
    EXPECT_TRUE(scores->SubmitScore(Score("400", "Ann"), "t"));
    EXPECT_EQ(Rows(T(*scores)), (std::vector<std::string>{"500:Ann", "400:Ann"}));
    EXPECT_FALSE(scores->AddPlayerScore(Score("450", "Ann"), "t", nullptr)) << "Ann now has a record of her own";
    EXPECT_TRUE(scores->AddPlayerScore(Score("100", "Bob"), "t", nullptr));
    EXPECT_FALSE(scores->AddPlayerScore(Score("900", "Bob"), "t", nullptr));
  }
  auto scores = Create<THighScores>(TableDecl("t", "5", structure));
  scores->LoadFromFile(false);
  EXPECT_EQ(Rows(T(*scores)), (std::vector<std::string>{"500:Ann", "400:Ann", "100:Bob"}))
      << "every successful submit and add was saved";
}

TEST_F(HighScores, LoadingSortsTrimsAndIgnoresWhatIsNotDeclared) {
  PutXml(UserFile("highscores.dat"),
         "<highscores><recordtables>"
         "<recordtable name=\"T\"><records>"
         "<record name=\"Record1\"><params><param name=\"Score\">100</param><param name=\"Player\">a</param>"
         "<param name=\"Secret\">s</param></params></record>"
         "<record name=\"Record1\"><params><param name=\"Score\">400</param><param name=\"Player\">b</param>"
         "</params></record>"
         "<record><params><param name=\"Score\">junk</param><param name=\"Player\">c</param></params></record>"
         "<record><params><param name=\"Score\">300</param><param name=\"Player\">d</param></params></record>"
         "<record><params><param name=\"Score\">200</param><param name=\"Player\">%default_player%</param>"
         "</params></record>"
         "</records></recordtable>"
         "<recordtable name=\"undeclared\"><records><record><params><param name=\"Score\">9</param></params>"
         "</record></records></recordtable>"
         "</recordtables></highscores>");
  RecordSettings().Translate = FakeTranslate;
  auto scores = Create<THighScores>(TableDecl("t", "3"));
  scores->LoadFromFile(false);
  EXPECT_EQ(Rows(T(*scores)), (std::vector<std::string>{"400:b", "300:d", "200:Kim"}));
  EXPECT_EQ(T(*scores).GetLastIndex(), -1);
  EXPECT_EQ(scores->GetTables()->GetCount(), 1);
  auto first = T(*scores).GetRecords()->Get(0);
  EXPECT_FALSE(first->GetParams()->GetParam("Secret"));
  EXPECT_NE(first->GetName(), "Record1") << "names in the file are ignored";
  EXPECT_EQ(first->GetName().rfind("Record", 0), 0u);
}

TEST_F(HighScores, PercentSignsInNamesSurviveSaveAndLoad) {
  const std::string names[] = {"100% Ann", "%default_player%", "50%% off", "%", "a%b%c"};
  for (bool withLanguagePass : {true, false}) {
    SCOPED_TRACE(withLanguagePass ? "language pass" : "no language table");
    RecordSettings().Translate =
        withLanguagePass ? std::function<std::string(const std::string&)>(FakeTranslate) : nullptr;
    std::filesystem::remove(UserFile("highscores.dat"));
    std::filesystem::remove(UserFile("highscores.dat.bak"));
    {
      auto scores = Create<THighScores>(TableDecl("t", "10"));
      scores->LoadFromFile(false);
      int score = 100;
      for (const auto& name : names) ASSERT_TRUE(scores->AddScore(Score(std::to_string(score--), name), "t", nullptr));
    }
    for (int round = 0; round < 2; ++round) {  // twice: nothing may grow or shrink from load to load
      auto scores = Create<THighScores>(TableDecl("t", "10"));
      scores->LoadFromFile(false);
      auto rows = Rows(T(*scores));
      ASSERT_EQ(rows.size(), 5u);
      for (size_t i = 0; i < 5; ++i) EXPECT_EQ(rows[i], std::to_string(100 - i) + ":" + names[i]);
      ASSERT_TRUE(scores->SaveToFile());
    }
  }
}

TEST_F(HighScores, ScoresAreSavedOnlyOnceAttachedToThePlayersFile) {
  PutXml(AppDir() + "highscores.dat",
         "<highscores><recordtables><recordtable name=\"t\"><records><record><params>"
         "<param name=\"Score\">50</param><param name=\"Player\">%default_player%</param>"
         "</params></record></records></recordtable></recordtables></highscores>");
  RecordSettings().Translate = FakeTranslate;

  auto early = Create<THighScores>(TableDecl("t", "3"));
  EXPECT_TRUE(early->AddScore(Score("70", "Early"), "t", nullptr));
  EXPECT_FALSE(FileExists(UserFile("highscores.dat"))) << "not written before the file was read";

  auto defaults = Create<THighScores>(TableDecl("t", "3"));
  defaults->LoadFromFile(true);
  EXPECT_EQ(Rows(T(*defaults)), std::vector<std::string>{"50:Kim"});
  EXPECT_TRUE(defaults->AddScore(Score("60", "X"), "t", nullptr));
  EXPECT_FALSE(FileExists(UserFile("highscores.dat"))) << "program-folder scores are not written over the player's";

  auto scores = Create<THighScores>(TableDecl("t", "3"));
  scores->LoadFromFile(false);  // no user file yet: the program folder's
  EXPECT_EQ(Rows(T(*scores)), std::vector<std::string>{"50:Kim"});
  EXPECT_TRUE(scores->AddScore(Score("90", "Zed"), "t", nullptr));
  auto reloaded = Create<THighScores>(TableDecl("t", "3"));
  reloaded->LoadFromFile(false);
  EXPECT_EQ(Rows(T(*reloaded)), (std::vector<std::string>{"90:Zed", "50:Kim"}));

  reloaded->ClearAll();
  EXPECT_EQ(T(*reloaded).GetRecords()->GetCount(), 0);
  EXPECT_EQ(T(*reloaded).GetLastIndex(), -1);
}

}  // namespace
}  // namespace kestrelle::testing
