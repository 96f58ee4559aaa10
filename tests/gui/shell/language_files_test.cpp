// The language files shipped in data/Lng: every entry names a text the program has, in the
// section where the program looks for it, and keeps the built-in text's conversions.
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "base/format.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/text.h"
#include "gui/commands/command_table.h"

namespace fs = std::filesystem;
namespace ids = tw::base::ids;

namespace {

using Entries = std::map<std::string, std::map<int, std::string>>;  // section -> id -> value

fs::path languageFolder() {
    return fs::path(TW_SOURCE_DIR) / "data" / "Lng";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// Reads a shipped file strictly: anything that is not a comment, a section or an entry of a
// section is reported in `problems`.
Entries readStrictly(const fs::path& path, QStringList& problems) {
    Entries entries;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::string section;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const QString where = QString::fromStdString(path.filename().string()) + QLatin1Char(':') +
                              QString::number(number);
        line = trimmed(line);
        if (!tw::base::isValidUtf8(line))
            problems << where + QStringLiteral(" is not UTF-8");
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || section.empty()) {
            problems << where + QStringLiteral(" is no entry of a section");
            continue;
        }
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (section == "Description")
            continue;
        int id = 0;
        try {
            id = std::stoi(key);
        } catch (const std::exception&) {
            problems << where + QStringLiteral(" has no numeric key");
            continue;
        }
        if (!entries[section].emplace(id, value).second)
            problems << where + QStringLiteral(" repeats its key");
    }
    return entries;
}

bool sectionFits(int id, const std::string& section) {
    if (section == "ToolTips" || section == "StatusBarMessages")
        return true;
    if (section == "MenusHeads")
        return id >= ids::kMenuHeadFirst && id < ids::kMenuHeadFirst + 10;
    if (section == "CommonButtons")
        return id >= ids::kButtonOk && id <= ids::kButtonDefault;
    return tw::base::LangString().SectionOf(id) == section;
}

}  // namespace

class LanguageFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyEntryFitsTheProgram() {
        int files = 0;
        for (const auto& file : fs::directory_iterator(languageFolder())) {
            if (file.path().extension() != ".lng")
                continue;
            ++files;
            QStringList problems;
            const Entries entries = readStrictly(file.path(), problems);
            for (const auto& [section, values] : entries) {
                for (const auto& [id, value] : values) {
                    const QString where = QString::fromStdString(file.path().filename().string() +
                                                                 " [" + section + "] ") +
                                          QString::number(id);
                    const std::string_view builtin = tw::base::builtinText(id);
                    if (builtin.empty())
                        problems << where + QStringLiteral(": no such text");
                    if (!sectionFits(id, section))
                        problems << where + QStringLiteral(": wrong section");
                    const std::size_t length = tw::base::codePointCount(value);
                    if (length < 2 || length > 299)
                        problems << where + QStringLiteral(": length ") + QString::number(length);
                    const bool formatted = section != "MenusHeads" && section != "ToolTips" &&
                                           section != "StatusBarMessages";
                    if (formatted && tw::base::conversionSignature(tw::base::Unescape(value)) !=
                                         tw::base::conversionSignature(builtin))
                        problems << where + QStringLiteral(": conversions differ");
                }
            }
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        }
        QVERIFY(files >= 2);
    }

    void theGermanFileCoversTheWholeShell() {
        QStringList problems;
        const Entries entries = readStrictly(languageFolder() / "Deutsch.lng", problems);
        auto has = [&entries](const std::string& section, int id) {
            auto it = entries.find(section);
            return it != entries.end() && it->second.count(id) > 0;
        };
        QStringList missing;
        std::vector<int> commands = tw::gui::mainMenuCommands();
        for (const auto* menu : {&tw::gui::folderTreeMenuSpec(), &tw::gui::fileListMenuSpec()})
            for (const tw::gui::MenuEntry& entry : *menu)
                if (!entry.isSeparator())
                    commands.push_back(entry.commandId);
        for (int id : commands) {
            if (!has("MenuItems", id))
                missing << QStringLiteral("MenuItems ") + QString::number(id);
            if (!has("StatusBarMessages", id))
                missing << QStringLiteral("StatusBarMessages ") + QString::number(id);
        }
        for (int id = ids::kMenuHeadFirst; id < ids::kMenuHeadFirst + 10; ++id)
            if (!has("MenusHeads", id))
                missing << QStringLiteral("MenusHeads ") + QString::number(id);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));

        // The rest of the table: texts added since the file was written are named, so they
        // can be translated, without failing the subsystems that add them.
        QStringList untranslated;
        for (std::size_t n = 0; n < tw::base::builtinTextCount(); ++n) {
            const int id = tw::base::builtinTextIdAt(n);
            const bool builtinMenuLabel = id >= ids::kMenuHeadLanguage && id < 63500;
            if (builtinMenuLabel || tw::base::codePointCount(tw::base::builtinText(id)) < 2)
                continue;
            bool found = false;
            for (const auto& [section, values] : entries)
                found = found || values.count(id) > 0;
            if (!found)
                untranslated << QString::number(id);
        }
        if (!untranslated.isEmpty())
            qWarning("Deutsch.lng lacks %s", qPrintable(untranslated.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(LanguageFilesTest)
#include "language_files_test.moc"
