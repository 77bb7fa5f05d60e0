#include "calc/output_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::FILE *StreamOver(HANDLE handle) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE *file = _fdopen(fd, "wb");
    if (file == nullptr)
        _close(fd);
    return file;
}

// The file a symbolic link or junction leads to; the path itself when it cannot be told.
std::string FinalPath(const std::string &path) {
    const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return path;
    char final[MAX_PATH * 2] = "";
    const DWORD length = GetFinalPathNameByHandleA(handle, final, sizeof final, 0);
    CloseHandle(handle);
    return length > 0 && length < sizeof final ? std::string(final, length) : path;
}

// NUL, CON, COM1 and named pipes are no files: writing a temporary one "beside" them
// either reaches the device too or fails.
bool IsDevice(const std::string &path) {
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool device = GetFileType(handle) != FILE_TYPE_DISK;
    CloseHandle(handle);
    return device;
}

} // namespace

OutputTarget ExamineOutputTarget(const std::string &path) {
    OutputTarget target;
    target.path = path;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        target.path = FinalPath(path);
        attributes = GetFileAttributesA(target.path.c_str());
    }
    if (IsDevice(target.path)) {
        target.route = OutputRoute::Direct;
    } else if (attributes == INVALID_FILE_ATTRIBUTES) {
        target.route = OutputRoute::Replace;
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        target.problem = OutputProblem::CannotWrite;
    } else if (attributes & FILE_ATTRIBUTE_READONLY) {
        target.problem = OutputProblem::ReadOnly;
    } else {
        target.route = OutputRoute::Replace;
    }
    return target;
}

std::FILE *CreateNewFile(const std::string &path, int) {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    std::FILE *file = StreamOver(handle);
    if (file == nullptr)
        DeleteFileA(path.c_str());
    return file;
}

std::FILE *OpenDirectOutput(const std::string &path) {
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : StreamOver(handle);
}

std::string CreateScratchFile() {
    char folder[MAX_PATH], path[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof folder, folder);
    if (n == 0 || n >= sizeof folder || GetTempFileNameA(folder, "kmt", 0, path) == 0)
        return "";
    return path;
}

bool PutFileInPlace(const std::string &from, const std::string &to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
