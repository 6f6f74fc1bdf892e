// SPDX-License-Identifier: MIT
#include "tests/support/qt_app.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "widgets/LblEffct.h"

#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <tuple>

using namespace tk;

namespace {

constexpr TColor Ground = RGB(40, 90, 40);
constexpr TColor Gray = RGB(128, 128, 128);

struct Box {
    int left { INT_MAX }, top { INT_MAX }, right { INT_MIN }, bottom { INT_MIN };
    long count { 0 };
    double sumX { 0 }, sumY { 0 };

    bool empty() const { return count == 0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    // Where the pixels' weight lies, relative to the middle of their box.
    double leanX() const { return sumX / count - (left + right) / 2.0; }
    double leanY() const { return sumY / count - (top + bottom) / 2.0; }
};

// A label on a plain form, rendered the way the window paints it.
class EffectLabel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        form = std::make_unique<TForm>("f");
        form->SetBounds(0, 0, 320, 320);
        form->SetColor(Ground);
        label = new TLabelEffect(form.get(), "fx");
        label->SetBounds(20, 20, 260, 260);
        label->Font().SetName("Arial");
        label->Font().SetHeight(-24);
        label->Font().SetStyle(fsBold);
        label->SetCaption("Hg");
    }

    void render() { image = form->Render(); }

    TColor at(int x, int y) const { return fromQColor(QColor(image.pixel(x, y))); }

    Box where(const std::function<bool(TColor)>& match) const
    {
        Box b;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (match(at(x, y))) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x);
                    b.bottom = std::max(b.bottom, y);
                    ++b.count;
                    b.sumX += x;
                    b.sumY += y;
                }
        return b;
    }
    Box where(TColor c) const
    {
        return where([c](TColor p) { return p == c; });
    }

    std::unique_ptr<TForm> form;
    TLabelEffect* label { nullptr };
    QImage image;
};

// The visible part of a layer reaches `depth` pixels past the face on the sides it leans to.
void expectLayerOffset(const Box& face, const Box& layer, TEffectDirection d, int depth, const char* what)
{
    SCOPED_TRACE(what);
    if (d == edNone || depth == 0) {
        EXPECT_TRUE(layer.empty());
        return;
    }
    ASSERT_FALSE(layer.empty());
    int dx = d == edUpRight || d == edRight || d == edDownRight ? 1 : d == edDownLeft || d == edLeft || d == edUpLeft ? -1 : 0;
    int dy = d == edDownRight || d == edDown || d == edDownLeft ? 1 : d == edUpLeft || d == edUp || d == edUpRight ? -1 : 0;
    if (dx > 0) {
        EXPECT_EQ(layer.right, face.right + depth);
    }
    if (dx < 0) {
        EXPECT_EQ(layer.left, face.left - depth);
    }
    if (dy > 0) {
        EXPECT_EQ(layer.bottom, face.bottom + depth);
    }
    if (dy < 0) {
        EXPECT_EQ(layer.top, face.top - depth);
    }
}

// ---- Presets ----

struct Preset {
    TEffectStyle style;
    TEffectDirection highlight;
    int highlightDepth;
    TEffectDirection shadow;
    int shadowDepth;
};

class Presets : public EffectLabel, public ::testing::WithParamInterface<Preset> { };

TEST_P(Presets, LayersShowWhereTheStylePutsThem)
{
    const Preset p = GetParam();
    label->SetEffectStyle(p.style);
    render();
    Box face = where(Gray);
    ASSERT_FALSE(face.empty());
    if (p.style == esFlying) {
        // Both layers black, down-right; the shadow's five pixels reach furthest.
        EXPECT_EQ(label->ColourHighlight(), clBlack);
        expectLayerOffset(face, where(clBlack), edDownRight, 5, "flying");
        EXPECT_TRUE(where(clWhite).empty());
        return;
    }
    expectLayerOffset(face, where(clWhite), p.highlight, p.highlightDepth, "highlight");
    expectLayerOffset(face, where(clBlack), p.shadow, p.shadowDepth, "shadow");
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, Presets,
    ::testing::Values(Preset { esNone, edNone, 0, edNone, 0 }, Preset { esRaised, edUpLeft, 1, edDownRight, 1 },
        Preset { esSunken, edDownRight, 1, edUpLeft, 1 }, Preset { esShadow, edNone, 0, edDownRight, 2 },
        Preset { esFlying, edDownRight, 1, edDownRight, 5 }));

// ---- Schemes ----

struct SchemeCase {
    TColourScheme scheme;
    TColor highlight, shadow, face;
};

class Schemes : public EffectLabel, public ::testing::WithParamInterface<SchemeCase> { };

TEST_P(Schemes, PaintInTheirThreeColours)
{
    const SchemeCase c = GetParam();
    label->SetColourScheme(c.scheme);
    EXPECT_EQ(label->Font().Color(), c.face);
    render();
    Box face = where(c.face);
    ASSERT_FALSE(face.empty());
    expectLayerOffset(face, where(c.highlight), edUpLeft, 1, "highlight");
    expectLayerOffset(face, where(c.shadow), edDownRight, 1, "shadow");
}

INSTANTIATE_TEST_SUITE_P(EveryScheme, Schemes,
    ::testing::Values(SchemeCase { csText, clWhite, Gray, clBlack },
        SchemeCase { csWindows, clWhite, clBlack, Gray },
        SchemeCase { csEmbossed, clWhite, clBlack, RGB(192, 192, 192) },
        SchemeCase { csGold, RGB(255, 255, 0), clBlack, RGB(128, 128, 0) },
        SchemeCase { csSteel, RGB(0, 255, 255), RGB(0, 0, 128), RGB(0, 128, 128) }));

// ---- Layer options ----

class Options : public EffectLabel, public ::testing::WithParamInterface<std::tuple<bool, TEffectOption>> { };

TEST_P(Options, DrawTheLayerAsAskedFor)
{
    auto [onHighlight, option] = GetParam();
    label->SetEffectStyle(esNone);
    label->SetColourHighlight(RGB(255, 0, 0));
    label->SetColourShadow(RGB(0, 0, 255));
    label->Font().SetColor(RGB(0, 255, 0));
    if (onHighlight) {
        label->SetDirectionHighlight(edUpLeft);
        label->SetDepthHighlight(3);
        label->SetStyleHighlight(option);
    } else {
        label->SetDirectionShadow(edDownRight);
        label->SetDepthShadow(3);
        label->SetStyleShadow(option);
    }
    const TColor colour = onHighlight ? RGB(255, 0, 0) : RGB(0, 0, 255);
    const TEffectDirection dir = onHighlight ? edUpLeft : edDownRight;
    render();
    Box face = where(RGB(0, 255, 0));
    ASSERT_FALSE(face.empty());
    Box layer = where(colour);
    switch (option) {
    case eoNormal:
        expectLayerOffset(face, layer, dir, 3, "single copy");
        break;
    case eoReal: {
        // No layer colour: the ground beneath is darkened or lightened by half instead.
        EXPECT_TRUE(layer.empty());
        TColor changed = onHighlight ? RGB((40 + 255) / 2, (90 + 255) / 2, (40 + 255) / 2) : RGB(20, 45, 20);
        expectLayerOffset(face, where(changed), dir, 3, "see-through layer");
        break;
    }
    case eoExtrude: {
        expectLayerOffset(face, layer, dir, 3, "solid");
        label->SetStyleHighlight(eoNormal);
        label->SetStyleShadow(eoNormal);
        render();
        EXPECT_GT(layer.count, where(colour).count) << "an extrusion fills the steps between";
        break;
    }
    case eoGraduated: {
        // Deepest in the layer colour, then halfway, then the face colour at depth 1 (which
        // therefore counts as face here, one pixel nearer the deepest layer).
        expectLayerOffset(face, layer, dir, 2, "deepest");
        TColor midway = onHighlight ? RGB(127, 128, 0) : RGB(0, 128, 127);
        EXPECT_FALSE(where(midway).empty());
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(HighlightAndShadow, Options,
    ::testing::Combine(::testing::Bool(), ::testing::Values(eoNormal, eoReal, eoExtrude, eoGraduated)));

TEST_F(EffectLabel, GraduatedLayerOfDepthOneIsPlain)
{
    label->SetStyleShadow(eoGraduated);
    render();
    expectLayerOffset(where(Gray), where(clBlack), edDownRight, 1, "shadow");
}

TEST_F(EffectLabel, RealShadowDarkensWhatLiesBeneath)
{
    auto* under = new TLabel(form.get(), "under");
    under->SetAutoSize(false);
    under->SetBounds(0, 0, 320, 320);
    under->SetColor(RGB(200, 100, 60));
    label->BringToFront();
    label->SetStyleShadow(eoReal);
    label->SetDepthShadow(3);
    render();
    EXPECT_FALSE(where(RGB(100, 50, 30)).empty());
    EXPECT_TRUE(where(RGB(20, 45, 20)).empty());
}

TEST_F(EffectLabel, GraduatedTowardASystemFontColourUsesItsLowBytes)
{
    label->Font().SetColor(clWindowText);
    label->SetStyleShadow(eoGraduated);
    label->SetDepthShadow(3);
    render();
    // Between black and (8, 0, 0): the middle layer is (4, 0, 0).
    EXPECT_FALSE(where(RGB(4, 0, 0)).empty());
}

// ---- Depths ----

class Depths : public EffectLabel, public ::testing::WithParamInterface<int> { };

TEST_P(Depths, LayersLieTheirDepthAwayAndStayInside)
{
    const int depth = GetParam();
    label->SetDepthHighlight(depth);
    label->SetDepthShadow(depth);
    render();
    Box face = where(Gray);
    ASSERT_FALSE(face.empty());
    expectLayerOffset(face, where(clWhite), edUpLeft, depth, "highlight");
    expectLayerOffset(face, where(clBlack), edDownRight, depth, "shadow");
    // The face moves in by the depth on the negative side, so the highlight starts at the edge.
    Box plain = where([](TColor c) { return c != Ground; });
    EXPECT_GE(plain.left, label->Left());
    EXPECT_GE(plain.top, label->Top());
}

INSTANTIATE_TEST_SUITE_P(ZeroToTen, Depths, ::testing::Values(0, 1, 3, 10));

TEST_F(EffectLabel, DepthsOfZeroShowOnlyTheFaceUnshifted)
{
    label->SetDepthHighlight(0);
    label->SetDepthShadow(0);
    render();
    Box face = where(Gray);
    label->SetEffectStyle(esNone);
    render();
    Box bare = where(Gray);
    EXPECT_EQ(std::tie(face.left, face.top, face.count), std::tie(bare.left, bare.top, bare.count));
    EXPECT_TRUE(where(clWhite).empty());
    EXPECT_TRUE(where(clBlack).empty());
}

// ---- Angles ----

struct AngleCase {
    int angle;
    int leanX, leanY; // where the heavy start of the caption lies: -1, 0 or 1
};

class Angles : public EffectLabel, public ::testing::WithParamInterface<std::tuple<AngleCase, bool>> { };

TEST_P(Angles, CaptionRunsAlongTheAngle)
{
    auto [c, upright] = GetParam();
    label->SetEffectStyle(esNone);
    label->Font().SetStyle(0);
    label->Font().SetHeight(-20);
    label->SetCaption("WWWW....");
    label->SetKeepLettersVertical(upright);
    label->SetAngle(c.angle);
    render();
    Box face = where(Gray);
    ASSERT_FALSE(face.empty());
    EXPECT_GE(face.left, label->Left());
    EXPECT_GE(face.top, label->Top());
    EXPECT_LE(face.right, label->Left() + label->Width() - 1);
    EXPECT_LE(face.bottom, label->Top() + label->Height() - 1);
    auto sign = [](double v) { return v > 2 ? 1 : v < -2 ? -1 : 0; };
    if (c.leanX) {
        EXPECT_EQ(sign(face.leanX()), c.leanX);
    }
    if (c.leanY) {
        EXPECT_EQ(sign(face.leanY()), c.leanY);
    }
    if (c.angle % 180 == 90) {
        EXPECT_GT(face.height(), face.width());
    }
    if (c.angle % 180 == 0) {
        EXPECT_GT(face.width(), face.height());
    }
}

INSTANTIATE_TEST_SUITE_P(TurnedAndUpright, Angles,
    ::testing::Combine(::testing::Values(AngleCase { 0, -1, 0 }, AngleCase { 45, -1, 1 }, AngleCase { 90, 0, 1 },
                           AngleCase { 180, 1, 0 }, AngleCase { 270, 0, -1 }),
        ::testing::Bool()));

TEST_F(EffectLabel, UprightLettersStackAlongAQuarterTurn)
{
    label->SetEffectStyle(esNone);
    label->Font().SetHeight(-20);
    label->SetCaption("WWWW....");
    label->SetAngle(90);
    render();
    Box turned = where(Gray);
    label->SetKeepLettersVertical(true);
    render();
    Box upright = where(Gray);
    // Eight letters one line apart are taller than the caption's width.
    EXPECT_GT(upright.height(), turned.height());
}

// ---- Background ----

class Backgrounds : public EffectLabel, public ::testing::WithParamInterface<std::tuple<int, bool>> { };

TEST_P(Backgrounds, OpaqueLabelsFillBehindTheTextOnly)
{
    auto [angle, upright] = GetParam();
    constexpr TColor Paper = RGB(250, 240, 200);
    label->SetEffectStyle(esNone);
    label->SetColor(Paper);
    label->SetTransparent(false);
    label->SetKeepLettersVertical(upright);
    label->SetAngle(angle);
    render();
    EXPECT_EQ(where(Paper).empty(), false);
    Box text = where(Gray);
    ASSERT_FALSE(text.empty());
    // The text sits on the paper: just left of its middle row there is paper, not ground.
    EXPECT_EQ(at(text.left - 1, (text.top + text.bottom) / 2), Paper);
    // Turned labels fill only the outline around the text; upright ones the whole label.
    TColor corner = at(label->Left() + label->Width() - 1, label->Top() + label->Height() - 1);
    EXPECT_EQ(corner, angle == 0 ? Paper : Ground);
    label->SetTransparent(true);
    render();
    EXPECT_TRUE(where(Paper).empty());
}

INSTANTIATE_TEST_SUITE_P(EveryPath, Backgrounds,
    ::testing::Values(std::tuple { 0, false }, std::tuple { 30, false }, std::tuple { 30, true },
        std::tuple { 120, true }, std::tuple { 200, true }, std::tuple { 300, true }));

TEST_F(EffectLabel, EmptyCaptionDrawsOnlyTheBackground)
{
    label->SetCaption("");
    label->SetGraduateFace(goHorizontal);
    render();
    EXPECT_EQ(where(Ground).count, 320L * 320L);
    label->SetTransparent(false);
    label->SetColor(clWhite);
    render();
    EXPECT_EQ(where(clWhite).count, 260L * 260L);
}

// ---- Face gradient ----

class Gradients : public EffectLabel, public ::testing::WithParamInterface<std::tuple<TGraduateOption, int>> { };

TEST_P(Gradients, FaceRunsFromStartColourToFontColour)
{
    auto [option, angle] = GetParam();
    label->SetEffectStyle(esNone);
    label->SetCaption("HHHH");
    label->Font().SetColor(RGB(0, 0, 255));
    label->SetGraduateFrom(RGB(255, 0, 0));
    label->SetGraduateFace(option);
    label->SetAngle(angle);
    render();
    auto isFace = [](TColor c) { return GetGValue(c) == 0 && GetRValue(c) + GetBValue(c) > 200; };
    Box face = where(isFace);
    ASSERT_FALSE(face.empty());
    auto redness = [&](int x, int y) { return GetRValue(at(x, y)) - GetBValue(at(x, y)); };
    // Compare the face's first and last lines along the gradient.
    int firstRed = INT_MIN, lastRed = INT_MAX;
    for (int x = face.left; x <= face.right; ++x)
        for (int y = face.top; y <= face.bottom; ++y) {
            if (!isFace(at(x, y)))
                continue;
            bool first = option == goVertical ? y <= face.top + 2 : x <= face.left + 2;
            bool last = option == goVertical ? y >= face.bottom - 2 : x >= face.right - 2;
            if (first)
                firstRed = std::max(firstRed, redness(x, y));
            if (last)
                lastRed = std::min(lastRed, redness(x, y));
        }
    EXPECT_GT(firstRed, lastRed);
    EXPECT_GT(firstRed, 0) << "starts reddish";
    EXPECT_LT(lastRed, 0) << "ends bluish";
}

INSTANTIATE_TEST_SUITE_P(BothWays, Gradients,
    ::testing::Combine(::testing::Values(goVertical, goHorizontal), ::testing::Values(0, 90)));

TEST_F(EffectLabel, GradientOverAOnePixelSpanTakesTheFontColour)
{
    // A one-pixel-high face has a span of 0 along a vertical gradient.
    label->SetEffectStyle(esNone);
    label->Font().SetHeight(-1);
    label->Font().SetColor(RGB(0, 0, 255));
    label->SetGraduateFrom(RGB(255, 0, 0));
    label->SetGraduateFace(goVertical);
    label->SetCaption("HHHHHHHH");
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas measure(scratch);
    measure.Font().Assign(label->Font());
    if (measure.TextHeight("H") != 1)
        GTEST_SKIP() << "the smallest font here is taller than one pixel";
    render();
    EXPECT_TRUE(where(RGB(255, 0, 0)).empty());
}

// ---- Property rules ----

TEST_F(EffectLabel, StartsAsARaisedWindowsLabel)
{
    TLabelEffect fresh(form.get(), "fresh");
    EXPECT_EQ(fresh.Width(), 142);
    EXPECT_EQ(fresh.Height(), 33);
    EXPECT_TRUE(fresh.Transparent());
    EXPECT_FALSE(fresh.AutoSize());
    EXPECT_EQ(fresh.Font().Name(), "Times New Roman");
    EXPECT_EQ(fresh.Font().Size(), 20);
    EXPECT_EQ(fresh.Font().Color(), Gray);
    EXPECT_EQ(fresh.GraduateFrom(), clWindowText);
    EXPECT_EQ(fresh.EffectStyle(), esRaised);
    EXPECT_EQ(fresh.ColourScheme(), csWindows);
    EXPECT_EQ(fresh.DepthHighlight(), 1);
    EXPECT_EQ(fresh.DirectionShadow(), edDownRight);
}

TEST_F(EffectLabel, ValuesAreHeldInTheirRanges)
{
    label->SetDepthShadow(11);
    label->SetDepthHighlight(-3);
    label->SetAngle(400);
    EXPECT_EQ(label->DepthShadow(), 10);
    EXPECT_EQ(label->DepthHighlight(), 0);
    EXPECT_EQ(label->Angle(), 360);
}

TEST_F(EffectLabel, HandMadeDepthMakesTheStyleCustomAndEndsTheButton)
{
    label->SetAsButton(true);
    label->SetColourHighlight(RGB(1, 2, 3));
    label->SetColourScheme(csSteel);
    label->SetDepthShadow(3);
    EXPECT_EQ(label->EffectStyle(), esCustom);
    EXPECT_FALSE(label->AsButton());
    EXPECT_EQ(label->ColourHighlight(), RGB(0, 255, 255));
    EXPECT_EQ(label->ColourScheme(), csSteel) << "the preset's colour change is not a hand-made one";
}

TEST_F(EffectLabel, CustomSchemeKeepsTheColoursLastApplied)
{
    label->SetColourScheme(csGold);
    label->SetColourScheme(csCustom);
    EXPECT_EQ(label->ColourHighlight(), RGB(255, 255, 0));
    EXPECT_EQ(label->ColourShadow(), clBlack);
    EXPECT_EQ(label->Font().Color(), RGB(128, 128, 0));
}

TEST_F(EffectLabel, HandMadeEffectColourMakesTheSchemeCustom)
{
    label->SetColourScheme(csEmbossed);
    label->Font().SetColor(RGB(9, 9, 9));
    label->SetColourShadow(RGB(50, 0, 0));
    EXPECT_EQ(label->ColourScheme(), csCustom);
    EXPECT_EQ(label->ColourShadow(), RGB(50, 0, 0));
    EXPECT_EQ(label->Font().Color(), RGB(192, 192, 192)) << "the face of the scheme applied last";
    EXPECT_EQ(label->Scheme(csCustom).shadow, RGB(50, 0, 0));
}

TEST_F(EffectLabel, TurningForcesLeftAlignmentButLaterAlignmentLeavesTheDrawing)
{
    label->SetAlignment(taCenter);
    label->SetAngle(270);
    EXPECT_EQ(label->Alignment(), taLeftJustify);
    render();
    QImage left = image;
    label->SetAlignment(taRightJustify);
    render();
    EXPECT_EQ(image, left);
}

// ---- Push button ----

TEST_F(EffectLabel, ButtonSinksWhilePressedInside)
{
    int downs = 0, clicks = 0;
    label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    label->OnClick = [&](TObject*) { ++clicks; };
    label->SetAsButton(true);
    form->DispatchMouseDown(mbLeft, ssLeft, 60, 40);
    EXPECT_EQ(label->EffectStyle(), esSunken);
    render();
    Box face = where(Gray);
    expectLayerOffset(face, where(clWhite), edDownRight, 1, "sunken highlight");
    form->DispatchMouseMove(ssLeft, 300, 300);
    EXPECT_EQ(label->EffectStyle(), esRaised) << "dragged outside";
    form->DispatchMouseMove(ssLeft, 60, 40);
    EXPECT_EQ(label->EffectStyle(), esSunken) << "back inside";
    form->DispatchMouseMove(ssLeft | ssShift, 300, 300);
    EXPECT_EQ(label->EffectStyle(), esSunken) << "only a plain left drag counts";
    form->DispatchMouseUp(mbLeft, 0, 60, 40);
    EXPECT_EQ(label->EffectStyle(), esRaised);
    EXPECT_TRUE(label->AsButton());
    EXPECT_EQ(downs, 0) << "a button keeps its presses to itself";
    EXPECT_EQ(clicks, 1);
    render();
    expectLayerOffset(where(Gray), where(clWhite), edUpLeft, 1, "raised highlight");
}

TEST_F(EffectLabel, PlainLabelPassesMouseEventsOn)
{
    int downs = 0, moves = 0, ups = 0;
    label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    label->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
    label->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    form->DispatchMouseDown(mbLeft, ssLeft, 60, 40);
    form->DispatchMouseMove(ssLeft, 61, 40);
    form->DispatchMouseUp(mbLeft, 0, 61, 40);
    EXPECT_EQ(std::tuple(downs, moves, ups), std::tuple(1, 1, 1));
    EXPECT_EQ(label->EffectStyle(), esRaised);
}

}
