#pragma once
#include <cstdio>
#include <string>

// A file that keeps its name only once it is whole: written under a temporary name beside
// the target and renamed over it by Commit(). Until then, and after any failure, the
// target is untouched and the temporary file is removed.
class OutputFile {
  public:
    explicit OutputFile(const std::string &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Null when no temporary file could be made beside the target.
    std::FILE *Stream() const { return stream_; }
    // The temporary name, for writers that take a path; empty when none could be made.
    const std::string &TemporaryPath() const { return temporary_; }
    // Flushes, closes and renames. False, with nothing left under either name of the
    // temporary, when any write, the close or the rename failed.
    bool Commit();
    // Gives up: closes and removes the temporary file.
    void Abandon();

  private:
    std::string path_;
    std::string temporary_;
    std::FILE *stream_ = nullptr;
};

// Platform parts: create a new file that must not exist yet, and put one file in the place
// of another (replacing it) in one step.
std::FILE *CreateNewFile(const std::string &path);
bool PutFileInPlace(const std::string &from, const std::string &to);
