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
// Links the end-to-end run of kamorte-calc does not make: one whose file does not exist yet
// and a chain of two; and a replaced file keeps its permissions. The link stays a link,
// its file gets the rows, and no temporary file is left in either folder.
TEST(OutputFile, LinkedFilesAreWrittenByTheSameRule) {
    enum Kind { DanglingLink, LinkChain, KeepsPermissions };
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    const fs::path base = fs::temp_directory_path() / "kamorte_output_links_test";
    for (const Kind kind : {DanglingLink, LinkChain, KeepsPermissions}) {
        SCOPED_TRACE(kind);
        fs::remove_all(base);
        const fs::path here = base / "here", there = base / "there";
        fs::create_directories(here);
        fs::create_directories(there);
        const fs::path target = here / "result.csv";
        fs::path file = there / "kept.csv";
        if (kind == DanglingLink) {
            fs::create_symlink("../there/kept.csv", target);
        } else if (kind == LinkChain) {
            std::ofstream(file, std::ios::binary) << "old rows\n";
            fs::create_symlink(file, there / "second");
            fs::create_symlink("../there/second", target);
        } else {
            file = target;
            std::ofstream(file, std::ios::binary) << "old rows\n";
            fs::permissions(file, kept);
        }
        {
            OutputFile out(target.string());
            EXPECT_EQ(out.Route(), OutputRoute::Replace);
            ASSERT_NE(out.Stream(), nullptr);
            std::fputs("new rows\n", out.Stream());
            EXPECT_TRUE(out.Commit());
        }
        EXPECT_EQ(Contents(file), "new rows\n");
        EXPECT_EQ(fs::is_symlink(target), kind != KeepsPermissions);
        if (kind == KeepsPermissions) {
            EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, kept);
        }
        EXPECT_EQ(EntriesIn(here), 1u);
        EXPECT_EQ(EntriesIn(there), kind == LinkChain ? 2u : kind == DanglingLink ? 1u : 0u);
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
