// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/code_page.h"

#include <unicode/ucnv.h>

#include <array>

#include "base/text.h"

namespace tw::base {

namespace {

UConverter* openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &status);
    if (U_FAILURE(status)) {
        if (converter)
            ucnv_close(converter);
        return nullptr;
    }
    return converter;
}

}  // namespace

void CodePage::Closer::operator()(UConverter* c) const {
    ucnv_close(c);
}

CodePage::CodePage(const char* name)
    : page_(openConverter(name)),
      toUtf8_(openConverter("UTF-8")),
      fromUtf8_(openConverter("UTF-8")) {
    if (!page_)
        return;
    // ICU's own substitute for most single-byte pages is the SUB control character; what the
    // program writes for a character the page lacks is "?".
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(page_.get(), "?", 1, &status);
}

CodePage::~CodePage() = default;
CodePage::CodePage(CodePage&&) noexcept = default;
CodePage& CodePage::operator=(CodePage&&) noexcept = default;

std::string CodePage::convert(UConverter* to, UConverter* from, std::string_view in) const {
    std::string out;
    std::array<char, 4096> buffer;
    std::array<UChar, 1024> pivot;
    UChar* pivotSource = pivot.data();
    UChar* pivotTarget = pivot.data();
    const char* source = in.data();
    const char* sourceLimit = in.data() + in.size();
    bool reset = true;
    for (;;) {
        char* target = buffer.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_convertEx(to, from, &target, buffer.data() + buffer.size(), &source, sourceLimit,
                       pivot.data(), &pivotSource, &pivotTarget, pivot.data() + pivot.size(), reset,
                       true, &status);
        reset = false;
        out.append(buffer.data(), static_cast<std::size_t>(target - buffer.data()));
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        return out;  // done, or an error that substitution could not absorb: keep what we have
    }
}

std::string CodePage::decode(std::string_view bytes) const {
    if (!ok())
        return std::string(bytes);
    return convert(toUtf8_.get(), page_.get(), bytes);
}

std::string CodePage::encode(std::string_view utf8) const {
    if (!ok())
        return std::string(utf8);
    return convert(page_.get(), fromUtf8_.get(), utf8);
}

std::string CodePage::decodeUnlessUtf8(std::string_view line) const {
    return isValidUtf8(line) ? std::string(line) : decode(line);
}

std::string decodeCodePage(std::string_view bytes, const char* name) {
    return CodePage(name).decode(bytes);
}

std::string encodeCodePage(std::string_view utf8, const char* name) {
    return CodePage(name).encode(utf8);
}

std::string decodeLinesUnlessUtf8(std::string_view text, const char* name) {
    CodePage page(name);
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        end = end == std::string_view::npos ? text.size() : end + 1;
        out += page.decodeUnlessUtf8(text.substr(0, end));
        text.remove_prefix(end);
    }
    return out;
}

}  // namespace tw::base
