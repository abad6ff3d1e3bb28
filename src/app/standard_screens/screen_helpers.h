#pragma once
// Small helpers shared by the standard screens.

#include <string>

#include "app/game_screen.h"
#include "data/params.h"

namespace kestrelle::screens {

// Event codes of the controls a screen reacts to.
inline constexpr int32_t kEventClicked = 1;
inline constexpr int32_t kEventCheckBoxToggled = 2;
inline constexpr int32_t kEventTrackBarMoved = 3;
inline constexpr int32_t kEventEditCharacter = 4;
inline constexpr int32_t kEventListSelected = 5;
inline constexpr int32_t kEventListDoubleClick = 6;
inline constexpr int32_t kEventSequenceEnded = 10;

inline constexpr uintptr_t kKeyReturn = 13;
inline constexpr uintptr_t kKeyEscape = 27;
inline constexpr uint32_t kMessageKeyDown = 0x0100;

// The parameter's value, or Empty when the collection does not hold it (or reading it fails).
Variant ParamValue(const ParamsRef& params, const std::string& name);
bool HasParam(const ParamsRef& params, const std::string& name);
// A new result collection holding one value.
ParamsRef OneParam(const std::string& name, const Variant& value);
// "yes" when the check box is checked, else "no".
std::string CheckBoxText(const WidgetRef& checkBox);
// The widget's name, empty without a widget.
std::string WidgetName(const WidgetRef& widget);
// Shows (visible and running) or hides (invisible and paused) a widget; nothing without one.
void ShowWidget(const WidgetRef& widget, bool show);

}  // namespace kestrelle::screens
