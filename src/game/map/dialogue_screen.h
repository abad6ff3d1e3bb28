#pragma once
// "KestrelleGameScreenDialogue" ("GS_Dialogue", shown with "dialog_id"): a conversation of the
// published "dialog_defs". The persons stand in "persons" in front of the backdrop in
// "shop_back"; each line appears in its speaker's bubble ("line_left" or "line_right") with the
// buttons its type allows, while the other persons pause. "button_close" ends it.

#include <memory>
#include <string>

#include "app/game_screen.h"
#include "game/content/dialog_defs.h"

namespace kestrelle {

class TKestrelleGameScreenDialogue : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"persons", "line_left", "line_right"};

  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  std::shared_ptr<TLineDef> GetCurrentLine() const { return currentLine_; }

 private:
  void BuildBackdrop();
  void PlacePersons();
  // Nothing without a line.
  void ShowLine(const std::shared_ptr<TLineDef>& line);
  // The bubble whose "pers" names that person; none when neither does.
  WidgetRef BubbleOf(const std::string& person);

  WidgetRef persons_;
  WidgetRef lineLeft_;
  WidgetRef lineRight_;
  std::shared_ptr<TDialogDef> dialogue_;
  std::shared_ptr<TLineDef> currentLine_;
  int lineCounter_ = 0;
};

}  // namespace kestrelle
