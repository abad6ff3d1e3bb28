#pragma once
// The high-score table ("GameScreenHighScores"): the table named by its "record_table" attribute
// (the first declared table when it names none) drawn by the score grid "score_grid". Shown with
// a "Score" (and the "Player" it belongs to), it first enters that score into the table, which
// keeps it on disk and highlights it; the group "your_score" then shows the score, entered or not,
// in its text "value" (with the thousands separator, as the grid writes scores). Shown without
// one, nothing is highlighted and "your_score" is hidden. "button_close" closes it.

#include <string>

#include "app/game_screen.h"
#include "records/high_scores.h"

namespace kestrelle {

class TGameScreenHighScores : public TGameScreen {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 private:
  RecordTableRef Table() const;

  std::string tableName_;
};

}  // namespace kestrelle
