#include "calc/output_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string FolderOf(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    return path.substr(0, slash + 1);
}

// The file a chain of symbolic links ends at, whether or not it exists; false for a loop
// or a link that cannot be read.
bool FollowLinks(std::string path, std::string *followed) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            *followed = path;
            return true;
        }
        std::vector<char> link(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<size_t>(length) >= link.size())
            return false;
        const std::string next(link.data(), static_cast<size_t>(length));
        path = next[0] == '/' ? next : FolderOf(path) + next;
    }
    return false;
}

OutputTarget Refused(OutputProblem problem, const std::string &path) {
    OutputTarget target;
    target.problem = problem;
    target.path = path;
    return target;
}

} // namespace

OutputTarget ExamineOutputTarget(const std::string &path) {
    OutputTarget target;
    if (!FollowLinks(path, &target.path))
        return Refused(OutputProblem::CannotWrite, path);
    struct stat info;
    if (::stat(target.path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return Refused(OutputProblem::CannotWrite, target.path);
        target.route = OutputRoute::Replace;
    } else if (S_ISREG(info.st_mode)) {
        // A rename needs only the folder's permission: ask about the file itself.
        if (::access(target.path.c_str(), W_OK) != 0)
            return Refused(errno == EACCES || errno == EROFS ? OutputProblem::ReadOnly
                                                             : OutputProblem::CannotWrite,
                           target.path);
        target.route = OutputRoute::Replace;
        target.permissions = static_cast<int>(info.st_mode & 07777);
    } else if (S_ISDIR(info.st_mode)) {
        return Refused(OutputProblem::CannotWrite, target.path);
    } else {
        target.route = OutputRoute::Direct;
    }
    return target;
}

std::FILE *CreateNewFile(const std::string &path, int permissions) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    if (permissions >= 0 && ::fchmod(fd, static_cast<mode_t>(permissions)) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return nullptr;
    }
    std::FILE *file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        ::unlink(path.c_str());
    }
    return file;
}

std::FILE *OpenDirectOutput(const std::string &path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::FILE *file = ::fdopen(fd, "wb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

bool PutFileInPlace(const std::string &from, const std::string &to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string CreateScratchFile() {
    const char *folder = std::getenv("TMPDIR");
    std::string path =
        std::string(folder != nullptr && *folder ? folder : "/tmp") + "/kamorte-XXXXXX";
    const int fd = ::mkstemp(&path[0]);
    if (fd < 0)
        return "";
    ::close(fd);
    return path;
}

bool RemoveFile(const std::string &path) {
    return std::remove(path.c_str()) == 0;
}
