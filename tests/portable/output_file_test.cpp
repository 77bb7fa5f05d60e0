#include "calc/output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

size_t EntriesIn(const fs::path &folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

} // namespace

// The target carries either its old contents or the whole new ones, and no temporary file
// outlives the writer, whatever happens between.
TEST(OutputFile, TargetIsOldOrWholeAndNothingIsLeft) {
    enum Ending { Committed, Abandoned, Destroyed, TargetIsFolder, FolderMissing, ByName };
    const struct {
        Ending ending;
        bool commits;
        const char *expected; // the target's contents afterwards; null: no such file
    } cases[] = {
        {Committed, true, "new rows\n"},  {Abandoned, false, "old rows\n"},
        {Destroyed, false, "old rows\n"}, {TargetIsFolder, false, nullptr},
        {FolderMissing, false, nullptr},  {ByName, true, "by name\n"},
    };
    const fs::path folder = fs::temp_directory_path() / "kamorte_output_file_test";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ending);
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::path target = folder / "result.csv";
        if (c.ending == TargetIsFolder)
            fs::create_directory(target);
        else if (c.ending == FolderMissing)
            target = folder / "missing" / "result.csv";
        else
            std::ofstream(target, std::ios::binary) << "old rows\n";
        {
            OutputFile out(target.string());
            // A folder under the name is refused before anything is written.
            ASSERT_EQ(out.Stream() != nullptr,
                      c.ending != FolderMissing && c.ending != TargetIsFolder);
            if (out.Stream() != nullptr)
                std::fputs("new rows\n", out.Stream());
            if (c.ending == ByName) {
                // A writer that opens the file itself replaces what the stream wrote.
                ASSERT_TRUE(out.ReleaseStream());
                EXPECT_EQ(out.Stream(), nullptr);
                std::ofstream(out.TemporaryPath(), std::ios::binary) << "by name\n";
            }
            if (c.ending == Abandoned)
                out.Abandon();
            if (c.ending != Destroyed && c.ending != Abandoned) {
                EXPECT_EQ(out.Commit(), c.commits);
            }
        }
        if (c.expected != nullptr) {
            EXPECT_EQ(Contents(target), c.expected);
        }
        EXPECT_EQ(EntriesIn(folder), c.ending == FolderMissing ? 0u : 1u)
            << "only the target (or its folder) is left";
    }
    fs::remove_all(folder);
}

#ifndef _WIN32
#include <sys/stat.h>
#include <thread>

// What is not a regular file of the folder is written where it is: through a link to the
// file it names, straight into a device or a pipe; the link, the device and the pipe stay
// what they were, and no temporary file is left in either folder.
TEST(OutputFile, LinksDevicesAndPipesAreWrittenWhereTheyAre) {
    enum Kind { Link, DanglingLink, LinkChain, NullDevice, Pipe, KeepsPermissions };
    const struct {
        Kind kind;
        OutputRoute route;
    } cases[] = {
        {Link, OutputRoute::Replace},      {DanglingLink, OutputRoute::Replace},
        {LinkChain, OutputRoute::Replace}, {NullDevice, OutputRoute::Direct},
        {Pipe, OutputRoute::Direct},       {KeepsPermissions, OutputRoute::Replace},
    };
    const fs::path base = fs::temp_directory_path() / "kamorte_output_targets_test";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        fs::remove_all(base);
        const fs::path here = base / "here", there = base / "there";
        fs::create_directories(here);
        fs::create_directories(there);
        fs::path target = here / "result.csv";
        fs::path written = there / "kept.csv"; // where the rows must arrive
        std::string received;
        std::thread reader;
        switch (c.kind) {
        case Link:
            std::ofstream(written, std::ios::binary) << "old rows\n";
            fs::create_symlink(written, target);
            break;
        case DanglingLink: fs::create_symlink("../there/kept.csv", target); break;
        case LinkChain:
            std::ofstream(written, std::ios::binary) << "old rows\n";
            fs::create_symlink(written, there / "second");
            fs::create_symlink("../there/second", target);
            break;
        case NullDevice: target = written = "/dev/null"; break;
        case Pipe:
            ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
            written = target;
            reader = std::thread([&] { received = Contents(target); });
            break;
        case KeepsPermissions:
            written = target;
            std::ofstream(written, std::ios::binary) << "old rows\n";
            fs::permissions(written,
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
            break;
        }
        {
            OutputFile out(target.string());
            EXPECT_EQ(out.Route(), c.route);
            ASSERT_NE(out.Stream(), nullptr);
            std::fputs("new rows\n", out.Stream());
            EXPECT_TRUE(out.Commit());
            EXPECT_EQ(out.Problem(), OutputProblem::None);
        }
        if (reader.joinable())
            reader.join();
        switch (c.kind) {
        case Link:
        case DanglingLink:
        case LinkChain:
            EXPECT_TRUE(fs::is_symlink(target)) << "the link stays a link";
            EXPECT_EQ(Contents(written), "new rows\n");
            EXPECT_EQ(EntriesIn(here), 1u);
            EXPECT_EQ(EntriesIn(there), c.kind == LinkChain ? 2u : 1u);
            break;
        case NullDevice: EXPECT_TRUE(fs::is_character_file("/dev/null")); break;
        case Pipe:
            EXPECT_TRUE(fs::is_fifo(target));
            EXPECT_EQ(received, "new rows\n");
            break;
        case KeepsPermissions:
            EXPECT_EQ(Contents(written), "new rows\n");
            EXPECT_EQ(fs::status(written).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
            EXPECT_EQ(EntriesIn(here), 1u);
            break;
        }
    }
    fs::remove_all(base);
}
#endif

#ifdef _WIN32
#include <windows.h>

// A device name is written straight, never by a temporary file "beside" it; a file marked
// read-only is refused and keeps its contents and its mark.
TEST(OutputFile, DevicesAreWrittenAndReadOnlyFilesRefused) {
    const fs::path folder = fs::temp_directory_path() / "kamorte_output_windows_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    {
        OutputFile out("NUL");
        EXPECT_EQ(out.Route(), OutputRoute::Direct);
        ASSERT_NE(out.Stream(), nullptr);
        std::fputs("new rows\n", out.Stream());
        EXPECT_TRUE(out.Commit());
    }
    const fs::path kept = folder / "kept.csv";
    std::ofstream(kept, std::ios::binary) << "old rows\n";
    SetFileAttributesA(kept.string().c_str(), FILE_ATTRIBUTE_READONLY);
    {
        OutputFile out(kept.string());
        EXPECT_EQ(out.Stream(), nullptr);
        EXPECT_EQ(out.Problem(), OutputProblem::ReadOnly);
        EXPECT_FALSE(out.Commit());
    }
    EXPECT_EQ(Contents(kept), "old rows\n");
    EXPECT_NE(GetFileAttributesA(kept.string().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesA(kept.string().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(EntriesIn(folder), 1u);
    fs::remove_all(folder);
}
#endif
