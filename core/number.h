// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kalvo {

// A stored value remembers the kind it was produced in: start-up values and
// SpeedOfSound are 16-bit integers, typed values single precision, constants
// and computed results double precision. The kind decides how the value was
// rounded when it was made; all arithmetic is done in double precision.
enum class NumberKind { Integer, Single, Double };

class Number {
public:
    constexpr Number() = default;

    static constexpr Number integer(std::int16_t value)
    {
        return {static_cast<double>(value), NumberKind::Integer};
    }
    static constexpr Number single(float value) { return {static_cast<double>(value), NumberKind::Single}; }
    static constexpr Number real(double value) { return {value, NumberKind::Double}; }
    // What a quantity holds after its calculation failed: no number at all.
    static constexpr Number none() { return real(std::numeric_limits<double>::quiet_NaN()); }

    [[nodiscard]] constexpr double value() const { return m_value; }
    [[nodiscard]] constexpr NumberKind kind() const { return m_kind; }
    [[nodiscard]] bool hasValue() const { return std::isfinite(m_value); }

    // Same kind and same value; two "no value"s are equal as well.
    friend bool operator==(const Number& a, const Number& b)
    {
        return a.m_kind == b.m_kind && (a.m_value == b.m_value || (!a.hasValue() && !b.hasValue()));
    }

private:
    constexpr Number(double value, NumberKind kind) : m_value(value), m_kind(kind) {}

    double m_value = 0.0;
    NumberKind m_kind = NumberKind::Integer;
};

} // namespace kalvo
