// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"
#include "core/help.h"
#include "core/quantity.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kalvo {

enum class Menu { Formeln, LogExp };

// One step of setting up a formula after its labels: store a starting value,
// or write a starting text into a value field.
struct CatalogueStep {
    enum class Kind { None, Store, Show };
    using Compute = Number (*)(const CalcState&);

    Kind kind = Kind::None;
    Quantity quantity = Quantity::A;
    Number number;             // Store: the value, unless computed
    Compute compute = nullptr; // Store: computed from constants and stored values
    std::string_view text;     // Show: a fixed text; empty: the stored value, formatted
};

constexpr CatalogueStep store(Quantity quantity, Number number)
{
    return {CatalogueStep::Kind::Store, quantity, number, nullptr, {}};
}

constexpr CatalogueStep store(Quantity quantity, CatalogueStep::Compute compute)
{
    return {CatalogueStep::Kind::Store, quantity, {}, compute, {}};
}

constexpr CatalogueStep show(Quantity quantity, std::string_view text)
{
    return {CatalogueStep::Kind::Show, quantity, {}, nullptr, text};
}

constexpr CatalogueStep showStored(Quantity quantity)
{
    return show(quantity, {});
}

struct CatalogueEntry {
    Menu menu;
    std::string_view name;    // the menu item's name, as in "Kanalkapazität"
    std::string_view caption; // the menu item's text
    std::int16_t formulaCode;
    std::array<std::string_view, 3> labels; // of A, B and C
    std::string_view constantLabel;         // of K; empty for formulas without K
    std::string_view explanation;           // lines separated by '\n'
    CatalogueStep beforeCode;               // a value stored before the code, if any
    std::array<CatalogueStep, 8> steps;     // starting values and texts, in order

    [[nodiscard]] constexpr bool hasConstantField() const { return !constantLabel.empty(); }
};

// The menu bar: the two menus of formulas, then two items of its own.
struct MenuDesign {
    Menu menu;
    std::string_view caption;
    std::string_view name;
};

inline constexpr std::array<MenuDesign, 2> Menus{{
    {Menu::Formeln, "Formeln", "Formeln"},
    {Menu::LogExp, "Log/Exp", "logexp"},
}};

struct MenuCommand {
    std::string_view caption; // also its name
    void (*click)(Calculator&);
};

inline constexpr std::array<MenuCommand, 2> MenuCommands{{
    {"Hilfe", Hilfe_Click},
    {"Information", Information_Click},
}};

// Every formula, in the order of the menus "Formeln" and "Log/Exp".
std::span<const CatalogueEntry> Catalogue();

// The entry of the menu item with this name; nullptr if there is none.
const CatalogueEntry* FindEntry(std::string_view name);

// What a click on the entry's menu item does: switch the calculator to its
// formula with the entry's layout, texts, labels and starting values. Runs no
// solver and leaves the output choice alone.
void ChooseFormula(Calculator& calc, const CatalogueEntry& entry);

} // namespace kalvo
