// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"
#include "core/member_of.h"
#include "core/output_selection.h"
#include "core/value_entry.h"

#include <array>
#include <string>
#include <string_view>

namespace kalvo {

// 15 twips make one logical pixel; the toolkit scales logical pixels on
// high-DPI screens.
constexpr int pixels(int twips)
{
    return twips / 15;
}

// The window's frame in the layouts' widths: the client area is 90 twips
// narrower than the width the layouts set.
inline constexpr int FrameTwips = 90;
inline constexpr int ClientHeightTwips = 4260;

enum class Typeface { Sans, Serif, WindowDefault };

struct FontDesign {
    Typeface typeface;
    double pointSize;
    bool bold = false;
    bool italic = false;
};

enum class ControlKind { Button, LineEdit, MultiLine };

// One control of the main window: where it stands, how it looks, and which
// part of the window model it shows.
struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    int left, top, width, height; // twips
    FontDesign font;
    bool readOnly;
    bool skippedByTab;
    MemberOf<WindowModel, TextBox> textBox;        // text boxes
    MemberOf<WindowModel, CommandButton> button;   // buttons
    std::string_view accessibleName;               // fixed name, or a button's prefix to its caption
    MemberOf<WindowModel, TextBox> accessibleFrom; // a value field is named after its quantity's label
    void (*keyPress)(Calculator&, char16_t);       // the value fields' key handlers
    void (*click)(Calculator&);                    // the output buttons' click handlers
};

// The fields of A, B, C and K, which take typed values.
constexpr bool isValueField(const ControlDesign& design)
{
    return design.keyPress != nullptr;
}

// A box shows its text whole, set smaller where it would not fit; a typed
// value may be longer than its field, and scrolls in it.
constexpr bool showsTextWhole(const ControlDesign& design)
{
    return design.kind != ControlKind::Button && !isValueField(design);
}

// How a control takes part as the model has it. A value field that takes no
// input is read-only and greyed rather than disabled: the output's result
// can still be reached by Tab, selected and copied.
struct Interaction {
    bool enabled;
    bool readOnly;
    bool greyed;
};
Interaction InteractionOf(const WindowModel& window, const ControlDesign& design);

// A character key pressed in a value field. The output's field is
// read-only: its keys select and copy, but never reach value entry, which
// would read the rounded text back.
void PressKey(Calculator& calc, const ControlDesign& field, char16_t key);

// A field's text as a person edits it (typing, pasting, cutting): the model
// follows every edit, so that it always holds what the field shows. Only a
// value field that takes input can be edited.
void EditText(Calculator& calc, const ControlDesign& field, std::string text);

// The name a screen reader announces: a value field is named after its
// quantity's label, a button by its letter and caption, any other box by
// what it shows.
std::string AccessibleName(const WindowModel& window, const ControlDesign& design);

inline constexpr FontDesign ButtonFont{Typeface::Sans, 9.75};
inline constexpr FontDesign ValueFont{Typeface::Sans, 12};
inline constexpr FontDesign LabelFont{Typeface::Sans, 9.75, true};

using W = WindowModel;

// In tab order; a control later in the list lies on top of an earlier one.
// clang-format off
inline constexpr std::array<ControlDesign, 16> Controls{{
    //  name     kind                   left   top  width height font   read-only skipped-by-Tab
    {"A_Command", ControlKind::Button,     840,  120, 1935,  495, ButtonFont, false, false,
     nullptr, &W::A_Command, "A: ", nullptr, nullptr, A_Command_Click},
    {"B_Command", ControlKind::Button,    3240,  120, 1935,  495, ButtonFont, false, false,
     nullptr, &W::B_Command, "B: ", nullptr, nullptr, B_Command_Click},
    {"C_Command", ControlKind::Button,    5760,  120, 1935,  495, ButtonFont, false, false,
     nullptr, &W::C_Command, "C: ", nullptr, nullptr, C_Command_Click},
    {"A_Text",    ControlKind::LineEdit,   840,  600, 1935,  375, ValueFont, false, false,
     &W::A_Text, nullptr, {}, &W::A_Anzeige, A_Text_KeyPress, nullptr},
    {"B_Text",    ControlKind::LineEdit,  3240,  600, 1935,  375, ValueFont, false, false,
     &W::B_Text, nullptr, {}, &W::B_Anzeige, B_Text_KeyPress, nullptr},
    {"C_Text",    ControlKind::LineEdit,  5760,  600, 1935,  375, ValueFont, false, false,
     &W::C_Text, nullptr, {}, &W::C_Anzeige, C_Text_KeyPress, nullptr},
    {"A_Anzeige", ControlKind::LineEdit,   840,  960, 1935,  375, LabelFont, true, false,
     &W::A_Anzeige, nullptr, "Größe A", nullptr, nullptr, nullptr},
    {"B_Anzeige", ControlKind::LineEdit,  3240,  960, 1935,  375, LabelFont, true, false,
     &W::B_Anzeige, nullptr, "Größe B", nullptr, nullptr, nullptr},
    {"C_Anzeige", ControlKind::LineEdit,  5760,  960, 1935,  375, LabelFont, true, false,
     &W::C_Anzeige, nullptr, "Größe C", nullptr, nullptr, nullptr},
    {"Text1",     ControlKind::MultiLine, 1440, 1680, 5535, 1935, ValueFont, true, true,
     &W::Text1, nullptr, "Formel", nullptr, nullptr, nullptr},
    {"Text2",     ControlKind::LineEdit,  1440, 3840, 5535,  285, {Typeface::WindowDefault, 0}, true, true,
     &W::Text2, nullptr, "Titel", nullptr, nullptr, nullptr},
    {"Text3",     ControlKind::MultiLine, 8160, 1320, 1935, 2415, {Typeface::Serif, 14.25, true, true}, true, false,
     &W::Text3, nullptr, "Hinweis", nullptr, nullptr, nullptr},
    {"Command1",  ControlKind::Button,    8160,  120, 1935,  495, {Typeface::Sans, 9.75, true}, false, false,
     nullptr, &W::Command1, "K: ", nullptr, nullptr, nullptr},
    {"Text4",     ControlKind::LineEdit,  8160,  600, 1935,  375, ValueFont, false, false,
     &W::Text4, nullptr, {}, &W::Text5, Text4_KeyPress, nullptr},
    {"Text5",     ControlKind::LineEdit,  8160,  960, 1935,  375, LabelFont, true, false,
     &W::Text5, nullptr, "Name der Konstante", nullptr, nullptr, nullptr},
    {"Text6",     ControlKind::MultiLine,  240, 1440, 7935, 2175, {Typeface::Serif, 12, true}, true, false,
     &W::Text6, nullptr, "Hilfe und Information", nullptr, nullptr, nullptr},
}};
// clang-format on

} // namespace kalvo
