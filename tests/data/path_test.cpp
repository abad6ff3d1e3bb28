#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "data/path_base.h"
#include "function_test_support.h"

namespace kestrelle {
namespace {

using testing_functions::EnsureDataClasses;
using testing_functions::LoadFunction;

struct Geometry {
  Geometry(float x0, float y0, float x1, float y1, float steps, std::vector<float> extra = {},
           std::vector<std::vector<float>> vectors = {})
      : x0(x0), y0(y0), x1(x1), y1(y1), steps(steps), extra(std::move(extra)), vectors(std::move(vectors)) {}
  float x0, y0, x1, y1, steps;
  std::vector<float> extra;                 // v[2][6] ...
  std::vector<std::vector<float>> vectors;  // v[3], v[4] ...
};

// A top-level path with every fixed slot static.
PathFunctionRef MakePath(const std::string& type, const Geometry& g, bool loop = false) {
  EnsureDataClasses();
  auto path = CreateObjectAs<IPathFunction>(type);
  if (!path) return nullptr;
  ParamSpaceRef space = path->GetParamSpace();
  space->AddParamDef("x", 0, 0, true, "", 0);
  space->AddParamDef("y", 0, 1, true, "", 0);
  space->AddParamDef("step", 1, 0, true, "", 0);
  const float geometry[] = {g.x0, g.y0, g.x1, g.y1, g.steps, 0};
  for (int s = 0; s < 6; ++s) space->AddParamDef("g" + std::to_string(s), 2, s, true, "", geometry[s]);
  for (size_t s = 0; s < g.extra.size(); ++s)
    space->AddParamDef("g" + std::to_string(s + 6), 2, static_cast<int>(s + 6), true, "", g.extra[s]);
  for (size_t v = 0; v < g.vectors.size(); ++v)
    for (size_t s = 0; s < g.vectors[v].size(); ++s)
      space->AddParamDef("w" + std::to_string(v) + std::to_string(s), static_cast<int>(v + 3), static_cast<int>(s),
                         true, "", g.vectors[v][s]);
  if (loop) std::dynamic_pointer_cast<TAbstractPathFunction>(path)->SetLoop(true);
  path->SetOwner(nullptr);
  path->Execute();
  return path;
}

void ExpectAt(const PathFunctionRef& path, float step, float x, float y, float tolerance = 1e-4f) {
  path->SetStep(step);
  EXPECT_NEAR(path->GetX(), x, tolerance) << "step " << step;
  EXPECT_NEAR(path->GetY(), y, tolerance) << "step " << step;
}

TEST(PathSegment, StepsAndLoop) {
  auto path = MakePath("path_segment", {0, 0, 10, 0, 10});
  ExpectAt(path, 0, 0, 0);
  ExpectAt(path, 5, 5, 0);
  ExpectAt(path, 5.9f, 5, 0);  // steps are truncated
  ExpectAt(path, 10, 10, 0);
  ExpectAt(path, 12, 12, 0);  // without loop the line goes on
  EXPECT_EQ(path->GetStepCount(), 10);

  auto looped = MakePath("path_segment", {0, 0, 10, 0, 10}, true);
  ExpectAt(looped, 12, 2, 0);
  ExpectAt(looped, 10, 0, 0);

  // A step count of 0 counts as 1 rather than dividing by zero.
  auto degenerate = MakePath("path_segment", {0, 0, 10, 0, 0}, true);
  ExpectAt(degenerate, 7, 0, 0);
  auto open = MakePath("path_segment", {0, 0, 10, 0, 0});
  ExpectAt(open, 1, 10, 0);
}

TEST(PathSegment, LengthIsTheRootOfTheRoundedSquare) {
  const struct {
    float x1, y1;
    float length;
  } cases[] = {{3, 4, 5}, {0.6f, 0.6f, 1}, {1, 1, std::sqrt(2.0f)}, {0.3f, 0.3f, 0}, {0, 0, 0}};
  for (const auto& c : cases) {
    auto path = MakePath("path_segment", {0, 0, c.x1, c.y1, 10});
    EXPECT_FLOAT_EQ(path->GetStoredLength(), c.length) << c.x1 << "," << c.y1;
  }
  auto path = MakePath("path_segment", {10.5f, -2.5f, 3.4f, 7.6f, 10});
  EXPECT_EQ(path->GetBounds(), (PathBounds{3, -2, 10, 8}));  // halves to even
}

TEST(PathSegment, AcceleratingSegment) {
  // v0 = 0, a = 2: distance k*k, along a segment of length 100.
  auto path = MakePath("path_segment_accelerate", {0, 0, 100, 0, 10, {0, 2}});
  EXPECT_FLOAT_EQ(path->GetStoredLength(), 100);
  ExpectAt(path, 3, 9, 0);
  ExpectAt(path, 10, 100, 0);
  // v0 = 1, a = 0 on a diagonal of length 5.
  auto steady = MakePath("path_segment_accelerate", {0, 0, 3, 4, 5, {1, 0}});
  ExpectAt(steady, 2, 1.2f, 1.6f);
  // No length: the point stays at the start.
  auto still = MakePath("path_segment_accelerate", {4, 5, 4, 5, 10, {1, 1}});
  ExpectAt(still, 3, 4, 5);
}

TEST(PathArc, QuarterTurnBothWays) {
  const float kHalfRoot = 10 * std::numbers::sqrt2_v<float> / 2;
  // (10,0) around (0,0) to (0,10); v[3] is computed, v[4][0] the direction.
  auto ccw = MakePath("path_arc", {10, 0, 0, 10, 10, {0, 0}, {{0, 0, 0, 0}, {1}}});
  ExpectAt(ccw, 0, 10, 0);
  ExpectAt(ccw, 5, kHalfRoot, kHalfRoot);
  ExpectAt(ccw, 10, 0, 10);
  EXPECT_NEAR(ccw->GetStoredLength(), 10 * std::numbers::pi / 2, 1e-4);
  EXPECT_EQ(ccw->GetBounds(), (PathBounds{0, 0, 10, 10}));

  auto cw = MakePath("path_arc", {10, 0, 0, 10, 10, {0, 0}, {{0, 0, 0, 0}, {0}}});
  ExpectAt(cw, 5, -kHalfRoot, -kHalfRoot);
  ExpectAt(cw, 10, 0, 10);
  EXPECT_NEAR(cw->GetStoredLength(), 10 * 3 * std::numbers::pi / 2, 1e-3);
  EXPECT_EQ(cw->GetBounds(), (PathBounds{-10, -10, 10, 10}));

  // A spiral: the radius goes from 10 to 20 around (5, 5).
  auto spiral = MakePath("path_arc", {15, 5, 5, 25, 2, {5, 5}, {{0, 0, 0, 0}, {1}}});
  spiral->SetStep(1);
  EXPECT_NEAR(std::hypot(spiral->GetX() - 5, spiral->GetY() - 5), 15, 1e-4);
}

TEST(PathBezier, PointsAndLength) {
  // Control points on the chord: a straight line with the chord's length.
  auto straight = MakePath("path_bezier", {0, 0, 30, 40, 2, {10, 40.0f / 3, 20, 80.0f / 3}});
  EXPECT_FLOAT_EQ(straight->GetStoredLength(), 50);
  ExpectAt(straight, 1, 15, 20);

  auto curve = MakePath("path_bezier", {0, 0, 100, 0, 2, {0, 100, 100, 100}});
  ExpectAt(curve, 0, 0, 0);
  ExpectAt(curve, 1, 50, 75);
  ExpectAt(curve, 2, 100, 0);
  EXPECT_GT(curve->GetStoredLength(), 190);  // longer than the control polygon's chord
  EXPECT_LT(curve->GetStoredLength(), 300);  // shorter than the control polygon
  EXPECT_EQ(curve->GetBounds(), PathBounds{});

  // Degenerate curves end with a finite length.
  EXPECT_EQ(MakePath("path_bezier", {5, 5, 5, 5, 2, {5, 5, 5, 5}})->GetStoredLength(), 0);
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(std::isfinite(MakePath("path_bezier", {0, 0, nan, 0, 2, {1, 1, 2, 2}})->GetStoredLength()));
  auto loop = MakePath("path_bezier", {0, 0, 0, 0, 2, {50, 50, -50, 50}});
  EXPECT_GT(loop->GetStoredLength(), 50);
}

const char* kCompositeXml = R"(
<function type="path_composite">
  <paramspace><paramdefs>
    <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
    <paramdef name="step" col="1" static="yes"/>
    <paramdef name="x0" col="2" static="yes"/><paramdef name="y0" col="2" static="yes"/>
    <paramdef name="x1" col="2" static="yes" value="-1"/><paramdef name="y1" col="2" static="yes" value="-1"/>
    <paramdef name="n" col="2" static="yes"/><paramdef name="len" col="2" static="yes"/>
  </paramdefs></paramspace>
  <functions>
    <function name="first" type="path_segment">
      <paramspace><paramdefs>
        <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
        <paramdef name="step" col="1" static="yes"/>
        <paramdef name="x0" col="2" static="yes"/><paramdef name="y0" col="2" static="yes"/>
        <paramdef name="x1" col="2" static="yes" value="10"/><paramdef name="y1" col="2" static="yes"/>
        <paramdef name="n" col="2" static="yes" value="10"/><paramdef name="len" col="2" static="yes"/>
      </paramdefs></paramspace>
    </function>
    <function name="second" type="path_segment">
      <paramspace><paramdefs>
        <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
        <paramdef name="step" col="1" static="yes"/>
        <paramdef name="x0" col="2" static="yes" value="10"/><paramdef name="y0" col="2" static="yes"/>
        <paramdef name="x1" col="2" static="yes" value="10"/><paramdef name="y1" col="2" static="yes" value="20"/>
        <paramdef name="n" col="2" static="yes" value="10"/><paramdef name="len" col="2" static="yes"/>
      </paramdefs></paramspace>
    </function>
  </functions>
</function>)";

TEST(PathComposite, RunsItsSubPathsInTurn) {
  auto path = std::dynamic_pointer_cast<IPathFunction>(LoadFunction(kCompositeXml));
  ASSERT_TRUE(path);
  path->SetOwner(nullptr);
  path->Execute();
  EXPECT_EQ(path->GetStepCount(), 20);
  EXPECT_FLOAT_EQ(path->GetStoredLength(), 30);
  EXPECT_EQ(path->GetBounds(), (PathBounds{0, 0, 10, 20}));
  ExpectAt(path, 5, 5, 0);
  ExpectAt(path, 10, 10, 0);  // the start of the second segment
  ExpectAt(path, 15, 10, 10);
  ExpectAt(path, 3, 3, 0);     // going back restarts the cursor
  ExpectAt(path, 20, -1, -1);  // the composite's own end point
  ExpectAt(path, 25, -1, -1);
  path->Unlink();
}

TEST(PathArbitrary, SubFunctionsWriteThePointThroughLinks) {
  // x := step * 2 and y := step + 1, written into the path's own slots by name.
  const char* xml = R"(
<function type="path_arbitrary" loop="yes">
  <paramspace><paramdefs>
    <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
    <paramdef name="step" col="1" static="yes"/>
  </paramdefs></paramspace>
  <functions>
    <function type="function_eval">
      <paramspace><paramdefs>
        <paramdef name="x" col="0"/><paramdef name="y" col="0"/><paramdef name="step" col="1"/>
      </paramdefs></paramspace>
      <expression>x := step * 2
y := step + 1</expression>
    </function>
  </functions>
</function>)";
  auto path = std::dynamic_pointer_cast<IPathFunction>(LoadFunction(xml));
  ASSERT_TRUE(path);
  EXPECT_TRUE(std::dynamic_pointer_cast<TAbstractPathFunction>(path)->GetLoop());
  path->SetOwner(nullptr);
  path->Execute();
  ExpectAt(path, 4, 8, 5);
  EXPECT_EQ(path->GetStoredLength(), 0);
  path->Unlink();
}

}  // namespace
}  // namespace kestrelle
