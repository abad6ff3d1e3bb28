#include "app/standard_screens/screen_helpers.h"

namespace kestrelle::screens {

Variant ParamValue(const ParamsRef& params, const std::string& name) {
  if (!params) return Variant();
  try {
    ParamRef param = params->GetParam(Variant(name));
    return param ? param->GetValue() : Variant();
  } catch (...) {
    return Variant();
  }
}

bool HasParam(const ParamsRef& params, const std::string& name) {
  if (!params) return false;
  try {
    return params->GetParam(Variant(name)) != nullptr;
  } catch (...) {
    return false;
  }
}

ParamsRef OneParam(const std::string& name, const Variant& value) {
  ParamsRef params = CreateParams();
  params->SetValue(name, value);
  return params;
}

std::string CheckBoxText(const WidgetRef& checkBox) {
  bool checked = false;
  try {
    checked = checkBox && checkBox->GetProperty("CheckBoxState").ToBool(false);
  } catch (...) {
    checked = false;
  }
  return checked ? "yes" : "no";
}

std::string WidgetName(const WidgetRef& widget) { return widget ? widget->GetName() : std::string(); }

void ShowWidget(const WidgetRef& widget, bool show) {
  if (!widget) return;
  widget->SetVisible(show);
  if (show)
    widget->Resume();
  else
    widget->Pause();
}

}  // namespace kestrelle::screens
