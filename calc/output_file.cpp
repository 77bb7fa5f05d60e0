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

OutputFile::OutputFile(const std::string &path) : target_(ExamineOutputTarget(path)) {
    switch (target_.route) {
    case OutputRoute::Refused: problem_ = target_.problem; return;
    case OutputRoute::Direct: stream_ = OpenDirectOutput(target_.path); break;
    case OutputRoute::Replace:
        for (unsigned attempt = 0; attempt < 8 && stream_ == nullptr; ++attempt) {
            temporary_ = TemporaryNameFor(target_.path, attempt);
            stream_ = CreateNewFile(temporary_, target_.permissions);
        }
        if (stream_ == nullptr)
            temporary_.clear();
        break;
    }
    if (stream_ == nullptr)
        problem_ = OutputProblem::CannotWrite;
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
    bool done = false;
    if (target_.route == OutputRoute::Direct)
        done = stream_ != nullptr && ReleaseStream();
    else if (!temporary_.empty() && ReleaseStream() && PutFileInPlace(temporary_, target_.path)) {
        temporary_.clear();
        done = true;
    }
    if (!done) {
        Abandon();
        if (problem_ == OutputProblem::None)
            problem_ = OutputProblem::CannotWrite;
    }
    return done;
}

void OutputFile::Abandon() {
    if (stream_ != nullptr)
        std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty())
        RemoveFile(temporary_);
    temporary_.clear();
}
