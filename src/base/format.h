// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace tw::base {

// printf-style formatting that knows its arguments' types.
//
// Formats come from the string table and from language files, which anyone can edit. The
// formatter never reads an argument it was not given and never reads one as another type:
// each conversion takes the next argument only when the argument's kind fits the
// conversion; otherwise, and for conversions it does not allow ("%n", "%p", "*" widths), the
// conversion is copied as it stands. Widths and precisions above kMaxWidth make the
// conversion unusable in the same way.

// One argument, by kind. Strings are viewed, not copied: the argument must outlive the call.
class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Float, Char, String };

    template <typename T>
    requires(std::is_integral_v<T>&& std::is_signed_v<T> && !std::is_same_v<T, char>) FormatArg(T v)
        : kind_(Kind::Signed), signed_(v) {}
    template <typename T>
    requires(std::is_integral_v<T>&& std::is_unsigned_v<T> && !std::is_same_v<T, bool>)
        FormatArg(T v)
        : kind_(Kind::Unsigned), unsigned_(v) {}
    FormatArg(char c) : kind_(Kind::Char), signed_(static_cast<unsigned char>(c)) {}
    FormatArg(double v) : kind_(Kind::Float), float_(v) {}
    FormatArg(float v) : kind_(Kind::Float), float_(v) {}
    FormatArg(std::string_view s) : kind_(Kind::String), string_(s) {}
    FormatArg(const std::string& s) : kind_(Kind::String), string_(s) {}
    FormatArg(const char* s) : kind_(Kind::String), string_(s ? s : "") {}

    Kind kind() const { return kind_; }
    std::int64_t asSigned() const { return signed_; }
    std::uint64_t asUnsigned() const { return unsigned_; }
    double asFloat() const { return float_; }
    std::string_view asString() const { return string_; }

private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    double float_ = 0;
    std::string_view string_;
};

using FormatArgs = std::span<const FormatArg>;

inline constexpr int kMaxWidth = 1024;

// What kind of argument a conversion takes. Integers: d i u o x X; Char: c; String: s;
// Float: f F e E g G a A.
enum class ConversionKind { Integer, Char, String, Float };

// The conversions of a format in order, or nothing when the format holds one that the
// formatter will not perform (see above). "%%" is no conversion.
struct ConversionSignature {
    bool usable = true;
    std::string kinds;  // one letter per conversion: 'i', 'c', 's', 'f'
    bool operator==(const ConversionSignature&) const = default;
};
ConversionSignature conversionSignature(std::string_view format);

// Formats `format` with `args` as described above.
std::string formatChecked(std::string_view format, FormatArgs args);

template <typename... Args>
std::string formatText(std::string_view format, const Args&... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
    return formatChecked(format, FormatArgs(list, sizeof...(Args)));
}

}  // namespace tw::base
