// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built tunewright-cli on temporary folders, as a script would.

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "base/product_version.h"
#include "cli_harness.h"
#include "core/undo_record.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"

namespace tw::cli {
namespace {

class CliTest : public ::testing::Test {
protected:
    test::CliOutcome run(const std::vector<std::string>& args) {
        return test::runProgramAtHome(args, home.path());
    }

    static QJsonDocument parse(const std::string& json) {
        QJsonParseError error;
        QJsonDocument document = QJsonDocument::fromJson(
            QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError)
            << error.errorString().toStdString() << " in " << json;
        return document;
    }

    static QJsonValue at(const QJsonObject& object, const char* group, const char* field) {
        return object.value(QLatin1String(group)).toObject().value(QLatin1String(field));
    }
    static QString text(const QJsonObject& object, const char* group, const char* field) {
        return at(object, group, field).toString();
    }

    test::TempDir home;
    test::TempDir music;
};

TEST_F(CliTest, ListPrintsEveryFileAsValidJson) {
    test::writeMp3(music, "one.mp3",
                   {.id3v2 = test::Id3v2Builder(3)
                                 .text("TIT2", "Caf\xC3\xA9 \"quoted\"\n")
                                 .text("TCOM", "Composer")
                                 .build(),
                    .audio = test::defaultAudio()});
    // A file name that is not UTF-8 still gives valid JSON.
    test::writeMp3(music, "Latin\xE9.MP3",
                   {.audio = test::defaultAudio(), .id3v1 = test::id3v1Tag({.title = "T\t1"})});

    const test::CliOutcome result = run({"list", music.path().string(), "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QJsonArray records = parse(result.out).array();
    ASSERT_EQ(records.size(), 2);
    for (const QJsonValue& value : records) {
        const QJsonObject record = value.toObject();
        EXPECT_GT(record.value(QLatin1String("size")).toInteger(), 0);
        EXPECT_EQ(text(record, "stream", "Bitrate"), QLatin1String("128 kbps"));
        EXPECT_TRUE(at(record, "id3v2", "encodedBy").isString());
        EXPECT_TRUE(at(record, "lyrics", "text").isString());
        if (record.value(QLatin1String("fileName")).toString() == QLatin1String("one.mp3")) {
            EXPECT_EQ(text(record, "id3v2", "title"),
                      QString::fromUtf8("Caf\xC3\xA9 \"quoted\"\n"));
            EXPECT_EQ(text(record, "id3v2", "composer"), QLatin1String("Composer"));
        } else {
            EXPECT_EQ(text(record, "id3v1", "title"), QLatin1String("T\t1"));
        }
    }

    const test::CliOutcome tsv = run({"list", music.path().string()});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 3);
    EXPECT_TRUE(tsv.out.starts_with("fileName\tpath\t"));
}

TEST_F(CliTest, ListRecursiveReadsTheTreeAndTellsALoopOnceOnStderr) {
    const test::Mp3Parts parts{.audio = test::defaultAudio()};
    test::writeMp3(music, "top.mp3", parts);
    std::filesystem::create_directories(music / "Artist" / "Album");
    test::writeMp3(music, "Artist/Album/01.mp3", parts);
    std::filesystem::create_directory_symlink("../..", music / "Artist" / "Album" / "loop");

    const test::CliOutcome flat = run({"list", music.path().string()});
    ASSERT_EQ(flat.status, 0) << flat.err;
    EXPECT_EQ(std::count(flat.out.begin(), flat.out.end(), '\n'), 2);
    EXPECT_EQ(flat.out.find("01.mp3"), std::string::npos);

    const test::CliOutcome tree = run({"list", "--recursive", music.path().string()});
    ASSERT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(std::count(tree.out.begin(), tree.out.end(), '\n'), 3);
    EXPECT_NE(tree.out.find("\n01.mp3\t" + music.folder() + "Artist/Album/01.mp3\t"),
              std::string::npos);
    EXPECT_EQ(tree.err, "1 folder(s) reached again through links, read once: " + music.folder() +
                            "Artist/Album/loop/\n");
}

TEST_F(CliTest, SetSavesTheFieldsThatListThenShows) {
    const std::string path = test::writeMp3(music, "song.mp3", {.audio = test::defaultAudio()});
    std::ofstream(home / "lyrics.txt") << "  first line\nsecond line\n";

    const test::CliOutcome set = run(
        {"set", path, "--title", "New title", "--track", "3/12", "--genre", "rock", "--year",
         "1999", "--url", "http://example.org", "--lyrics-file", (home / "lyrics.txt").string()});
    ASSERT_EQ(set.status, 0) << set.err;

    const test::CliOutcome show = run({"show", path});
    ASSERT_EQ(show.status, 0) << show.err;
    const QJsonObject record = parse(show.out).object();
    EXPECT_EQ(text(record, "id3v1", "title"), QLatin1String("New title"));
    EXPECT_EQ(text(record, "id3v2", "title"), QLatin1String("New title"));
    EXPECT_EQ(text(record, "id3v2", "yearText"), QLatin1String("1999"));
    EXPECT_EQ(text(record, "id3v2", "url"), QLatin1String("http://example.org"));
    EXPECT_EQ(at(record, "id3v1", "genre").toInt(), 17);
    EXPECT_EQ(at(record, "id3v2", "trackTotal").toInt(), 12);
    EXPECT_EQ(text(record, "lyrics", "text"), QLatin1String("first line\nsecond line"));
    EXPECT_TRUE(
        record.value(QLatin1String("infoText")).toString().startsWith(QLatin1String("Size:")));

    const test::CliOutcome clear = run({"clear", "--v2", path});
    ASSERT_EQ(clear.status, 0) << clear.err;
    const QJsonObject cleared = parse(run({"show", path}).out).object();
    EXPECT_FALSE(at(cleared, "id3v2", "inFile").toBool());
    EXPECT_EQ(text(cleared, "id3v1", "title"), QLatin1String("New title"));
}

TEST_F(CliTest, AFailedSaveGivesANonZeroStatusAndNamesTheFile) {
    // Too short to carry an ID3v1 tag: the save fails and the file stays as it was.
    const std::string tiny = test::writeMp3(music, "tiny.mp3", {.audio = test::shortestAudio()});
    const std::string good = test::writeMp3(music, "good.mp3", {.audio = test::defaultAudio()});
    const test::Bytes before = test::readBytes(tiny);

    const test::CliOutcome result = run({"set", "--v1", "--title", "T", good, tiny});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("  tiny.mp3: it is shorter than 128 bytes"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("good.mp3"), std::string::npos) << result.err;
    EXPECT_EQ(test::readBytes(tiny), before);

    const test::CliOutcome missing = run({"set", "--title", "T", (music / "missing.mp3").string()});
    EXPECT_EQ(missing.status, 1);
}

TEST_F(CliTest, TagsAreOnlyEverWrittenIntoMpegAudio) {
    // Some tools append an ID3v1 tag to WAV files; even that one is left alone.
    const test::Bytes wav = test::join({test::bytesOf("RIFF"),
                                        {36, 1, 0, 0},
                                        test::bytesOf("WAVEfmt "),
                                        test::Bytes(300, 0),
                                        test::id3v1Tag({.title = "v1"})});
    const auto headed = [](std::string_view magic) {
        return test::join(
            {test::bytesOf(magic), test::Bytes(300, 0x55), test::id3v1Tag({.title = "v1"})});
    };
    const std::string image = (home / "cover.png").string();
    test::writeBytes(image, test::join({test::bytesOf("\x89PNG\r\n\x1a\n"), test::Bytes(40, 1)}));
    const std::string path = (music / "sound.mp3").string();
    const std::pair<test::Bytes, std::string> files[] = {
        {wav, "it is not an MPEG audio file but WAV"},
        {headed("wvpk"), "it is not an MPEG audio file but WavPack"},
        {headed("MAC "), "it is not an MPEG audio file but Monkey's Audio"},
        {headed("TTA1"), "it is not an MPEG audio file but TTA"},
        {headed("MPCK"), "it is not an MPEG audio file but Musepack"},
        {headed(""), "no MPEG audio was found in it"},
    };
    for (const auto& [bytes, reason] : files) {
        test::writeBytes(path, bytes);
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"set", "--title", "T", path},
              std::vector<std::string>{"clear", "--v1", path},
              std::vector<std::string>{"picture", "add", path, "--image", image}}) {
            SCOPED_TRACE(reason + ", " + command.front());
            const test::CliOutcome result = run(command);
            EXPECT_EQ(result.status, 1);
            EXPECT_NE(result.err.find("sound.mp3: " + reason), std::string::npos) << result.err;
            EXPECT_EQ(test::readBytes(path), bytes);
        }
    }
}

// ID3v2 allows several pictures of a type, told apart by their descriptions.
TEST_F(CliTest, PictureAddKeepsOtherPicturesAndSaysWhatItReplaces) {
    ASSERT_TRUE(test::mutagenAvailable()) << "/usr/bin/python3 cannot import mutagen";
    const test::Bytes scan = test::join({test::bytesOf("\xFF\xD8\xFF"), test::Bytes(50, 2)});
    const std::string path = test::writeMp3(
        music, "song.mp3",
        {.id3v2 = test::Id3v2Builder(3).picture("image/jpeg", 3, "my scan", scan).build(),
         .audio = test::defaultAudio()});
    const std::string image = (home / "cover.png").string();
    const test::Bytes png = test::join({test::bytesOf("\x89PNG\r\n\x1a\n"), test::Bytes(40, 1)});
    test::writeBytes(image, png);
    const std::string scanApic = test::mutagenDump(path).at("APIC:my scan");

    test::CliOutcome result = run({"picture", "add", path, "--image", image});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err.find("replaced"), std::string::npos) << result.err;
    const std::string newApic = "image/png 3 " + test::md5Hex(std::string(png.begin(), png.end()));
    test::MutagenDump dump = test::mutagenDump(path);
    EXPECT_EQ(dump.at("APIC:my scan"), scanApic);
    EXPECT_EQ(dump.at("APIC:"), newApic);

    // The same type and description: that one picture is replaced, and the user told.
    result = run({"picture", "add", path, "--image", image, "--description", "my scan"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("song.mp3: replaced its front picture described \"my scan\""),
              std::string::npos)
        << result.err;
    dump = test::mutagenDump(path);
    EXPECT_EQ(dump.at("APIC:my scan"), newApic);
    EXPECT_EQ(dump.at("APIC:"), newApic);
    EXPECT_EQ(std::count_if(dump.begin(), dump.end(),
                            [](const auto& e) { return e.first.starts_with("APIC"); }),
              2);
}

// A value the field cannot hold is refused before any file is touched; an empty value
// removes the field.
TEST_F(CliTest, SetRefusesValuesItsFieldsCannotHold) {
    const std::string path = test::writeMp3(
        music, "song.mp3",
        {.id3v2 = test::Id3v2Builder(3).text("TRCK", "4/9").text("TYER", "1999").build(),
         .audio = test::defaultAudio(),
         .id3v1 = test::id3v1Tag({.year = "1999", .track = 4})});
    const test::Bytes before = test::readBytes(path);
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"--track", "abc"}, "--track"},      {{"--track", "-3"}, "--track"},
        {{"--track", "0"}, "--track"},        {{"--track", "3/"}, "--track"},
        {{"--track", "3/0"}, "--track"},      {{"--track", "3/x"}, "--track"},
        {{"--track", " 3"}, "--track"},       {{"--track", "300"}, "--track"},
        {{"--year", "abc"}, "--year"},        {{"--year", "0"}, "--year"},
        {{"--year", "-1999"}, "--year"},      {{"--year", "12345"}, "--year"},
        {{"--year", "1999-05-12"}, "--year"},
    };
    for (const auto& [option, name] : refused) {
        SCOPED_TRACE(option[0] + " " + option[1]);
        std::vector<std::string> command{"set", path, "--title", "T"};
        command.insert(command.end(), option.begin(), option.end());
        const test::CliOutcome result = run(command);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.err.starts_with(std::string("tunewright-cli: ") + name)) << result.err;
        EXPECT_EQ(test::readBytes(path), before);
    }

    // ID3v2 holds track numbers beyond one byte.
    ASSERT_EQ(run({"set", "--v2", path, "--track", "300/400", "--year", "0999"}).status, 0);
    QJsonObject record = parse(run({"show", path}).out).object();
    EXPECT_EQ(at(record, "id3v2", "track").toInt(), 300);
    EXPECT_EQ(text(record, "id3v2", "yearText"), QLatin1String("999"));
    ASSERT_EQ(run({"set", path, "--track", "", "--year", ""}).status, 0);
    record = parse(run({"show", path}).out).object();
    EXPECT_EQ(at(record, "id3v2", "track").toInt(), 0);
    EXPECT_EQ(at(record, "id3v1", "track").toInt(), 0);
    EXPECT_EQ(text(record, "id3v2", "yearText"), QLatin1String(""));
    EXPECT_EQ(text(record, "id3v1", "yearText"), QLatin1String(""));
}

TEST_F(CliTest, FilesThatCannotBeReadAreNamedAndNeverShownEmpty) {
    test::writeMp3(music, "good.mp3",
                   {.id3v2 = test::Id3v2Builder(3).text("TIT2", "Good").build(),
                    .audio = test::defaultAudio()});
    const std::string locked = test::writeMp3(music, "locked.mp3", {.audio = test::defaultAudio()});
    ::chmod(locked.c_str(), 0);
    // Root reads everything, so the program then runs as nobody.
    std::vector<std::string> launcher;
    if (::geteuid() == 0) {
        if (::access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "running as root without setpriv";
        launcher = {"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
        ::chmod(music.path().c_str(), 0755);
        ::chmod(home.path().c_str(), 0777);
    }
    const std::string folder = home.path().string();
    const test::Environment environment = {{"HOME", folder}, {"XDG_CONFIG_HOME", folder}};

    const test::CliOutcome list =
        test::runProgram({"list", music.path().string()}, environment, home.path(), launcher);
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.out.find("good.mp3"), std::string::npos) << list.out;
    EXPECT_EQ(list.out.find("locked.mp3"), std::string::npos) << list.out;
    const std::string named = "cannot read the file " + locked + ": Permission denied";
    EXPECT_NE(list.err.find(named), std::string::npos) << list.err;

    const test::CliOutcome show =
        test::runProgram({"show", locked}, environment, home.path(), launcher);
    EXPECT_EQ(show.status, 1);
    EXPECT_EQ(show.out, "");
    EXPECT_NE(show.err.find(named), std::string::npos) << show.err;

    std::filesystem::create_directory(music / "folder.mp3");
    const test::CliOutcome folderShown = run({"show", (music / "folder.mp3").string()});
    EXPECT_EQ(folderShown.status, 1);
    EXPECT_NE(folderShown.err.find("not a regular file"), std::string::npos) << folderShown.err;
}

// A save killed half-way through two files left its journal behind (their new ID3v2 tags
// written, their new ID3v1 tags not yet appended); whatever command runs next puts back the
// one file and names the other, which another program changed since.
TEST_F(CliTest, EveryCommandFirstRollsBackWhatAKilledSaveLeft) {
    auto file = [](const char* title) {
        return test::Mp3Parts{
            .id3v2 = test::Id3v2Builder(3).text("TIT2", title).padding(200).build(),
            .audio = test::defaultAudio()};
    };
    const test::Bytes oldTag = file("Old").id3v2;
    const test::Bytes newTag = file("New").id3v2;
    test::TempDir state;
    test::Bytes journal;
    for (const char* name : {"saved.mp3", "edited-since.mp3"}) {
        const std::string path = test::writeMp3(music, name, file("New"));
        struct stat st {};
        ::stat(path.c_str(), &st);
        const auto size = static_cast<std::uint64_t>(st.st_size);
        core::appendUndoRecord({core::UndoRecord::Kind::InPlace,
                                path,
                                st.st_dev,
                                st.st_ino,
                                size,
                                size + 128,
                                0,
                                {core::UndoRegion::between(0, oldTag, newTag),
                                 core::UndoRegion::between(size, {}, test::id3v1Tag({}))}},
                               journal);
    }
    test::writeMp3(music, "edited-since.mp3", file("Neu"));
    const std::filesystem::path journals = state / "tunewright";
    std::filesystem::create_directory(journals);
    test::writeBytes(journals / "undo-0123456789abcdef.journal", journal);
    test::Bytes damaged = journal;
    damaged[damaged.size() / 2] ^= 1;
    test::writeBytes(journals / "undo-fedcba9876543210.journal", damaged);

    const std::string folder = home.path().string();
    auto listMusic = [&] {
        return test::runProgram({"list", music.path().string()},
                                {{"HOME", folder},
                                 {"XDG_CONFIG_HOME", folder},
                                 {"XDG_STATE_HOME", state.path().string()}},
                                home.path());
    };
    const test::CliOutcome list = listMusic();
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(test::readBytes(music / "saved.mp3"), file("Old").bytes());
    EXPECT_EQ(test::readBytes(music / "edited-since.mp3"), file("Neu").bytes());
    EXPECT_NE(list.err.find(
                  "A save was interrupted before it ended: 1 file(s) have their old tags again."),
              std::string::npos)
        << list.err;
    EXPECT_NE(list.err.find("edited-since.mp3: its tags were changed by another program since"),
              std::string::npos)
        << list.err;
    EXPECT_NE(list.out.find("\tOld\t"), std::string::npos);

    // What could not be undone is kept and named, at this start and every one after.
    const std::string unapplied = (journals / "undo-0123456789abcdef.journal.unapplied").string();
    const std::string kept = (journals / "undo-fedcba9876543210.journal.damaged").string();
    EXPECT_EQ(test::readBytes(kept), damaged);
    for (const test::CliOutcome& start : {list, listMusic()}) {
        EXPECT_NE(start.err.find("warning: The undo journal " + kept + " is damaged"),
                  std::string::npos)
            << start.err;
        EXPECT_NE(start.err.find("warning: The undo data of the files left as they are is kept "
                                 "in " +
                                 unapplied),
                  std::string::npos)
            << start.err;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(journals),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(CliTest, FoldersAndFilesAreNamedByTheirPlainPaths) {
    std::filesystem::create_directory(music / "sub");
    test::writeMp3(music, "a.mp3", {.audio = test::defaultAudio()});
    const std::string roundabout = music.path().string() + "/./sub/..//";
    const test::CliOutcome list = run({"list", roundabout});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find(music.path().string() + "/a.mp3"), std::string::npos) << list.out;
    EXPECT_EQ(list.out.find("/./"), std::string::npos) << list.out;
    EXPECT_EQ(list.out.find("//"), std::string::npos) << list.out;

    const test::CliOutcome missing = run({"set", "--title", "T", roundabout + "missing.mp3"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(music.path().string() + "/missing.mp3: "), std::string::npos)
        << missing.err;
}

TEST_F(CliTest, WrongUsageGivesStatusTwoAndTheUsageLine) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    const test::CliOutcome unknownOption = run({"list", music.path().string(), "--colour"});
    EXPECT_EQ(unknownOption.status, 2);
    EXPECT_NE(unknownOption.err.find("usage: tunewright-cli list DIR"), std::string::npos);
    EXPECT_EQ(run({"set", "--v1", "--url", "x", "a.mp3"}).status, 2);
    EXPECT_EQ(run({"set", "a.mp3"}).status, 2);
    EXPECT_EQ(run({"set", "a.mp3", "--genre", "no such genre"}).status, 2);
    EXPECT_EQ(run({"clear", "a.mp3"}).status, 2);

    const test::CliOutcome help = run({"help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("set [--v1|--v2|--both] FIELD... FILE..."), std::string::npos);
}

TEST_F(CliTest, VersionAndHelpAnswerBeforeAnyCommandRuns) {
    const test::CliOutcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tunewright-cli " + std::string(base::productVersion()) + "\n");
    EXPECT_TRUE(version.err.empty()) << version.err;

    const std::string usage = run({"help"}).out;
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"--help"}, {"--yes", "--help"}, {"list", "--help"}, {"playlist", "x", "--help"}}) {
        const test::CliOutcome help = run(words);
        EXPECT_EQ(help.status, 0) << words.back();
        EXPECT_EQ(help.out, usage) << words.back();
    }
    // After "--" it is a file's name.
    EXPECT_EQ(run({"show", "--", "--help"}).status, 1);
}

// A disk of its own, private to the program's run: a small file system mounted in a mount
// namespace of the run alone, holding the file to delete. The home trash is on another
// disk, so the file would go to the trash at the top of that one.
class TrashFailureTest : public CliTest {
protected:
    void SetUp() override {
        if (std::system("unshare -m true 2>/dev/null") != 0)
            GTEST_SKIP() << "no mount namespaces here";
        test::writeMp3(music, "song.mp3", {.audio = test::defaultAudio()});
        std::filesystem::create_directory(home / "disk");
    }

    // Runs "delete --yes" on the disk's copy of the song after `prepare` (shell commands,
    // run on the mounted disk).
    test::CliOutcome deleteOnDisk(const std::string& prepare) {
        const std::string disk = (home / "disk").string();
        const std::string script = "mount -t tmpfs -o size=256k tmpfs '" + disk + "' && cd '" +
                                   disk + "' && cp '" + (music / "song.mp3").string() +
                                   "' song.mp3 && " + prepare + " && exec \"$@\"";
        const std::string folder = home.path().string();
        return test::runProgram({"delete", "--yes", disk + "/song.mp3"},
                                {{"HOME", folder}, {"XDG_CONFIG_HOME", folder}}, home.path(),
                                {"unshare", "-m", "sh", "-c", script, "sh"});
    }
};

TEST_F(TrashFailureTest, TheReasonIsTheUsersNotTheSystemsCode) {
    const struct {
        const char* prepare;
        const char* reason;
    } cases[] = {
        {"touch .Trash-$(id -u)", "the trash of that disk cannot be used"},
        {"(cat /dev/zero > fill 2>/dev/null; true)", "the disk is full"},
    };
    for (const auto& c : cases) {
        const test::CliOutcome result = deleteOnDisk(c.prepare);
        EXPECT_EQ(result.status, 1) << c.prepare;
        EXPECT_NE(result.err.find(
                      "song.mp3: it cannot be moved to the trash: " + std::string(c.reason) + "\n"),
                  std::string::npos)
            << result.err;
    }
}

}  // namespace
}  // namespace tw::cli
