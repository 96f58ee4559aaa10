// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes to the language-file reader, then uses every value it finds the way
// the program does: unescaped, checked against a built-in format and formatted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/format.h"
#include "base/language.h"
#include "base/language_file.h"

namespace {

constexpr std::string_view kSections[] = {
    "MenuItems", "menuitems", "TabNames", "DlgMessage", "StatusBarIndicators", "Description", "S"};
constexpr std::string_view kKeys[] = {"1", "2", "57348", "61221", "30009", "author", "57601"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tw::base::LanguageFile file = tw::base::LanguageFile::parse(bytes);
    for (std::string_view section : kSections) {
        for (std::string_view key : kKeys) {
            auto value = file.value(section, key);
            if (!value)
                continue;
            std::string text = tw::base::Unescape(*value);
            (void)tw::base::conversionSignature(text);
            (void)tw::base::formatText(text, 42, "text", 2.5, 'c', 7u);
            (void)tw::base::formatText(text);
        }
    }
    return 0;
}
