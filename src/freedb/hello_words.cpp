// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/hello_words.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

#include "freedb/client_identity.h"

namespace tw::freedb {

namespace {

std::string systemUserName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name)
        return entry->pw_name;
    if (const char* user = std::getenv("USER"))
        return user;
    return "user";
}

std::string systemHostName() {
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) == 0 && name[0] != '\0')
        return name.data();
    return "hostname";
}

// A word of the hello line: `text`, or `fallback` when it is empty, with white space as "_".
std::string helloWord(std::string_view text, const std::string& fallback) {
    std::string word(text.empty() ? std::string_view(fallback) : text);
    for (char& c : word)
        if (c == ' ' || (c >= '\t' && c <= '\r'))
            c = '_';
    return word.empty() ? "_" : word;
}

}  // namespace

std::string HelloWords(std::string_view emailAddress) {
    const std::size_t at = emailAddress.find('@');
    const std::string_view user = emailAddress.substr(0, at);
    const std::string_view host =
        at == std::string_view::npos ? std::string_view() : emailAddress.substr(at + 1);
    return helloWord(user, systemUserName()) + ' ' + helloWord(host, systemHostName()) + ' ' +
           std::string(kClientName) + ' ' + std::string(kClientVersion);
}

}  // namespace tw::freedb
