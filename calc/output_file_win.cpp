#include "calc/output_file.h"

#include "calc/text_codec_win.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

namespace {

// The path in UTF-16: after kUtf8PathMark UTF-8, otherwise the ANSI code page.
std::wstring Wide(const std::string &path) {
    const size_t mark = sizeof kUtf8PathMark - 1;
    const bool utf8 = path.compare(0, mark, kUtf8PathMark) == 0;
    const std::string bytes = utf8 ? path.substr(mark) : path;
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return wide;
}

// A path found by the system, in the form of the path it came from.
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
    const HANDLE handle = CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return path;
    wchar_t final[MAX_PATH * 2] = L"";
    const DWORD length = GetFinalPathNameByHandleW(handle, final, MAX_PATH * 2, 0);
    CloseHandle(handle);
    return length > 0 && length < MAX_PATH * 2
               ? NarrowPath(std::wstring(final, length), path.rfind(kUtf8PathMark, 0) == 0)
               : path;
}

// NUL, CON, COM1 and named pipes are no files: writing a temporary one "beside" them
// either reaches the device too or fails.
bool IsDevice(const std::string &path) {
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        target.path = FinalPath(path);
        attributes = GetFileAttributesW(Wide(target.path).c_str());
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
    const HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    std::FILE *file = StreamOver(handle);
    if (file == nullptr)
        DeleteFileW(Wide(path).c_str());
    return file;
}

std::FILE *OpenDirectOutput(const std::string &path) {
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string &path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}
