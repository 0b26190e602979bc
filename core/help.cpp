// SPDX-License-Identifier: MIT
#include "core/help.h"

namespace kalvo {

const std::string_view HelpText =
    "Durch Anklicken eines grünen Feldes mit >Eingabe< können Sie die zu berechnende Ausgabe-Größe "
    "auswählen.\r\n"
    "Durch Eingabe von Zahlen können Sie die weißen Eingabefelder verändern\r\n"
    "Mit >Enter< leiten Sie dann die Rechnung ein\r\n"
    "Die Eingabe von Buchstaben und Sonderzeichen kann falsche Eingaben bewirken. Lediglich die besonders "
    "genannten Konstanten\r\n"
    "wie c, g und s sind gültige Eingaben.";

const std::string_view InformationText =
    "Dieses Programm wurde in Anlehnung an magnetkarten-programmierbare Taschenrechner von Brannok "
    "entwickelt.\r\n"
    "Für Hinweise und Kritiken ist der Autor dankbar.\r\n"
    "\r\n"
    "Die Weiterentwicklung des Programms erfolgt.\r\n"
    "Hinweise senden Sie bitte über die Projektseite an den Autor.\r\n"
    "Weitere kleine Programme finden Sie ebenfalls dort.\r\n";

namespace {

void toggleText6(Calculator& calc, Color backColor, std::string_view text)
{
    if (calc.state.Text6Shown == 1) {
        calc.window.Text6.visible = false;
        calc.state.Text6Shown = 0;
        return;
    }
    calc.state.Text6Shown = 1;
    calc.window.Text6.visible = true;
    calc.window.Text6.backColor = backColor;
    calc.window.Text6.text = text;
}

} // namespace

void Hilfe_Click(Calculator& calc)
{
    toggleText6(calc, colors::White, HelpText);
}

void Information_Click(Calculator& calc)
{
    toggleText6(calc, colors::LightPink, InformationText);
}

} // namespace kalvo
