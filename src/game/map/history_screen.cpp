#include "game/map/history_screen.h"

#include "game/map/widget_lookup.h"

namespace kestrelle {

namespace {

void SetVisible(const WidgetRef& widget, bool visible) {
  if (widget) widget->SetVisible(visible);
}

}  // namespace

void TKestrelleGameScreenHistory::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  // Stopped where they are: pausing a scene does not act on its end.
  for (const WidgetRef& scene : ChildrenOf(FindWidget("scenarios"))) scene->SetPaused(true);
  for (const WidgetRef& text : ChildrenOf(FindWidget("texts"))) text->SetVisible(false);
  for (const WidgetRef& frame : ChildrenOf(FindWidget("frames"))) {
    frame->SetAnchorLeft(frame->GetProperty("init_x").ToDouble(0));
    frame->SetAnchorTop(frame->GetProperty("init_y").ToDouble(0));
  }
  SetVisible(FindWidget("under_00"), true);
  SetVisible(FindWidget("under_01"), false);
  if (WidgetRef black = FindWidget("frame_black")) black->SetTransparentLevel(0);
  SetVisible(FindWidget("button_skip"), true);
  SetVisible(FindWidget("button_next"), false);
  if (WidgetRef first = FindWidget("scenarios/show_00")) first->Restart();
}

}  // namespace kestrelle
