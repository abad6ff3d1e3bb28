// Arbitrary text as expression lines: compiling, evaluating with bound and generated variables,
// and a numeric eval function built on the same text.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "data/expr_parser.h"
#include "data/random.h"

using namespace kestrelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  SetRandomSource([](int32_t n) { return n / 3; });

  float t = 0.5f, out = 0.0f;
  TExpressionParser parser;
  parser.DefineVariable("t", &t);
  parser.DefineVariable("out", &out);
  if (parser.AddExpressions(text)) {
    for (int round = 0; round < 2; ++round) {
      try {
        parser.EvaluateAll();
      } catch (const std::exception&) {
      }
      t = -3.0f;
    }
  }
  // Line by line, each line on its own, with the other separators.
  TExpressionParser local;
  local.SetDecimalSeparator(',');
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    try {
      local.Evaluate(local.AddExpression(text.substr(start, end - start)));
    } catch (const std::exception&) {
    }
    start = end + 1;
  }
  return 0;
}
