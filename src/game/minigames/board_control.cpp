#include "game/minigames/board_control.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/variant_numbers.h"

namespace kestrelle {

std::string PieceText(const WidgetRef& widget, const std::string& name) {
  if (!widget) return {};
  const Variant value = widget->GetProperty(name);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

int64_t PieceInt(const WidgetRef& widget, const std::string& name) {
  return widget ? IntOf(widget->GetProperty(name)) : 0;
}

double PieceReal(const WidgetRef& widget, const std::string& name) {
  return widget ? RealOf(widget->GetProperty(name)) : 0;
}

WidgetRef TKestrelleBoardMinigameControl::StartMove(const std::string& factory, const std::string& group,
                                                    const std::string& piece, double x, double y,
                                                    const ParamsRef& extra) {
  ParamsRef params = extra ? extra : CreateParams();
  params->SetValue("name", Variant(piece));
  params->SetValue("element_name", Variant("../" + group + "/" + piece));
  params->SetValue("final_x", Variant(x));
  params->SetValue("final_y", Variant(y));
  return StartScenario(factory, params);
}

WidgetRef TKestrelleBoardMinigameControl::MoveReported(const std::string& name, const ParamsRef& params,
                                                       const WidgetRef& pieces) {
  if (WidgetRef group = GetScenarioGroup()) {
    WidgetCollectionRef scenarios = group->GetWidgets();
    if (WidgetRef scenario = scenarios ? scenarios->GetByName(name) : nullptr) scenario->SetDead(true);
    if (scenarios) scenarios->RemoveDead();
  }
  const std::string path = screens::ParamValue(params, "element_name").ToString();
  const std::string piece = path.substr(path.rfind('/') + 1);
  WidgetCollectionRef children = pieces ? pieces->GetWidgets() : nullptr;
  return children && !piece.empty() ? children->GetByName(piece) : nullptr;
}

}  // namespace kestrelle
