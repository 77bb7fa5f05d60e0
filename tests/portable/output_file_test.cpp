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
            ASSERT_EQ(out.Stream() != nullptr, c.ending != FolderMissing);
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
