#pragma once
#include <cstdio>
#include <string>

// Why an output could not be had, or could not be finished.
enum class OutputProblem {
    None,
    ReadOnly,    // the target is a file the user may not write: refused, nothing written
    CannotWrite, // no file could be made there, or a write, the close or the rename failed
};

// How a target is written, decided before anything is written.
enum class OutputRoute {
    Replace, // a regular file (or none yet): a temporary file beside it, renamed over it
    Direct,  // a device or a pipe: written straight, with no temporary file
    Refused, // see OutputProblem
};

// What the target named by a path is. Symbolic links are followed to the file they name,
// so the link stays and its target is written by the same rule.
struct OutputTarget {
    OutputRoute route = OutputRoute::Refused;
    OutputProblem problem = OutputProblem::CannotWrite; // for Refused
    std::string path;                                   // the link's target, or the path
    int permissions = -1; // the replaced file's permission bits, kept by its successor
};

// The one writer of every output file. A regular file keeps its name only once it is whole:
// written under a temporary name beside it and renamed over it by Commit(); until then, and
// after any failure, the target is untouched and the temporary file is removed. A device
// or a pipe is written straight; it is never replaced by a file of ours. A file the user may
// not write is refused, not replaced.
class OutputFile {
  public:
    explicit OutputFile(const std::string &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Null when the target was refused or nothing could be opened; Problem() says why.
    std::FILE *Stream() const { return stream_; }
    OutputProblem Problem() const { return problem_; }
    OutputRoute Route() const { return target_.route; }
    // The temporary name, for writers that take a path (after ReleaseStream(), since the
    // stream holds the file to itself on Windows); empty when none was made, as for a
    // device or a pipe, which only the stream reaches.
    const std::string &TemporaryPath() const { return temporary_; }
    // Closes the stream and keeps the temporary file for a writer that opens it by name;
    // false when the close failed, which Commit() then reports too.
    bool ReleaseStream();
    // Flushes and closes, then renames a temporary file over the target. False, with
    // nothing left under either name of the temporary, when any write, the close or the
    // rename failed.
    bool Commit();
    // Gives up: closes and removes a temporary file. What went to a device or a pipe
    // cannot be taken back.
    void Abandon();

  private:
    OutputTarget target_;
    std::string temporary_;
    std::FILE *stream_ = nullptr;
    bool failed_ = false;
    OutputProblem problem_ = OutputProblem::None;
};

// On Windows a path is in the ANSI code page, as the "A" functions take it, unless it begins
// with this mark: the rest is then UTF-8, for a name the code page cannot hold. Elsewhere a
// path is bytes, as the system takes them.
constexpr char kUtf8PathMark[] = "\xEF\xBB\xBF";

// Platform parts: what a path names; create a new file that must not exist yet (with the
// given permission bits when not −1); open a device or a pipe for writing; put one file in
// the place of another (replacing it) in one step; remove a file.
OutputTarget ExamineOutputTarget(const std::string &path);
std::FILE *CreateNewFile(const std::string &path, int permissions);
std::FILE *OpenDirectOutput(const std::string &path);
bool PutFileInPlace(const std::string &from, const std::string &to);
// A new empty file in the system's folder for temporary files, for a writer that takes a
// path when the target is a device or a pipe; empty when none could be made.
std::string CreateScratchFile();
bool RemoveFile(const std::string &path);
