#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vantor {
namespace {

constexpr std::size_t kReadBuffer = 4096;

class PosixReadFile : public IReadFile {
public:
    PosixReadFile(std::FILE* file, std::uint64_t size) : m_file(file), m_size(size) {}
    PosixReadFile(const PosixReadFile&) = delete;
    PosixReadFile& operator=(const PosixReadFile&) = delete;
    ~PosixReadFile() override { std::fclose(m_file); }

    std::uint64_t Size() const override { return m_size; }

    std::size_t Read(std::uint8_t* data, std::size_t count) override {
        return count == 0 ? 0 : std::fread(data, 1, count, m_file);
    }

    bool Seek(std::uint64_t position) override {
        std::clearerr(m_file);
        return fseeko(m_file, static_cast<off_t>(position), SEEK_SET) == 0;
    }

private:
    std::FILE* m_file;
    std::uint64_t m_size;
};

class PosixWriteFile : public IWriteFile {
public:
    explicit PosixWriteFile(int fd) : m_fd(fd) {}
    PosixWriteFile(const PosixWriteFile&) = delete;
    PosixWriteFile& operator=(const PosixWriteFile&) = delete;
    ~PosixWriteFile() override { ::close(m_fd); }

    bool WriteDurably(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return ::fdatasync(m_fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace

std::unique_ptr<IReadFile> OpenRegularFile(const std::string& path) {
    // The open itself must not wait: a named pipe without a writer would block it, before the
    // check that refuses everything but a regular file could run.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    if (std::setvbuf(file, nullptr, _IOFBF, kReadBuffer) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<PosixReadFile>(file, static_cast<std::uint64_t>(info.st_size));
}

NewFile CreateNewFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        const int error = errno;
        return {error == EEXIST ? FileCreation::NameTaken : FileCreation::Failed, nullptr,
                std::strerror(error)};
    }
    return {FileCreation::Created, std::make_unique<PosixWriteFile>(fd), {}};
}

}  // namespace vantor
