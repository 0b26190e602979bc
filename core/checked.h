// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <optional>

// Every failure is found by its non-finite result; a build that assumes
// there are none would turn 1/0, ln 0 and the root of -1 into numbers.
#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "Kalvo must be built without -ffast-math and -ffinite-math-only"
#endif

namespace kalvo {

// A real number in the middle of a calculation, or the failure of an earlier
// step. Every step must give a finite real number: a division by zero, the
// logarithm of a number ≤ 0, the root of a negative number, a negative base
// with a fractional exponent and a result beyond the double range give an
// infinity or NaN and fail, and a failure stays a failure through every later
// step. An underflow is no failure: it gives the tiny number or 0.
class Checked {
public:
    Checked(double value) : m_value(checkedValue(value)) {} // NOLINT: numbers mix freely in equations

    static Checked failure() { return {}; }

    [[nodiscard]] bool failed() const { return !m_value.has_value(); }
    [[nodiscard]] std::optional<double> result() const { return m_value; }

    friend Checked operator+(Checked a, Checked b)
    {
        return apply(a, b, [](double x, double y) { return x + y; });
    }
    friend Checked operator-(Checked a, Checked b)
    {
        return apply(a, b, [](double x, double y) { return x - y; });
    }
    friend Checked operator*(Checked a, Checked b)
    {
        return apply(a, b, [](double x, double y) { return x * y; });
    }
    friend Checked operator/(Checked a, Checked b)
    {
        return apply(a, b, [](double x, double y) { return x / y; });
    }
    friend Checked operator-(Checked a) { return a.failed() ? a : Checked(-*a.m_value); }

    // A test of a computed value; a failed value fails the whole equation.
    friend std::optional<bool> isZero(Checked a)
    {
        if (a.failed())
            return std::nullopt;
        return *a.m_value == 0.0;
    }

    friend Checked ln(Checked a) { return a.failed() ? a : Checked(std::log(*a.m_value)); }
    friend Checked exp(Checked a) { return a.failed() ? a : Checked(std::exp(*a.m_value)); }
    friend Checked sqrt(Checked a) { return a.failed() ? a : Checked(std::sqrt(*a.m_value)); }
    // 0 to a negative power is infinite and a negative base with a fractional
    // exponent gives NaN: both fail as results beyond the real numbers.
    friend Checked pow(Checked base, Checked exponent)
    {
        return apply(base, exponent, [](double x, double y) { return std::pow(x, y); });
    }

private:
    Checked() = default;

    static std::optional<double> checkedValue(double value)
    {
        if (std::isfinite(value))
            return value;
        return std::nullopt;
    }

    template <typename Operation> static Checked apply(Checked a, Checked b, Operation operation)
    {
        if (a.failed() || b.failed())
            return failure();
        return operation(*a.m_value, *b.m_value);
    }

    std::optional<double> m_value;
};

} // namespace kalvo
