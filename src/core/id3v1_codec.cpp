#include "core/id3v1_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>
#include <vector>

#include "core/app_options.h"

namespace tw::core {

namespace {

constexpr const char* kDefaultCodePage = "windows-1252";

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// The converter for the code page the options name, opened once per name and thread.
class CodePage {
public:
    static CodePage& current() {
        thread_local CodePage page;
        page.use(options().id3v1CodePage);
        return page;
    }

    UConverter* converter() const { return converter_.get(); }
    bool asciiCompatible() const { return asciiCompatible_; }
    bool singleByte() const { return ucnv_getMaxCharSize(converter_.get()) == 1; }

private:
    void use(const std::string& name) {
        if (converter_ && name == name_)
            return;
        name_ = name;
        UErrorCode status = U_ZERO_ERROR;
        converter_.reset(ucnv_open(name.c_str(), &status));
        if (U_FAILURE(status) || !converter_) {
            status = U_ZERO_ERROR;
            converter_.reset(ucnv_open(kDefaultCodePage, &status));
        }
        status = U_ZERO_ERROR;
        ucnv_setSubstChars(converter_.get(), "?", 1, &status);
        asciiCompatible_ = checkAscii();
    }

    bool checkAscii() {
        char bytes[128];
        for (int i = 0; i < 128; ++i)
            bytes[i] = static_cast<char>(i);
        UChar units[256];
        UErrorCode status = U_ZERO_ERROR;
        const int32_t n = ucnv_toUChars(converter_.get(), units, 256, bytes, 128, &status);
        if (U_FAILURE(status) || n != 128)
            return false;
        for (int i = 0; i < 128; ++i)
            if (units[i] != i)
                return false;
        return true;
    }

    std::string name_;
    std::unique_ptr<UConverter, ConverterCloser> converter_;
    bool asciiCompatible_ = false;
};

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string units(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(units.data()), static_cast<int32_t>(units.size()),
                         &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &status);
    units.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return units;
}

std::string fromUtf16(UConverter* converter, std::u16string_view units) {
    std::string out(static_cast<std::size_t>(UCNV_GET_MAX_BYTES_FOR_STRING(
                        units.size(), ucnv_getMaxCharSize(converter))) +
                        1,
                    '\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter);
    const int32_t n = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                      reinterpret_cast<const UChar*>(units.data()),
                                      static_cast<int32_t>(units.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return out;
}

}  // namespace

std::string decodeId3v1(std::string_view bytes) {
    CodePage& page = CodePage::current();
    if (page.asciiCompatible() && isAscii(bytes))
        return std::string(bytes);

    std::vector<UChar> units(bytes.size() * 2 + 1);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(page.converter());
    const int32_t count =
        ucnv_toUChars(page.converter(), units.data(), static_cast<int32_t>(units.size()),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    std::string out(static_cast<std::size_t>(count) * 3 + 1, '\0');
    int32_t length = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, units.data(), count,
                       0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::string encodeId3v1(std::string_view utf8, std::size_t maxBytes) {
    CodePage& page = CodePage::current();
    if (page.asciiCompatible() && isAscii(utf8))
        return std::string(utf8.substr(0, maxBytes));

    std::u16string units = toUtf16(utf8);
    // Every character takes at least one byte, so no more than maxBytes of them fit.
    std::size_t characters = 0;
    std::size_t keep = 0;
    while (keep < units.size() && characters < maxBytes) {
        keep += U16_IS_LEAD(units[keep]) && keep + 1 < units.size() && U16_IS_TRAIL(units[keep + 1])
                    ? 2
                    : 1;
        ++characters;
    }
    units.resize(keep);
    std::string bytes = fromUtf16(page.converter(), units);
    if (page.singleByte() || bytes.size() <= maxBytes)
        return bytes.substr(0, maxBytes);
    // A multi-byte code page: drop whole characters until the rest fits.
    while (!units.empty() && bytes.size() > maxBytes) {
        units.pop_back();
        if (!units.empty() && U16_IS_LEAD(units.back()))
            units.pop_back();
        bytes = fromUtf16(page.converter(), units);
    }
    return bytes;
}

}  // namespace tw::core
