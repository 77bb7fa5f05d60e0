// Runs a fuzz entry once on every file named, or in the folders named: the corpus and the
// kept findings, replayed by the ordinary builds without any fuzzing.
#include "tests/fuzz/fuzz_support.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FilesUnder(const std::string &path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return {};
    if (!S_ISDIR(info.st_mode))
        return {path};
    std::vector<std::string> files;
    if (DIR *dir = opendir(path.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name[0] != '.')
                files.push_back(path + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char **argv) {
    size_t replayed = 0;
    for (int a = 1; a < argc; ++a) {
        for (const std::string &file : FilesUnder(argv[a])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs, %zu reached a computed result\n", replayed, ComputedCount());
    // A folder that held nothing means the corpus went missing, and a corpus none of whose
    // inputs is computed no longer tests the computation: neither may pass quietly.
    return replayed > 0 && ComputedCount() > 0 ? 0 : 1;
}
