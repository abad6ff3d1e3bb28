#include "game/content/extra_params.h"

#include "data/text_lists.h"

namespace kestrelle {

ParamsRef ParseExtraParams(std::string_view text) {
  if (TrimControl(text).empty()) return nullptr;
  ParamsRef params = CreateParams();
  for (const auto& [key, value] : SplitKeyValues(text)) {
    auto param = Create<TParam>();
    param->SetName(key);
    param->SetValue(value);
    params->AddParam(param);
  }
  return params;
}

namespace {

// Braces keep separators and edge blanks inside a value; a value already in braces gets a pair of
// its own, since reading removes one.
bool NeedsBraces(const std::string& value) {
  if (value.empty()) return false;
  return value.find('\\') != std::string::npos || value.front() == '{' ||
         static_cast<unsigned char>(value.front()) <= ' ' || static_cast<unsigned char>(value.back()) <= ' ';
}

}  // namespace

std::string FormatExtraParams(const ParamsRef& params) {
  std::string text;
  if (!params) return text;
  for (int i = 0; i < params->GetCount(); ++i) {
    ParamRef param = params->GetParam(i);
    if (!param) continue;
    const std::string value = param->GetValue().ToString();
    if (!text.empty()) text += '\\';
    text += param->GetName() + '=' + (NeedsBraces(value) ? '{' + value + '}' : value);
  }
  return text;
}

}  // namespace kestrelle
