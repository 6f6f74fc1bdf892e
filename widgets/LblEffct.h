// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/label.h"
#include "toolkit/types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tk {
class TBitmap;
class TCanvas;
}

enum TEffectDirection { edNone, edUp, edUpRight, edRight, edDownRight, edDown, edDownLeft, edLeft, edUpLeft };
enum TEffectStyle { esNone, esCustom, esRaised, esSunken, esShadow, esFlying };
enum TColourScheme { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
enum TEffectOption { eoNormal, eoReal, eoExtrude, eoGraduated };
enum TGraduateOption { goNone, goVertical, goHorizontal };

// Pixels between a layer and the face.
using TEffectDepth = std::uint8_t;
inline constexpr TEffectDepth MaxEffectDepth = 10;
// Degrees, counter-clockwise.
using TAngleRange = std::uint16_t;
inline constexpr TAngleRange MaxAngle = 360;

// A caption drawn over a highlight layer and a shadow layer offset from it, optionally turned to
// any angle, following colour schemes and effect presets, and able to behave as a push button.
class TLabelEffect : public tk::TLabel {
public:
    struct SchemeColours {
        tk::TColor highlight;
        tk::TColor shadow;
        tk::TColor face;
    };

    TLabelEffect(tk::TWinControl* parent, std::string name);

    TEffectDepth DepthHighlight() const { return m_depthHighlight; }
    void SetDepthHighlight(int);
    TEffectDepth DepthShadow() const { return m_depthShadow; }
    void SetDepthShadow(int);
    TEffectDirection DirectionHighlight() const { return m_directionHighlight; }
    void SetDirectionHighlight(TEffectDirection);
    TEffectDirection DirectionShadow() const { return m_directionShadow; }
    void SetDirectionShadow(TEffectDirection);
    tk::TColor ColourHighlight() const { return m_colourHighlight; }
    void SetColourHighlight(tk::TColor);
    tk::TColor ColourShadow() const { return m_colourShadow; }
    void SetColourShadow(tk::TColor);
    TGraduateOption GraduateFace() const { return m_graduateFace; }
    void SetGraduateFace(TGraduateOption);
    tk::TColor GraduateFrom() const { return m_graduateFrom; }
    void SetGraduateFrom(tk::TColor);
    TEffectOption StyleHighlight() const { return m_styleHighlight; }
    void SetStyleHighlight(TEffectOption);
    TEffectOption StyleShadow() const { return m_styleShadow; }
    void SetStyleShadow(TEffectOption);
    TEffectStyle EffectStyle() const { return m_effectStyle; }
    void SetEffectStyle(TEffectStyle);
    TColourScheme ColourScheme() const { return m_colourScheme; }
    void SetColourScheme(TColourScheme);
    bool AsButton() const { return m_asButton; }
    void SetAsButton(bool);
    TAngleRange Angle() const { return m_angle; }
    void SetAngle(int);
    bool KeepLettersVertical() const { return m_keepLettersVertical; }
    void SetKeepLettersVertical(bool);

    // The scheme table of this label; only the csCustom row ever changes.
    const SchemeColours& Scheme(TColourScheme scheme) const { return m_schemes[scheme]; }

    void Paint(tk::TCanvas&) override;

    void MouseDown(tk::TMouseButton, tk::TShiftState, int x, int y) override;
    void MouseMove(tk::TShiftState, int x, int y) override;
    void MouseUp(tk::TMouseButton, tk::TShiftState, int x, int y) override;

private:
    // The label never fits itself to its text.
    using tk::TLabel::SetAutoSize;

    // Where the face and the layers go, for the path the angle chooses.
    struct Geometry {
        int lo { 0 }, hi { 0 }, shift { 0 };
        int v { 0 }, u { 0 };
        std::vector<tk::TPoint> corners;    // turned font: the outline
        std::vector<int> along;             // letters kept upright: d(i)
        tk::TRect firstBox, lastBox;        // letters kept upright: the two outline boxes
    };

    // One of the two layers as the properties set it; a real layer tints what lies beneath
    // halfway toward `realTint` (0 darkens, 255 lightens) instead of taking its colour.
    struct Layer {
        TEffectOption option;
        int depth;
        TEffectDirection direction;
        tk::TColor colour;
        int realTint;
    };

    // The setters' shared effects: a depth or direction of the caller's own makes the style
    // esCustom, an effect colour of its own makes the scheme csCustom.
    template <class T>
    void changeLayer(T& field, T value);
    void changeColour(tk::TColor& field, tk::TColor SchemeColours::*role, tk::TColor value);

    Geometry measure(tk::TCanvas& work) const;
    void fillBackground(tk::TCanvas& work, const Geometry&) const;
    void drawText(tk::TCanvas&, const Geometry&, int dx, int dy, tk::TColor) const;
    void drawLayer(tk::TBitmap& work, tk::TBitmap& mask, const Geometry&, const Layer&) const;
    void tintUnderMask(tk::TBitmap& work, tk::TBitmap& mask, int realTint) const;
    void drawFace(tk::TBitmap& work, tk::TBitmap& mask, const Geometry&) const;
    void graduateFace(tk::TBitmap& work, tk::TBitmap& mask, const Geometry&) const;
    bool inside(int x, int y) const;

    std::array<SchemeColours, 6> m_schemes;
    TEffectDepth m_depthHighlight { 1 };
    TEffectDepth m_depthShadow { 1 };
    TEffectDirection m_directionHighlight { edUpLeft };
    TEffectDirection m_directionShadow { edDownRight };
    TEffectOption m_styleHighlight { eoNormal };
    TEffectOption m_styleShadow { eoNormal };
    TEffectStyle m_effectStyle { esRaised };
    TColourScheme m_colourScheme { csWindows };
    tk::TColor m_colourHighlight { tk::clWhite };
    tk::TColor m_colourShadow { tk::clBlack };
    TGraduateOption m_graduateFace { goNone };
    tk::TColor m_graduateFrom { tk::clWindowText };
    bool m_asButton { false };
    TAngleRange m_angle { 0 };
    bool m_keepLettersVertical { false };
    bool m_applyingStyle { false };
    bool m_applyingScheme { false };
    double m_cos { 1 }, m_sin { 0 }, m_cos2 { 1 }, m_sin2 { 0 };
};
