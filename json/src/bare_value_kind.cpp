#include "bare_value_kind.h"

#include <charconv>
#include <system_error>

#include "json/json_document.h"
#include "platform/text_rules.h"

namespace fernwick {

namespace {

constexpr int kSignificantDigits = 13;

// True when reading the value as a decimal number (its leading numeric part,
// as atof reads it) and formatting that number with "%.13g" gives back
// exactly the value, so -12 and 0.5 count but 1.0, 1e3 and 007 do not.
//
// from_chars and to_chars do this without the locale, which the desktop
// toolkit changes for the whole process. They agree with atof and "%.13g" in
// the "C" locale on every value that can read back:
// - Whatever "%.13g" prints for a finite number is an optional "-", digits
//   with an optional ".", and an optional exponent; from_chars reads exactly
//   that syntax, and both it and atof round correctly, so they give the same
//   number. A value with anything else in it (leading blanks or "+", which
//   atof skips or accepts, trailing text, hexadecimal) never equals what is
//   printed, so both ways reject it.
// - The C++ standard defines to_chars with a precision as printing what
//   printf prints for "%.{precision}g" in the "C" locale.
// - A value that overflows or underflows is refused by from_chars and turned
//   by atof into an infinity or zero, which prints as "inf" or "0", text a
//   value with digits beyond the range never is.
// - "inf", "nan" and "-nan" read back as atof and "%.13g" have them (the C
//   library spells them so both ways), and so does from_chars with to_chars.
bool reads_back_as_number(std::string_view value)
{
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end == value.data())
        return false;
    char printed[32];
    const auto written = std::to_chars(printed, printed + sizeof printed, number, std::chars_format::general,
                                       kSignificantDigits);
    return written.ec == std::errc() && std::string_view(printed, written.ptr) == value;
}

} // namespace

int bare_value_kind(const Text& value)
{
    if (reads_back_as_number(value))
        return json_kind::kNumber;
    const Text upper = text::to_upper(value);
    if (upper == "TRUE" || upper == "FALSE")
        return json_kind::kBoolean;
    if (value.empty() || upper == "NULL")
        return json_kind::kNull;
    return json_kind::kOther;
}

} // namespace fernwick
