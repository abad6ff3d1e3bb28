// eval: compiles and evaluates expressions, one per argument or, without arguments, one per line
// of standard input. All lines share one parser, so a variable assigned with ":=" on one line is
// seen by the next. Prints each value (shortest single-precision text), or the error text; blank
// lines and "//" comments print nothing. Exit code 1 when a line failed.
#include <charconv>
#include <cmath>
#include <iostream>
#include <string>

#include "data/expr_parser.h"
#include "data/text_lists.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

namespace {

std::string FormatSingle(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "?";
}

// One line: its value or its error text; false for an error.
bool EvalLine(TExpressionParser& parser, const std::string& line, std::string& out) {
  std::string_view trimmed = TrimControl(line);
  if (trimmed.empty() || trimmed.starts_with("//")) return true;
  try {
    int index = parser.AddExpression(std::string(trimmed));
    out += FormatSingle(parser.Evaluate(index)) + "\n";
    return true;
  } catch (const std::exception& e) {
    out += std::string(e.what()) + "\n";
    return false;
  }
}

}  // namespace

int RunEval(const Args& args) {
  TExpressionParser parser;
  bool ok = true;
  std::string out;
  if (!args.empty()) {
    for (const std::string& arg : args) ok = EvalLine(parser, arg, out) && ok;
    WriteAllOutput(out);
    return ok ? 0 : 1;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    out.clear();
    ok = EvalLine(parser, line, out) && ok;
    if (!WriteAllOutput(out)) return Fail("could not write standard output");
  }
  return ok ? 0 : 1;
}

}  // namespace kestrelle::data_tool
