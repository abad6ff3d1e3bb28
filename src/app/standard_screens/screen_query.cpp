#include "app/standard_screens/screen_query.h"

#include "app/standard_screens/screen_helpers.h"

namespace kestrelle {

void TGameScreenQueryDialog::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  if (!params) return;
  for (int i = 0; i < params->GetCount(); ++i) {
    ParamRef param = params->GetParam(Variant(i));
    if (!param) continue;
    if (WidgetRef widget = FindWidget(param->GetName())) {
      try {
        widget->SetProperty("text_utf8", Variant(param->GetValue().ToString()));
      } catch (...) {
      }
    }
  }
}

void TGameScreenQueryDialog::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked) return;
  if (GameScreenOwnerRef owner = GetOwner())
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("Button", screens::WidgetName(sender)));
}

void TGameScreenQueryDeleteProfile::OnShowing(const ParamsRef& params) {
  TGameScreenQueryDialog::OnShowing(params);
  WidgetRef label = FindWidget("label_user_profile_name");
  if (!label) return;
  label->SetProperty("text", Variant(std::string()));
  if (!screens::HasParam(params, "user_name")) return;
  try {
    label->SetProperty("text_utf8", Variant(screens::ParamValue(params, "user_name").ToString()));
  } catch (...) {
  }
}

}  // namespace kestrelle
