// SPDX-License-Identifier: MIT
#include "invariants.h"

#include "core/format.h"
#include "core/parse.h"
#include "core/quantity.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kalvo::testing {
namespace {

struct LetterConstants {
    const char* letter;
    std::array<Number Constants::*, 2> constants;
};

// Every constant a letter can stand for, under any formula.
const std::array<LetterConstants, 9> Letters{{
    {"c", {&Constants::SpeedOfLight, &Constants::SpeedOfLightRoot2}},
    {"s", {&Constants::SpeedOfSound, nullptr}},
    {"g", {&Constants::Gravity, nullptr}},
    {"e", {&Constants::EulerE, nullptr}},
    {"u", {&Constants::RefVoltage, nullptr}},
    {"i", {&Constants::RefCurrent, nullptr}},
    {"p", {&Constants::RefPressure, nullptr}},
    {"N", {&Constants::RefPower, nullptr}},
    {"P", {&Constants::RefIntensity, nullptr}},
}};

bool showsLetterOf(const std::string& text, const Number& stored, const Constants& constants)
{
    return std::any_of(Letters.begin(), Letters.end(), [&](const LetterConstants& row) {
        return text == row.letter &&
               std::any_of(row.constants.begin(), row.constants.end(), [&](auto constant) {
                   return constant != nullptr && constants.*constant == stored;
               });
    });
}

bool looksLikeNoNumber(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.empty() || text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

void checkOutput(const CalcState& state, const WindowModel& window, std::vector<std::string>& violations)
{
    int outputs = 0;
    for (const Quantity q : OutputCandidates) {
        const QuantityPlaces& places = placesOf(q);
        const bool output = state.*places.inputFlag == 0;
        outputs += output ? 1 : 0;
        const CommandButton& button = window.*places.button;
        const std::string name(1, static_cast<char>('A' + static_cast<int>(q)));
        if (state.*places.inputFlag != 0 && state.*places.inputFlag != 1)
            violations.push_back("output flag of " + name + " is neither 0 nor 1");
        if (fieldOf(window, q).enabled == output)
            violations.push_back("field of " + name +
                                 (output ? " is open although" : " is closed although not") + " the output");
        if (button.caption != (output ? "Ausgabe" : "Eingabe") ||
            button.backColor != (output ? colors::Red : colors::LightGreen))
            violations.push_back("button of " + name + " does not show its role");
    }
    if (outputs != 1)
        violations.push_back(std::to_string(outputs) + " outputs instead of one");
}

void checkLayout(const WindowModel& window, std::vector<std::string>& violations)
{
    const int width = window.Kalvo.width;
    if (width != NarrowWidth && width != WideWidth)
        violations.push_back("window is " + std::to_string(width) + " twips wide");
    const bool wide = width == WideWidth;
    for (const bool visible :
         {window.Text3.visible, window.Text4.visible, window.Text5.visible, window.Command1.visible})
        if (visible != wide)
            violations.emplace_back("constant column does not match the window's width");
}

void checkValues(const CalcState& state, const WindowModel& window, std::vector<std::string>& violations)
{
    for (const Quantity q : {Quantity::A, Quantity::B, Quantity::C, Quantity::K}) {
        const std::string& text = fieldOf(window, q).text;
        const Number& stored = valueOf(state, q);
        const std::string where =
            "field " + std::string(1, "ABCK"[static_cast<int>(q)]) + " \"" + text + "\"";
        if (looksLikeNoNumber(text)) {
            violations.push_back(where + " shows no number");
            continue;
        }
        if (text == NoValueText) {
            if (stored.hasValue())
                violations.push_back(where + " although its quantity has a value");
            continue;
        }
        if (!stored.hasValue()) {
            violations.push_back(where + " holds no value but does not say so");
            continue;
        }
        if (const auto shown = ParseStrict(text)) {
            if (FormatValue(*shown) != FormatValue(stored))
                violations.push_back(where + " but stores " + FormatValue(stored));
        } else if (!showsLetterOf(text, stored, state.constants)) {
            violations.push_back(where + " is neither a number nor a letter for the stored " +
                                 FormatValue(stored));
        }
    }
}

} // namespace

std::vector<std::string> invariantViolations(const CalcState& state, const WindowModel& window)
{
    std::vector<std::string> violations;
    checkOutput(state, window, violations);
    checkLayout(window, violations);
    checkValues(state, window, violations);
    return violations;
}

} // namespace kalvo::testing
