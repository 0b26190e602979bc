// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"

#include "core/format.h"
#include "core/layout.h"

#include <algorithm>

namespace kalvo {
namespace {

void perform(Calculator& calc, const CatalogueStep& step)
{
    switch (step.kind) {
    case CatalogueStep::Kind::None:
        break;
    case CatalogueStep::Kind::Store:
        valueOf(calc.state, step.quantity) = step.compute != nullptr ? step.compute(calc.state) : step.number;
        break;
    case CatalogueStep::Kind::Show:
        fieldOf(calc.window, step.quantity).text =
            step.text.empty() ? FormatValue(valueOf(calc.state, step.quantity)) : std::string(step.text);
        break;
    }
}

// The explanation's lines joined by CR LF, as the box breaks its lines.
void writeExplanation(std::string& text, std::string_view explanation)
{
    text.clear();
    for (const char c : explanation) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
}

} // namespace

const CatalogueEntry* FindEntry(std::string_view name)
{
    const auto entries = Catalogue();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [name](const CatalogueEntry& e) { return e.name == name; });
    return found != entries.end() ? &*found : nullptr;
}

void ChooseFormula(Calculator& calc, const CatalogueEntry& entry)
{
    if (entry.hasConstantField())
        ShowConstantField(calc.window);
    else
        HideConstantField(calc.window);
    perform(calc, entry.beforeCode);
    calc.state.FormulaCode = entry.formulaCode;
    writeExplanation(calc.window.Text1.text, entry.explanation);
    calc.window.A_Anzeige.text = entry.labels[0];
    calc.window.B_Anzeige.text = entry.labels[1];
    calc.window.C_Anzeige.text = entry.labels[2];
    if (entry.hasConstantField())
        calc.window.Text5.text = entry.constantLabel;
    for (const CatalogueStep& step : entry.steps)
        perform(calc, step);
}

} // namespace kalvo
