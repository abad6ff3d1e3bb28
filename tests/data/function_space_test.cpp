#include <gtest/gtest.h>

#include <cmath>

#include "data/function_complex.h"
#include "data/function_eval.h"
#include "data/param_space.h"
#include "function_test_support.h"

namespace kestrelle {
namespace {

using testing_functions::EnsureDataClasses;
using testing_functions::LoadFunction;
using testing_functions::MakeStaticFunction;

TEST(ParamDefs, LoadingRules) {
  auto storage = LoadStorageFromString(R"(
<paramdefs>
  <paramdef name="a" col="1" row="0" static="yes" value="2.5"/>
  <paramdef name="a_again" col="1" row="0" static="yes" value="7"/>
  <paramdef name="linked_by_name" col="1"/>
  <paramdef name="linked_by_position" col="1" outcol="2"/>
  <paramdef name="explicit_name" col="1" outname="t" outrow="4" outcol="4"/>
  <paramdef name="out" col="0"/>
  <paramdef name="far" col="5000"/>
</paramdefs>)");
  ASSERT_TRUE(storage);
  auto defs = Create<TParamDefCollection>();
  defs->LoadFromStorage(storage);

  // Two elements for one position load into one definition.
  EXPECT_EQ(defs->GetCount(), 5);
  ParamDefRef a = defs->GetAt(1, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetName(), "a_again");
  EXPECT_FLOAT_EQ(a->GetValue(), 7);

  // Rows are appended; a definition without a position links to the owner's slot of its name.
  ParamDefRef byName = defs->GetAt(1, 1);
  ASSERT_TRUE(byName);
  EXPECT_EQ(byName->GetOutName(), "linked_by_name");
  EXPECT_EQ(byName->GetOutRow(), 0);
  EXPECT_EQ(byName->GetOutCol(), 0);
  ParamDefRef byPosition = defs->GetAt(1, 2);
  EXPECT_EQ(byPosition->GetOutName(), "");
  EXPECT_EQ(byPosition->GetOutCol(), 2);
  EXPECT_EQ(byPosition->GetOutRow(), 0);
  ParamDefRef named = defs->GetByName("explicit_name");
  EXPECT_EQ(named->GetOutName(), "t");
  EXPECT_EQ(named->GetOutCol(), 0);  // an out name wins over a position

  EXPECT_EQ(defs->VectorCount(), 2);  // the far definition is refused
  EXPECT_EQ(defs->VectorLength(1), 4);
  EXPECT_EQ(defs->VectorLength(0), 1);
  EXPECT_EQ(defs->VectorLength(9), 0);

  // Saving writes col, static, value (static only) and outname (when set).
  auto root = CreateStorage("paramdefs");
  defs->SaveToStorage(root->GetRoot());
  std::string xml = root->SaveToString();
  EXPECT_NE(xml.find(R"(name="a_again" col="1" static="yes" value="7")"), std::string::npos) << xml;
  EXPECT_NE(xml.find(R"(name="linked_by_name" col="1" static="no" outname="linked_by_name")"), std::string::npos)
      << xml;
}

TEST(ParamSpace, LinksBoundsAndPrivateMatrices) {
  auto owner = Create<TParamSpace>();
  owner->AddParamDef("t", 0, 0, true, "", 3);
  owner->AddParamDef("u", 0, 1, true, "", 4);
  owner->SetSource(nullptr);

  auto child = Create<TParamSpace>();
  child->AddParamDef("mine", 0, 0, true, "", 1);
  child->AddParamDef("byname", 0, 1, false, "u", 0);
  auto byPosition = Create<TParamDef>();
  byPosition->SetName("byposition");
  byPosition->SetCol(1);
  byPosition->SetOutCol(0);
  byPosition->SetOutRow(0);
  child->GetParamDefs()->Add(byPosition);
  child->AddParamDef("dangling", 1, 1, false, "nothing", 0);
  child->SetSource(owner);

  EXPECT_FLOAT_EQ(child->GetValue(0, 1), 4);
  EXPECT_FLOAT_EQ(child->GetValueByName("byposition"), 3);
  child->SetValueByName("byname", 40);
  EXPECT_FLOAT_EQ(owner->GetValue(0, 1), 40);

  // Missing slots read 0 and ignore writes.
  EXPECT_EQ(child->GetValueByName("dangling"), 0);
  child->SetValueByName("dangling", 5);
  EXPECT_EQ(child->GetValue(7, 0), 0);
  child->SetValue(7, 0, 1);
  child->SetValue(0, -1, 1);
  EXPECT_EQ(child->GetValueByName("nobody"), 0);
  child->SetValueByName("nobody", 1);
  EXPECT_EQ(child->GetSlotRefByName("nobody"), nullptr);

  // A private matrix copies the static floats and keeps the links.
  SlotMatrix priv = child->CreatePrivateMatrix();
  *priv[0][0] = 100;
  *priv[0][1] = 41;
  EXPECT_FLOAT_EQ(child->GetValue(0, 0), 1);
  EXPECT_FLOAT_EQ(owner->GetValue(0, 1), 41);
  child->FreePrivateMatrix(priv);
  EXPECT_TRUE(priv.empty());

  // A linked float outlives its owner's unlinking.
  FloatSlot linked = child->GetSlotRef(0, 1);
  owner->Unlink();
  EXPECT_FLOAT_EQ(*linked, 41);
  EXPECT_EQ(owner->VectorCount(), 0);
}

// A complex function whose sub-functions work on its slots: sum := t + 1, then an eval line
// doubles the sum into "out", then a preparation function sets t before everything.
const char* kChainXml = R"(
<function name="chain" type="function_complex">
  <paramspace><paramdefs>
    <paramdef name="out" col="0" static="yes"/>
    <paramdef name="t" col="1" static="yes"/>
    <paramdef name="sum" col="2" static="yes"/>
  </paramdefs></paramspace>
  <preparation_function type="function_complex">
    <paramspace><paramdefs><paramdef name="t" col="1"/><paramdef name="prepared" col="2" static="yes"/></paramdefs></paramspace>
    <functions>
      <function name="before" type="function_eval">
        <paramspace><paramdefs><paramdef name="t" col="1"/></paramdefs></paramspace>
        <expression>t := 5</expression>
      </function>
    </functions>
  </preparation_function>
  <functions>
    <function name="add" type="function_sum">
      <paramspace><paramdefs>
        <paramdef name="sum" col="0"/>
        <paramdef name="t" col="1"/>
        <paramdef name="one" col="1" static="yes" value="1"/>
      </paramdefs></paramspace>
    </function>
    <function name="double" type="function_eval">
      <paramspace><paramdefs>
        <paramdef name="out" col="0"/>
        <paramdef name="sum" col="1"/>
      </paramdefs></paramspace>
      <expression>// twice the sum
out := sum * 2</expression>
    </function>
  </functions>
</function>)";

TEST(FunctionChain, SubFunctionsShareTheOwnersSlots) {
  FunctionRef chain = LoadFunction(kChainXml);
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->GetName(), "chain");
  ASSERT_TRUE(chain->GetSubFunctions());
  EXPECT_EQ(chain->GetSubFunctions()->GetCount(), 2);
  chain->SetOwner(nullptr);

  chain->SetValue("t", 2);
  chain->Calculate();
  EXPECT_FLOAT_EQ(chain->GetValue("sum"), 3);
  EXPECT_FLOAT_EQ(chain->GetOutput(0), 6);

  chain->SetInput(0, 10);
  chain->Calculate();
  EXPECT_FLOAT_EQ(chain->GetValue("out"), 22);

  // Execute runs the "before" function of the preparation function first.
  chain->Execute();
  EXPECT_FLOAT_EQ(chain->GetValue("t"), 5);
  chain->Calculate();
  EXPECT_FLOAT_EQ(chain->GetOutput(0), 12);

  EXPECT_EQ(chain->GetSlotName(1, 0), "t");
  auto add = chain->GetSubFunctions()->GetByName("add");
  EXPECT_EQ(add->GetSlotOutName(1, 0), "t");
  EXPECT_EQ(add->GetSlotOutName(1, 1), "one");
  EXPECT_EQ(add->GetInputCount(), 2);
  chain->Unlink();
  EXPECT_EQ(chain->GetOutputCount(), 0);
  EXPECT_EQ(chain->GetOutput(0), 0);
}

TEST(FunctionChain, SavedFunctionLoadsBackTheSame) {
  FunctionRef chain = LoadFunction(kChainXml);
  auto root = CreateStorage("function");
  std::dynamic_pointer_cast<IPersistent>(chain)->SaveToStorage(root->GetRoot());
  FunctionRef copy = LoadFunction(root->SaveToString());
  ASSERT_TRUE(copy);
  copy->SetOwner(nullptr);
  copy->SetValue("t", 2);
  copy->Calculate();
  EXPECT_FLOAT_EQ(copy->GetOutput(0), 6);
}

TEST(FunctionEval, SwitchesOffOnErrors) {
  EnsureDataClasses();
  auto eval = std::dynamic_pointer_cast<TEvalFunction>(CreateObjectFromString("function_eval"));
  ASSERT_TRUE(eval);
  eval->GetParamSpace()->AddParamDef("out", 0, 0, true, "", 0);
  eval->GetParamSpace()->AddParamDef("x", 1, 0, true, "", 2);

  eval->SetExpression("out := 10 div x");
  eval->SetOwner(nullptr);
  EXPECT_TRUE(eval->IsSwitchedOn());
  eval->Calculate();
  EXPECT_FLOAT_EQ(eval->GetOutput(0), 5);
  eval->SetInput(0, 0);
  eval->Calculate();  // integer division by zero: off, the output is kept
  EXPECT_FALSE(eval->IsSwitchedOn());
  EXPECT_EQ(eval->GetLastError(), "Division by zero");
  eval->SetInput(0, 1);
  eval->Calculate();
  EXPECT_FLOAT_EQ(eval->GetOutput(0), 5);
  eval->SetOwner(nullptr);  // linking again switches it on
  eval->SetInput(0, 1);
  eval->Calculate();
  EXPECT_FLOAT_EQ(eval->GetOutput(0), 10);

  eval->SetExpression("out := 1\nout := (2");
  eval->SetOwner(nullptr);
  EXPECT_FALSE(eval->IsSwitchedOn());
  EXPECT_EQ(eval->GetLastError(), "Unequal brackets");
  eval->Calculate();
  EXPECT_FLOAT_EQ(eval->GetOutput(0), 0);
}

TEST(FunctionSelectors, ChooseOneSubFunction) {
  const char* xml = R"(
<function type="%s">
  <paramspace><paramdefs>
    <paramdef name="out" col="0" static="yes"/>
    <paramdef name="input" col="1" static="yes"/>
    <paramdef name="which" col="2" static="yes" value="1.7"/>
  </paramdefs></paramspace>
  <functions>
    <function name="chooser" type="function_eval">
      <paramspace><paramdefs><paramdef name="pick" col="0" static="yes"/><paramdef name="input" col="1"/></paramdefs></paramspace>
      <expression>pick := input</expression>
    </function>
    <function name="one" type="function_eval">
      <paramspace><paramdefs><paramdef name="out" col="0"/></paramdefs></paramspace>
      <expression>out := 100</expression>
    </function>
    <function name="two" type="function_eval">
      <paramspace><paramdefs><paramdef name="out" col="0"/></paramdefs></paramspace>
      <expression>out := 200</expression>
    </function>
  </functions>
</function>)";
  auto load = [&](const char* type) {
    std::string text = xml;
    text.replace(text.find("%s"), 2, type);
    FunctionRef f = LoadFunction(text);
    f->SetOwner(nullptr);
    return f;
  };

  FunctionRef constant = load("function_selector_const");  // trunc(1.7) = 1
  constant->Calculate();
  EXPECT_FLOAT_EQ(constant->GetOutput(0), 100);
  constant->SetValue("which", 9);  // out of range: nothing runs
  constant->SetOutput(0, -1);
  constant->Calculate();
  EXPECT_FLOAT_EQ(constant->GetOutput(0), -1);

  for (const char* type : {"function_selector", "function_selector_func"}) {
    FunctionRef chooser = load(type);
    chooser->SetInput(0, 2.9f);
    chooser->Calculate();
    EXPECT_FLOAT_EQ(chooser->GetOutput(0), 200) << type;
  }
}

TEST(FunctionRegistry, EveryRegisteredNameCreatesAFunction) {
  EnsureDataClasses();
  const char* names[] = {"function_complex",
                         "function_selector",
                         "function_selector_func",
                         "function_selector_const",
                         "function_sin",
                         "function_polinom2",
                         "function_sum",
                         "function_substr",
                         "function_multiply",
                         "function_division",
                         "function_arithmetic",
                         "function_eval",
                         "function_random",
                         "function_int_random",
                         "function_switch",
                         "function_interval",
                         "function_piecewise",
                         "function_linear_segment",
                         "function_montecarlo",
                         "path_segment",
                         "path_segment_accelerate",
                         "path_arc",
                         "path_bezier",
                         "path_composite",
                         "path_arbitrary"};
  for (const char* name : names) {
    FunctionRef function = CreateObjectAs<IFunction>(name);
    ASSERT_TRUE(function) << name;
    // Unlinked functions of every kind calculate without slots and read 0.
    function->SetOwner(nullptr);
    function->Execute();
    function->Calculate();
    EXPECT_EQ(function->GetOutput(0), 0) << name;
    function->Unlink();
  }
}

}  // namespace
}  // namespace kestrelle
