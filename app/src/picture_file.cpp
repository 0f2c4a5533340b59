#include "picture_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/codepage.h"

namespace fernwick {

namespace {

bool write_all(int descriptor, const ByteBuffer& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

void write_picture_file(const Text& path, const ByteBuffer& bytes)
{
    const std::string file_system_path = platform::text_to_utf8(path);
    // Open without truncating: the file is emptied only once the lock is
    // ours, so a worker that loses the race never cuts another's bytes.
    int descriptor = ::open(file_system_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (descriptor < 0)
        return;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        if (::ftruncate(descriptor, 0) == 0)
            write_all(descriptor, bytes);
        ::flock(descriptor, LOCK_UN);
    }
    ::close(descriptor);
}

} // namespace fernwick
