// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/template_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/app_paths.h"
#include "base/ascii.h"
#include "base/settings_store.h"

namespace tw::exports {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolder = "templates";
constexpr std::string_view kSection = "Export";

bool hasKindExtension(const std::string& name, DocumentKind kind) {
    return base::endsWithNoCase(name, kind == DocumentKind::Html ? ".html" : ".rtf");
}

bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    const std::string la = base::asciiLower(a);
    const std::string lb = base::asciiLower(b);
    return la != lb ? la < lb : a < b;
}

std::string_view indexKey(DocumentKind kind) {
    return kind == DocumentKind::Html ? "TemplateID2" : "TemplateID1";
}

// Closes a descriptor when the read is done.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

std::vector<std::string> templateList(DocumentKind kind) {
    std::vector<std::string> names;
    for (const fs::path& data : base::dataFolders()) {
        std::error_code ec;
        // Any failure of the listing ends it: a folder that cannot be read offers nothing.
        for (auto it = fs::directory_iterator(data / kFolder, ec);
             !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (hasKindExtension(name, kind) && it->is_regular_file(ec))
                names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), lessNoCase);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

fs::path templateFilePath(std::string_view name) {
    if (!isPlainName(name))
        return {};
    for (const fs::path& data : base::dataFolders()) {
        std::error_code ec;
        fs::path candidate = data / kFolder / std::string(name);
        if (fs::is_regular_file(candidate, ec))
            return candidate;
    }
    return {};
}

std::optional<std::string> readTemplate(const fs::path& path) {
    if (path.empty())
        return std::nullopt;
    // Non-blocking, so that a FIFO named as a template fails instead of waiting for a writer.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat facts {};
    if (file.fd < 0 || ::fstat(file.fd, &facts) != 0 || !S_ISREG(facts.st_mode) ||
        static_cast<std::uintmax_t>(facts.st_size) > kMaxTemplateSize)
        return std::nullopt;

    std::string text(static_cast<std::size_t>(facts.st_size), '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t n = ::read(file.fd, text.data() + filled, text.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;  // the file shrank meanwhile: use what is there
        filled += static_cast<std::size_t>(n);
    }
    text.resize(filled);
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    return text;
}

int storedTemplateIndex(const base::SettingsStore& store, DocumentKind kind) {
    return store.getInt(kSection, indexKey(kind), 0);
}

void storeTemplateIndex(base::SettingsStore& store, DocumentKind kind, int index) {
    store.setInt(kSection, indexKey(kind), index);
}

std::string templateNameAt(const std::vector<std::string>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return list[static_cast<std::size_t>(index)];
}

}  // namespace tw::exports
