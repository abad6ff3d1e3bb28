#include "data/expr_parser.h"

#include <limits>

#include "data/expr_token_checks.h"
#include "data/expr_tokenizer.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"

namespace kestrelle {

using namespace expr;

namespace {
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
      lines.emplace_back(text, start, i - start);
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}
}  // namespace

TCustomExpressionParser::TCustomExpressionParser() : internal_(MakeInternalWords()) {}

TCustomExpressionParser::~TCustomExpressionParser() = default;

TExprWord* TCustomExpressionParser::FindWord(const std::string& name) const {
  auto it = words_.find(AsciiLower(name));
  return it == words_.end() ? nullptr : it->second.get();
}

void TCustomExpressionParser::AddWord(std::unique_ptr<TExprWord> word) {
  std::string key = AsciiLower(word->Name());
  word->SetName(key);
  auto it = words_.find(key);
  if (it != words_.end()) {
    ReplaceWord(it->second.get(), word.get());
    it->second = std::move(word);
  } else {
    words_.emplace(key, std::move(word));
  }
}

void TCustomExpressionParser::DefineVariable(const std::string& name, float* address) {
  AddWord(std::make_unique<TFloatTypeVariable>(name, address));
}

void TCustomExpressionParser::DefineStringFunction(const std::string& name, const std::string& description,
                                                   StringRoutine routine) {
  AddWord(std::make_unique<TSimpleStringFunction>(name, description, routine));
}

void TCustomExpressionParser::DefineFunction(const std::string& name, const std::string& description, int argCount,
                                             Routine routine, bool varying) {
  if (varying)
    AddWord(std::make_unique<TVaryingFunction>(name, description, argCount, routine));
  else
    AddWord(std::make_unique<TFunction>(name, description, argCount, routine));
}

void TCustomExpressionParser::ReplaceWord(TExprWord* oldWord, TExprWord* newWord) {
  if (!oldWord || !newWord) return;
  float* oldAddress = oldWord->ValueAddress();
  float* newAddress = newWord->ValueAddress();
  // A value cannot give way to a word without one: compiled expressions read it.
  if (oldWord->ArgCount() != newWord->ArgCount() || (oldAddress && !newAddress))
    ThrowExprError(std::string(kExprPrefix) + "Cannot replace variable/function NFuntionArg doesn't match");
  for (auto& compiled : expressions_) {
    FlatExpression& flat = compiled->flat;
    for (EvalNode& node : flat.nodes) {
      if (node.word == oldWord) {
        node.word = newWord;
        node.routine = newWord->GetRoutine();
      }
      if (oldAddress)
        for (int i = 0; i < node.argCount; ++i)
          if (node.args[i] == oldAddress) node.args[i] = newAddress;
    }
    if (oldAddress && flat.result == oldAddress) flat.result = newAddress;
  }
}

TExprWord* TCustomExpressionParser::WordFor(const std::string& name) {
  if (TExprWord* word = FindWord(name)) return word;
  auto generated = std::make_unique<TGeneratedVariable>(name);
  TExprWord* raw = generated.get();
  words_.emplace(name, std::move(generated));
  return raw;
}

int TCustomExpressionParser::AddExpression(const std::string& text) {
  std::string source = AsciiLower(TrimControl(text));
  if (source.empty()) return -1;
  auto compiled = std::make_unique<Compiled>();
  compiled->text = source;

  TokenizerContext tokenizer;
  tokenizer.decimalSeparator = decimalSeparator_;
  tokenizer.wordFor = [this](const std::string& name) { return WordFor(name); };
  tokenizer.literals = &compiled->owned;
  std::vector<ExprToken> tokens = Tokenize(source, tokenizer);
  if (tokens.empty()) return -1;
  if (tokens.size() > kMaxExprTokens) ThrowExprError(kExprTooComplex);

  RewriteContext rewrite{internal_.unaryMinus.get(), internal_.unaryPlus.get(), internal_.integerPower.get(),
                         &compiled->owned};
  CheckAndRewriteTokens(tokens, rewrite);

  std::unique_ptr<ExprTreeNode> tree = BuildExprTree(tokens, source);
  if (optimize_) FoldConstants(tree, compiled->owned);
  LayOut(*tree, compiled->flat);
  expressions_.push_back(std::move(compiled));
  return ExpressionCount() - 1;
}

bool TCustomExpressionParser::AddExpressions(const std::string& text, std::string* error) {
  try {
    for (const std::string& line : SplitLines(text)) {
      std::string_view trimmed = TrimControl(line);
      if (trimmed.empty() || trimmed.starts_with("//")) continue;
      AddExpression(std::string(trimmed));
    }
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    ClearExpressions();
    return false;
  }
  return true;
}

float TCustomExpressionParser::Evaluate(int index) {
  if (index < 0 || index >= ExpressionCount()) return std::numeric_limits<float>::quiet_NaN();
  FlatExpression& flat = expressions_[static_cast<size_t>(index)]->flat;
  if (!flat.result) return std::numeric_limits<float>::quiet_NaN();
  for (EvalNode& node : flat.nodes) node.result = StoreResult(node.routine(node), node);
  return *flat.result;
}

float TCustomExpressionParser::EvaluateAll() {
  float value = 0.0f;
  for (int i = 0; i < ExpressionCount(); ++i) value = Evaluate(i);
  return value;
}

void TCustomExpressionParser::ClearExpressions() { expressions_.clear(); }

const std::string& TCustomExpressionParser::ExpressionText(int index) const {
  static const std::string kNone;
  return index >= 0 && index < ExpressionCount() ? expressions_[static_cast<size_t>(index)]->text : kNone;
}

void TCustomExpressionParser::RenameSeparator(char oldSeparator) {
  auto it = words_.find(std::string(1, oldSeparator));
  if (it == words_.end() || it->second->Kind() != WordKind::Separator) return;
  std::unique_ptr<TExprWord> comma = std::move(it->second);
  words_.erase(it);
  comma->SetName(std::string(1, argumentSeparator_));
  // A word already under the new name may be read by compiled expressions: keep it alive.
  auto& slot = words_[comma->Name()];
  if (slot) retired_.push_back(std::move(slot));
  slot = std::move(comma);
}

void TCustomExpressionParser::SetDecimalSeparator(char separator) {
  decimalSeparator_ = separator;
  if (separator == argumentSeparator_) {
    char old = argumentSeparator_;
    argumentSeparator_ = separator == ',' ? ';' : ',';
    RenameSeparator(old);
  }
}

void TCustomExpressionParser::SetArgumentSeparator(char separator) {
  char old = argumentSeparator_;
  argumentSeparator_ = separator;
  if (separator == decimalSeparator_) decimalSeparator_ = separator == ',' ? '.' : ',';
  RenameSeparator(old);
}

TExpressionParser::TExpressionParser() {
  for (auto& word : MakeStandardWords()) AddWord(std::move(word));
}

}  // namespace kestrelle
