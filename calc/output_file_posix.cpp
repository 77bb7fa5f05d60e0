#include "calc/output_file.h"

#include <fcntl.h>
#include <unistd.h>

std::FILE *CreateNewFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    std::FILE *file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        ::unlink(path.c_str());
    }
    return file;
}

bool PutFileInPlace(const std::string &from, const std::string &to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
