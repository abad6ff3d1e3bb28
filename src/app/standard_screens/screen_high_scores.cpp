#include "app/standard_screens/screen_high_scores.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/number_format.h"
#include "data/numbers.h"

namespace kestrelle {

const TPropertyTable& TGameScreenHighScores::GetPropertyTable() const {
  static const TPropertyTable table(TGameScreen::GetPropertyTable(),
                                    {
                                        Property("record_table", &TGameScreenHighScores::tableName_),
                                    });
  return table;
}

RecordTableRef TGameScreenHighScores::Table() const {
  GameScreenOwnerRef owner = GetOwner();
  HighScoresRef scores = owner ? owner->GetHighScores() : nullptr;
  RecordTablesRef tables = scores ? scores->GetTables() : nullptr;
  if (!tables) return nullptr;
  return tables->Get(tableName_.empty() ? Variant(0) : Variant(tableName_));
}

void TGameScreenHighScores::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  RecordTableRef table = Table();
  const bool scored = screens::HasParam(params, "Score");
  if (table) {
    // Adding keeps the file up to date and makes the new record the highlighted one.
    if (!scored || !table->AddScore(params, nullptr)) table->ResetLastIndex();
  }
  if (WidgetRef grid = FindWidget("score_grid")) grid->SetProperty("recordtable", Variant(InterfaceRef(table)));
  if (WidgetRef yours = FindWidget("your_score")) yours->SetVisible(scored);
  if (WidgetRef value = FindWidget("your_score/value"); value && scored) {
    // Written like the table writes its scores.
    const std::string score = screens::ParamValue(params, "Score").ToString();
    int64_t number = 0;
    value->SetProperty("text_utf8", Variant(ParseIntOrHex(score, number) ? FormatThousands(number) : score));
  }
}

void TGameScreenHighScores::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked || screens::WidgetName(sender) != "button_close") return;
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
