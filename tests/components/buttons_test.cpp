// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/check_box.h"
#include "toolkit/edit.h"
#include "toolkit/panel.h"
#include "toolkit/speed_button.h"

using namespace tk;

namespace {

// A glyph of one colour with its bottom-left pixel in a colour of its own (the transparent one).
void solidGlyph(TBitmap& glyph, int w, int h, TColor fill, TColor corner = clFuchsia)
{
    glyph.SetSize(w, h);
    glyph.Canvas().Brush().SetColor(fill);
    glyph.Canvas().FillRect(Rect(0, 0, w, h));
    glyph.Canvas().SetPixel(0, h - 1, corner);
}

TRect boundsOf(const QImage& image, TColor colour)
{
    const QRgb rgb = toQColor(colour).rgb();
    TRect box { image.width(), image.height(), 0, 0 };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == rgb)
                box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                    std::max(box.Bottom, y + 1));
    return box.Right > 0 ? box : TRect {};
}

const TColor white = RGB(255, 255, 255), grey = RGB(128, 128, 128), face = RGB(192, 192, 192);

}

using ButtonTest = FormTest;

TEST_F(ButtonTest, ClicksOnReleaseOverItAndLooksPressedWhileHeldOverIt)
{
    auto* button = new TButton(form.get(), "Go");
    button->SetBounds(10, 10, 80, 24);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };

    form->DispatchMouseDown(mbLeft, 0, 20, 20);
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->Focused());
    // Inside the black focus outline: shadow grey when sunk, white when raised.
    EXPECT_EQ(pixel(11, 11), grey);
    form->DispatchMouseMove(0, 200, 200);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(pixel(11, 11), white);
    form->DispatchMouseMove(0, 30, 15);
    EXPECT_TRUE(button->Pressed());
    form->DispatchMouseUp(mbLeft, 0, 30, 15);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());

    form->DispatchMouseDown(mbLeft, 0, 20, 20);
    form->DispatchMouseUp(mbLeft, 0, 200, 200);
    EXPECT_EQ(clicks, 1) << "released elsewhere";

    button->SetEnabled(false);
    click(20, 20);
    EXPECT_EQ(clicks, 1) << "disabled";
}

TEST_F(ButtonTest, EnterAndEscapeFromAKeyHandlerPressTheDefaultAndCancelButtons)
{
    auto* panel = new TPanel(form.get(), "Dialog");
    panel->SetBounds(0, 0, 300, 200);
    auto* hidden = new TButton(panel, "Hidden");
    hidden->SetDefault(true);
    hidden->Hide();
    auto* disabled = new TButton(panel, "Disabled");
    disabled->SetDefault(true);
    disabled->SetEnabled(false);
    auto* ok = new TButton(panel, "Ok");
    ok->SetDefault(true);
    auto* cancel = new TButton(panel, "Cancel");
    cancel->SetCancel(true);
    std::vector<std::string> clicked;
    for (TButton* b : { hidden, disabled, ok, cancel })
        b->OnClick = [&clicked](TObject* sender) { clicked.push_back(static_cast<TButton*>(sender)->Name()); };

    auto* edit = new TEdit(panel, "Input");
    edit->SetBounds(10, 100, 100, 21);
    edit->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        if (PressDefaultButton(form.get(), key))
            key = 0;
    };
    click(20, 110);
    ASSERT_TRUE(edit->Focused());
    key(VK_RETURN);
    key(VK_ESCAPE);
    key('A');
    EXPECT_EQ(clicked, (std::vector<std::string> { "Ok", "Cancel" }));

    ok->Hide();
    EXPECT_FALSE(PressDefaultButton(form.get(), VK_RETURN));
    panel->Hide();
    EXPECT_FALSE(PressDefaultButton(form.get(), VK_ESCAPE));
}

TEST_F(ButtonTest, StockKindsBringCaptionAndRole)
{
    auto* ok = new TBitBtn(form.get(), "Ok");
    ok->SetKind(bkOK);
    auto* cancel = new TBitBtn(form.get(), "Cancel");
    cancel->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Glyph().Empty()) << "the stock glyph from the program's pictures";
    EXPECT_FALSE(cancel->Glyph().Empty());
    EXPECT_EQ(cancel->Caption(), "Abbrechen");
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_FALSE(cancel->Default());
}

TEST_F(ButtonTest, CaptionlessGlyphAsLargeAsTheButtonIsItsFace)
{
    auto* button = new TBitBtn(form.get(), "Pic");
    button->SetBounds(20, 30, 88, 24);
    solidGlyph(button->Glyph(), 89, 25, clLime);
    button->Glyph().Canvas().SetPixel(0, 0, clBlue);
    QImage image = form->Render();
    EXPECT_EQ(fromQColor(image.pixelColor(20, 30)), clBlue);
    EXPECT_EQ(fromQColor(image.pixelColor(20 + 87, 30 + 23)), clLime);
    EXPECT_EQ(boundsOf(image, clLime), Rect(20, 30, 108, 54));
}

TEST_F(ButtonTest, GlyphFollowsLayoutAndMarginAndShowsItsDisabledCell)
{
    auto* button = new TBitBtn(form.get(), "Pic");
    button->SetBounds(0, 0, 120, 30);
    button->SetCaption("Start");
    solidGlyph(button->Glyph(), 32, 16, clBlue);
    button->Glyph().Canvas().Brush().SetColor(clYellow);
    button->Glyph().Canvas().FillRect(Rect(16, 0, 32, 16));
    button->SetNumGlyphs(2);
    button->SetMargin(6);

    TRect glyph = boundsOf(form->Render(), clBlue);
    EXPECT_EQ(glyph.Left, 6);
    EXPECT_EQ(glyph.Width(), 16);
    EXPECT_EQ(glyph.Top, 7) << "centred vertically";
    EXPECT_EQ(boundsOf(form->Render(), clFuchsia), TRect {}) << "the transparent colour is left out";
    EXPECT_EQ(boundsOf(form->Render(), clYellow), TRect {});

    button->SetLayout(blGlyphRight);
    EXPECT_EQ(boundsOf(form->Render(), clBlue).Right, 120 - 6);

    button->SetEnabled(false);
    EXPECT_EQ(boundsOf(form->Render(), clBlue), TRect {});
    EXPECT_EQ(boundsOf(form->Render(), clYellow).Width(), 16);
}

TEST_F(ButtonTest, TransparentFlatSpeedButtonShowsWhatLiesBeneathItsGlyph)
{
    auto* panel = new TPanel(form.get(), "Back");
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBounds(0, 0, 200, 200);
    auto* frame = new TSpeedButton(panel, "Frame");
    frame->SetBounds(40, 40, 30, 30);
    frame->SetFlat(true);
    // A white ring around a black hole; black is what the program makes transparent.
    solidGlyph(frame->Glyph(), 20, 20, clWhite, clWhite);
    frame->Glyph().Canvas().Brush().SetColor(clBlack);
    frame->Glyph().Canvas().FillRect(Rect(4, 4, 16, 16));
    frame->Glyph().SetTransparentColor(clBlack);
    int clicks = 0;
    frame->OnClick = [&](TObject*) { ++clicks; };

    // The glyph sits centred at (45, 45).
    EXPECT_EQ(pixel(55, 55), clRed) << "the hole";
    EXPECT_EQ(pixel(46, 46), clWhite) << "the ring";
    EXPECT_EQ(pixel(41, 41), clRed) << "no face and no frame until hovered";

    form->DispatchMouseMove(0, 50, 50);
    EXPECT_TRUE(frame->Hovered());
    EXPECT_EQ(pixel(40, 40), white) << "raised frame while hovered";
    form->DispatchMouseMove(0, 150, 150);
    EXPECT_EQ(pixel(40, 40), clRed);

    frame->SetTransparent(false);
    EXPECT_EQ(pixel(55, 55), face) << "an opaque button shows its face through the hole";

    form->DispatchMouseDown(mbLeft, 0, 50, 50);
    EXPECT_EQ(clicks, 0);
    form->DispatchMouseUp(mbLeft, 0, 50, 50);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, CheckBoxTogglesOnClickAndSpaceAndReportsEveryChange)
{
    auto* box = new TCheckBox(form.get(), "Flag");
    box->SetBounds(10, 10, 100, 17);
    box->SetCaption("Flag");
    std::vector<bool> seen;
    box->OnClick = [&](TObject*) { seen.push_back(box->Checked()); };

    click(15, 15);
    EXPECT_TRUE(box->Checked());
    form->DispatchKeyPress(' ');
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(seen, (std::vector<bool> { true, false, true }));

    form->DispatchMouseDown(mbLeft, 0, 15, 15);
    form->DispatchMouseUp(mbLeft, 0, 250, 200);
    EXPECT_TRUE(box->Checked()) << "released outside";
}
