// SPDX-License-Identifier: MIT
#include "core/parse.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <clocale> // newlocale, for strtod_l
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>

namespace kalvo {
namespace {

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 200000 && !defined(KALVO_READ_WITH_STRTOD)
#define KALVO_READ_WITH_STRTOD
#endif

#ifdef KALVO_READ_WITH_STRTOD
// The "C" locale for the C library's reader: a toolkit may set the
// program's locale from the environment, whose decimal point may be a comma.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}
#endif

// Decimal text in the C format to the nearest float or double, as
// std::from_chars reads it: out of range where it overflows, or where a
// number that is not zero becomes zero. libc++ before 20 (the web build's)
// cannot read floating point with from_chars; there the C library reads it,
// in the "C" locale whatever the program's.
template <typename Float> std::errc readDecimal(const char* first, const char* last, Float& value)
{
#ifdef KALVO_READ_WITH_STRTOD
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const Float read = std::is_same_v<Float, float> ? strtof_l(text.c_str(), &end, cLocale())
                                                    : strtod_l(text.c_str(), &end, cLocale());
    if (end == text.c_str())
        return std::errc::invalid_argument;
    if (std::isinf(read) || (read == 0 && errno == ERANGE))
        return std::errc::result_out_of_range;
    value = read;
    return {};
#else
    return std::from_chars(first, last, value).ec;
#endif
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool startsWithOneOf(std::string_view text, std::string_view characters)
{
    return !text.empty() && characters.find(text.front()) != std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The scanners below move over text and append what they read to out in the
// notation std::from_chars takes ("-12.5e+3").

std::size_t takeDigits(std::string_view& text, std::string& out)
{
    const auto count =
        static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), isDigit) - text.begin());
    out.append(text.substr(0, count));
    text.remove_prefix(count);
    return count;
}

void takeSign(std::string_view& text, std::string& out)
{
    if (!startsWithOneOf(text, "+-"))
        return;
    if (text.front() == '-')
        out += '-';
    text.remove_prefix(1);
}

struct Mantissa {
    std::size_t integerDigits;
    std::size_t fractionDigits;
};

Mantissa takeMantissa(std::string_view& text, std::string& out, std::string_view separators)
{
    const std::size_t integerDigits = takeDigits(text, out);
    if (!startsWithOneOf(text, separators))
        return {integerDigits, 0};
    out += '.';
    text.remove_prefix(1);
    return {integerDigits, takeDigits(text, out)};
}

// Far beyond any double's exponent, and beyond the number of digits any
// text can hold: a digit position plus an exponent saturated here keeps the
// sign of the true power of ten.
constexpr long long ExponentLimit = 1'000'000'000'000;

// An exponent letter, an optional sign and at least one digit; the value
// saturates at ExponentLimit. Nothing is taken where no digit follows.
std::optional<long long> takeExponent(std::string_view& text, std::string& out, std::string_view letters)
{
    if (!startsWithOneOf(text, letters))
        return std::nullopt;
    std::string_view rest = text.substr(1);
    std::string exponent = "e";
    takeSign(rest, exponent);
    const std::size_t digitsStart = exponent.size();
    if (takeDigits(rest, exponent) == 0)
        return std::nullopt;
    long long value = 0;
    for (const char digit : std::string_view(exponent).substr(digitsStart))
        value = std::min(value * 10 + (digit - '0'), ExponentLimit);
    out += exponent;
    text = rest;
    return exponent[1] == '-' ? -value : value;
}

// A strict number as from_chars reads it, and as its digits and power of
// ten: the value is 0.significant × 10^magnitude ("0012,50E+1" is
// 0.1250 × 10³). These decide a number that from_chars finds out of range.
struct StrictNumber {
    std::string text;
    std::string significant; // from the first digit that is not 0; empty for zero
    long long magnitude;
};

// The significant digits of a mantissa such as "0012.50" and the power of
// ten that puts the point before them: "1250" and 2.
std::pair<std::string, long long> significantDigits(std::string_view mantissa, std::size_t integerDigits)
{
    std::string digits;
    std::copy_if(mantissa.begin(), mantissa.end(), std::back_inserter(digits), isDigit);
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    return {digits.substr(first), static_cast<long long>(integerDigits) - static_cast<long long>(first)};
}

std::optional<StrictNumber> scanStrict(std::string_view text)
{
    std::string number;
    takeSign(text, number);
    const std::size_t mantissaStart = number.size();
    const Mantissa mantissa = takeMantissa(text, number, ",.");
    if (mantissa.integerDigits + mantissa.fractionDigits == 0)
        return std::nullopt;
    auto [significant, magnitude] =
        significantDigits(std::string_view(number).substr(mantissaStart), mantissa.integerDigits);
    if (startsWithOneOf(text, "Ee")) {
        const auto exponent = takeExponent(text, number, "Ee");
        if (!exponent)
            return std::nullopt;
        magnitude += *exponent;
    }
    if (!text.empty())
        return std::nullopt;
    return StrictNumber{std::move(number), std::move(significant), magnitude};
}

// The largest double is shown rounded as 1,7977E+308, and so is every number
// up to 1,79775E+308 = 0.179775 × 10^309; the digits alone decide it, on
// every platform alike (trailing zeros cannot turn "less" into "not less").
bool showsAsLargestDouble(const StrictNumber& number)
{
    return number.magnitude == 309 && number.significant < "179775";
}

bool fitsSingle(double value)
{
    const double magnitude = std::fabs(value);
    return value == 0.0 ||
           (magnitude >= std::numeric_limits<float>::min() && magnitude <= std::numeric_limits<float>::max());
}

// The value of a hexadecimal digit, or 16 for any other character.
int hexDigitValue(char c)
{
    const auto position = std::string_view("0123456789ABCDEF")
                              .find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return position == std::string_view::npos ? 16 : static_cast<int>(position);
}

double leadingInBase(std::string_view digits, int base)
{
    double value = 0.0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return std::isfinite(value) ? value : 0.0;
}

double leadingDecimal(std::string_view text)
{
    std::string number;
    takeSign(text, number);
    const Mantissa mantissa = takeMantissa(text, number, ".");
    if (mantissa.integerDigits + mantissa.fractionDigits == 0)
        return 0.0;
    takeExponent(text, number, "EeDd");
    double value = 0.0;
    if (readDecimal(number.data(), number.data() + number.size(), value) != std::errc{})
        return 0.0;
    return value;
}

} // namespace

std::optional<Number> ParseStrict(std::string_view text)
{
    const auto scanned = scanStrict(trimBlanks(text));
    if (!scanned)
        return std::nullopt;
    const char* first = scanned->text.data();
    const char* last = first + scanned->text.size();

    double value = 0.0;
    const std::errc error = readDecimal(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Out of range: too small is zero; too large is unreadable, except
        // the largest double as shown rounded, which must read back as what
        // it shows.
        const bool negative = scanned->text.front() == '-';
        if (scanned->magnitude <= 0)
            return Number::real(negative ? -0.0 : 0.0);
        if (!showsAsLargestDouble(*scanned))
            return std::nullopt;
        return Number::real(negative ? -std::numeric_limits<double>::max()
                                     : std::numeric_limits<double>::max());
    }
    if (error != std::errc{})
        return std::nullopt;
    if (fitsSingle(value)) {
        float single = 0.0F;
        if (readDecimal(first, last, single) == std::errc{})
            return Number::single(single);
    }
    return Number::real(value);
}

double ParseLenient(std::string_view text)
{
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return !isBlank(c) && c != '\n'; });
    const std::string_view rest(compact);
    if (rest.starts_with("&H") || rest.starts_with("&h"))
        return leadingInBase(rest.substr(2), 16);
    if (rest.starts_with("&O") || rest.starts_with("&o"))
        return leadingInBase(rest.substr(2), 8);
    return leadingDecimal(rest);
}

} // namespace kalvo
