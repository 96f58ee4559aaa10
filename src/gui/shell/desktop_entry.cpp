// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/desktop_entry.h"

#include "base/ascii.h"
#include "gui/shell/file_uri.h"

namespace tw::gui {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The string escapes of the format; an escape it does not define stays as written, so the
// Exec line's own quoting ("\$", "\"") reaches the next step.
void appendUnescaped(std::string& out, std::string_view raw, std::size_t& pos) {
    const char c = raw[pos];
    if (c != '\\' || pos + 1 == raw.size()) {
        out += c;
        ++pos;
        return;
    }
    switch (raw[pos + 1]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += raw.substr(pos, 2);
            break;
    }
    pos += 2;
}

std::string unescaped(std::string_view raw) {
    std::string out;
    for (std::size_t pos = 0; pos < raw.size();)
        appendUnescaped(out, raw, pos);
    return out;
}

bool speaksOfQueue(std::string_view text) {
    return base::asciiLower(text).find("queue") != std::string::npos;
}

}  // namespace

DesktopEntry DesktopEntry::parse(std::string_view text) {
    DesktopEntry entry;
    std::string group;
    bool inGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() == ']' && line.size() >= 2) {
                group = std::string(line.substr(1, line.size() - 2));
                inGroup = true;
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos)
            continue;
        const std::string_view name = trimmed(line.substr(0, equals));
        if (!name.empty())
            entry.keys_.try_emplace({group, std::string(name)}, trimmed(line.substr(equals + 1)));
    }
    return entry;
}

const std::string* DesktopEntry::find(std::string_view group, std::string_view key) const {
    const auto it = keys_.find({std::string(group), std::string(key)});
    return it == keys_.end() ? nullptr : &it->second;
}

std::optional<std::string> DesktopEntry::value(std::string_view group, std::string_view key) const {
    const std::string* raw = find(group, key);
    if (!raw)
        return std::nullopt;
    return unescaped(*raw);
}

std::vector<std::string> DesktopEntry::list(std::string_view group, std::string_view key) const {
    std::vector<std::string> parts;
    const std::string* value = find(group, key);
    if (!value)
        return parts;
    const std::string_view raw = *value;
    std::string part;
    for (std::size_t pos = 0; pos < raw.size();) {
        if (raw[pos] == ';') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
            ++pos;
        } else if (raw[pos] == '\\' && pos + 1 < raw.size() && raw[pos + 1] == ';') {
            part += ';';
            pos += 2;
        } else {
            appendUnescaped(part, raw, pos);
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

std::optional<std::string> enqueueActionExec(const DesktopEntry& entry) {
    for (const std::string& action : entry.list(kDesktopEntryGroup, "Actions")) {
        const std::string group = "Desktop Action " + action;
        const std::optional<std::string> name = entry.value(group, "Name");
        if (!speaksOfQueue(action) && !(name && speaksOfQueue(*name)))
            continue;
        if (std::optional<std::string> exec = entry.value(group, "Exec"))
            return exec;
    }
    return std::nullopt;
}

namespace {

// Splits an Exec line into arguments while it replaces the field codes.
class ExecSplitter {
public:
    explicit ExecSplitter(const ExecFields& fields) : fields_(fields) {}

    std::vector<std::string> split(std::string_view exec) {
        bool quoted = false;
        for (std::size_t pos = 0; pos < exec.size(); ++pos) {
            const char c = exec[pos];
            if (c == '"') {
                quoted = !quoted;
                started_ = true;
            } else if (quoted && c == '\\' && pos + 1 < exec.size() &&
                       std::string_view("\"`$\\").find(exec[pos + 1]) != std::string_view::npos) {
                arg_ += exec[++pos];
            } else if (!quoted && (isBlank(c) || c == '\n')) {
                endArgument();
            } else if (c == '%') {
                if (pos + 1 == exec.size() || !fieldCode(exec, ++pos, quoted))
                    return {};
            } else {
                arg_ += c;
                started_ = true;
            }
        }
        endArgument();
        if (quoted || args_.empty() || !tookFiles_)
            return {};
        return std::move(args_);
    }

private:
    // The code at exec[pos] (after its "%"); false for a code that makes the line malformed.
    bool fieldCode(std::string_view exec, std::size_t pos, bool quoted) {
        const char code = exec[pos];
        const bool alone =
            !started_ && !quoted && (pos + 1 == exec.size() || isBlank(exec[pos + 1]));
        switch (code) {
            case '%':
                arg_ += '%';
                break;
            case 'f':
            case 'u':
                tookFiles_ = true;
                if (!fields_.files.empty())
                    arg_ += code == 'f' ? fields_.files.front() : fileUri(fields_.files.front());
                break;
            case 'F':
            case 'U':
                if (!alone)
                    return false;
                tookFiles_ = true;
                for (const std::string& file : fields_.files)
                    args_.push_back(code == 'F' ? file : fileUri(file));
                return true;
            case 'i':
                if (!alone)
                    return false;
                if (!fields_.icon.empty()) {
                    args_.emplace_back("--icon");
                    args_.push_back(fields_.icon);
                }
                return true;
            case 'c':
                arg_ += fields_.name;
                break;
            case 'k':
                arg_ += fields_.entryPath;
                break;
            case 'd':
            case 'D':
            case 'n':
            case 'N':
            case 'v':
            case 'm':
                return true;  // gone, and an argument of nothing else goes with it
            default:
                return false;
        }
        started_ = true;
        return true;
    }

    void endArgument() {
        if (started_)
            args_.push_back(std::move(arg_));
        arg_.clear();
        started_ = false;
    }

    const ExecFields& fields_;
    std::vector<std::string> args_;
    std::string arg_;
    bool started_ = false;  // the current argument exists, even when it is still empty ("")
    bool tookFiles_ = false;
};

}  // namespace

std::vector<std::string> expandExec(std::string_view exec, const ExecFields& fields) {
    return ExecSplitter(fields).split(exec);
}

}  // namespace tw::gui
