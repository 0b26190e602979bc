// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"
#include "core/member_of.h"

#include <array>
#include <cstdint>

namespace kalvo {

// The three quantities of every formula and the constant K.
enum class Quantity { A, B, C, K };

inline constexpr std::array<Quantity, 3> OutputCandidates{Quantity::A, Quantity::B, Quantity::C};

// Where each quantity lives in the state and in the window.
struct QuantityPlaces {
    MemberOf<CalcState, Number> value;
    MemberOf<WindowModel, TextBox> field;
    MemberOf<WindowModel, TextBox> label;
    MemberOf<CalcState, std::int16_t> inputFlag; // none for K: K is never the output
    MemberOf<WindowModel, CommandButton> button; // none for K
};

inline constexpr std::array<QuantityPlaces, 4> PlacesOfQuantity{{
    {&CalcState::ValueA, &WindowModel::A_Text, &WindowModel::A_Anzeige, &CalcState::InputFlagA,
     &WindowModel::A_Command},
    {&CalcState::ValueB, &WindowModel::B_Text, &WindowModel::B_Anzeige, &CalcState::InputFlagB,
     &WindowModel::B_Command},
    {&CalcState::ValueC, &WindowModel::C_Text, &WindowModel::C_Anzeige, &CalcState::InputFlagC,
     &WindowModel::C_Command},
    {&CalcState::ValueK, &WindowModel::Text4, &WindowModel::Text5, nullptr, nullptr},
}};

constexpr const QuantityPlaces& placesOf(Quantity quantity)
{
    return PlacesOfQuantity[static_cast<std::size_t>(quantity)];
}

inline Number& valueOf(CalcState& state, Quantity quantity)
{
    return state.*placesOf(quantity).value;
}

inline const Number& valueOf(const CalcState& state, Quantity quantity)
{
    return state.*placesOf(quantity).value;
}

inline TextBox& fieldOf(WindowModel& window, Quantity quantity)
{
    return window.*placesOf(quantity).field;
}

inline const TextBox& fieldOf(const WindowModel& window, Quantity quantity)
{
    return window.*placesOf(quantity).field;
}

inline bool isOutput(const CalcState& state, Quantity quantity)
{
    const auto flag = placesOf(quantity).inputFlag;
    return flag != nullptr && state.*flag == 0;
}

} // namespace kalvo
