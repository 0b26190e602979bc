// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace kalvo {

// Colours as the window stores them: 0x00BBGGRR (blue, green, red bytes).
using Color = std::uint32_t;

namespace colors {
inline constexpr Color Red = 0x000000FF;
inline constexpr Color LightGreen = 0x0080FF80;
inline constexpr Color Yellow = 0x0000FFFF;
inline constexpr Color LightRed = 0x00C0C0FF;
inline constexpr Color LightCyan = 0x00FFFFC0;
inline constexpr Color LightViolet = 0x00FFC0FF;
inline constexpr Color LightPink = LightViolet; // the same colour, as the information box calls it
inline constexpr Color White = 0x00FFFFFF;
inline constexpr Color DarkGrey = 0x00404040;
} // namespace colors

// Lengths are in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
inline constexpr int NarrowWidth = 8580;
inline constexpr int WideWidth = 10800;
inline constexpr int DesignWidth = WideWidth;

struct Form {
    int width = DesignWidth;

    friend bool operator==(const Form&, const Form&) = default;
};

struct TextBox {
    std::string text;
    Color backColor = colors::White;
    bool enabled = true;
    bool visible = true;

    friend bool operator==(const TextBox&, const TextBox&) = default;
};

struct CommandButton {
    std::string caption;
    Color backColor = colors::LightGreen;
    bool enabled = true;
    bool visible = true;

    friend bool operator==(const CommandButton&, const CommandButton&) = default;
};

// The controls of the main window with the properties the logic reads and
// writes, in the state they have when the window has been created.
struct WindowModel {
    Form Kalvo;
    CommandButton A_Command{"Eingabe", colors::LightGreen};
    CommandButton B_Command{"Eingabe", colors::LightGreen};
    CommandButton C_Command{"Ausgabe", colors::Red};
    CommandButton Command1{"Eingabe", colors::LightGreen, false};
    TextBox A_Text{"1,0000E+0"};
    TextBox B_Text{"1,0000E+0"};
    TextBox C_Text{"1,0000E+0", colors::White, false};
    TextBox Text4{"1,0000E+0"};
    TextBox A_Anzeige{"Spannung / Volt", colors::Yellow, false};
    TextBox B_Anzeige{"Strom / Ampere", colors::Yellow, false};
    TextBox C_Anzeige{"Widerstand / Ohm", colors::Yellow, false};
    TextBox Text5{"Konstante", colors::Yellow, false};
    TextBox Text3{
        "Hier kann \r\nnur ein\r\nWert \r\neingegeben, \r\naber  nicht \r\nberechnet \r\nwerden\r\n",
        colors::LightRed, false};
    TextBox Text1{"Text1", colors::LightCyan};
    TextBox Text2{" Text2", colors::LightViolet};
    TextBox Text6{"Text6", colors::White, false, false};

    friend bool operator==(const WindowModel&, const WindowModel&) = default;
};

} // namespace kalvo
