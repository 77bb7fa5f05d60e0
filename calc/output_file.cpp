#include "calc/output_file.h"

#include <atomic>
#include <chrono>

namespace {

// A name no other writer picks: the clock and a counter, tried a few times in case one
// is taken.
std::string TemporaryNameFor(const std::string &path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    return path + ".tmp" + std::to_string(static_cast<unsigned long long>(tick) % 1000000007u) +
           "-" + std::to_string(counter++) + "-" + std::to_string(attempt);
}

} // namespace

OutputFile::OutputFile(const std::string &path) : path_(path) {
    for (unsigned attempt = 0; attempt < 8 && stream_ == nullptr; ++attempt) {
        temporary_ = TemporaryNameFor(path, attempt);
        stream_ = CreateNewFile(temporary_);
    }
    if (stream_ == nullptr)
        temporary_.clear();
}

OutputFile::~OutputFile() {
    Abandon();
}

bool OutputFile::ReleaseStream() {
    if (stream_ != nullptr) {
        const bool written = std::ferror(stream_) == 0 && std::fflush(stream_) == 0;
        failed_ = !(std::fclose(stream_) == 0 && written) || failed_;
        stream_ = nullptr;
    }
    return !failed_;
}

bool OutputFile::Commit() {
    if (temporary_.empty())
        return false;
    if (ReleaseStream() && PutFileInPlace(temporary_, path_)) {
        temporary_.clear();
        return true;
    }
    Abandon();
    return false;
}

void OutputFile::Abandon() {
    if (stream_ != nullptr)
        std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
    temporary_.clear();
}
