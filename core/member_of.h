// SPDX-License-Identifier: MIT
#pragma once

namespace kalvo {

// A pointer to a member of Class of type T, as the tables name the fields of
// the state and of the window. Spelt through this alias, the declarations
// read the same to every version of clang-format.
template <typename Class, typename T> using MemberOf = T Class::*;

} // namespace kalvo
