#include "platform/Files.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vantor {
namespace {

constexpr std::size_t kReadBuffer = 4096;

// File names are UTF-8 inside the program; the wide functions take any name the disk holds.
std::wstring WidePath(const std::string& path) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                        length);
    return wide;
}

class Win32ReadFile : public IReadFile {
public:
    Win32ReadFile(std::FILE* file, std::uint64_t size) : m_file(file), m_size(size) {}
    Win32ReadFile(const Win32ReadFile&) = delete;
    Win32ReadFile& operator=(const Win32ReadFile&) = delete;
    ~Win32ReadFile() override { std::fclose(m_file); }

    std::uint64_t Size() const override { return m_size; }

    std::size_t Read(std::uint8_t* data, std::size_t count) override {
        return count == 0 ? 0 : std::fread(data, 1, count, m_file);
    }

    bool Seek(std::uint64_t position) override {
        std::clearerr(m_file);
        return _fseeki64(m_file, static_cast<__int64>(position), SEEK_SET) == 0;
    }

private:
    std::FILE* m_file;
    std::uint64_t m_size;
};

class Win32WriteFile : public IWriteFile {
public:
    explicit Win32WriteFile(int fd) : m_fd(fd) {}
    Win32WriteFile(const Win32WriteFile&) = delete;
    Win32WriteFile& operator=(const Win32WriteFile&) = delete;
    ~Win32WriteFile() override { _close(m_fd); }

    bool WriteDurably(std::string_view bytes) override {
        while (!bytes.empty()) {
            const int written = _write(m_fd, bytes.data(), static_cast<unsigned>(bytes.size()));
            if (written <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        // _commit is FlushFileBuffers: it returns when the bytes are on the disk.
        return _commit(m_fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace

std::unique_ptr<IReadFile> OpenRegularFile(const std::string& path) {
    std::FILE* file = _wfopen(WidePath(path).c_str(), L"rb");
    if (file == nullptr) {
        return nullptr;
    }
    struct _stat64 info {};
    if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG ||
        std::setvbuf(file, nullptr, _IOFBF, kReadBuffer) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<Win32ReadFile>(file, static_cast<std::uint64_t>(info.st_size));
}

NewFile CreateNewFile(const std::string& path) {
    const int fd = _wopen(WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        const int error = errno;
        return {error == EEXIST ? FileCreation::NameTaken : FileCreation::Failed, nullptr,
                std::strerror(error)};
    }
    return {FileCreation::Created, std::make_unique<Win32WriteFile>(fd), {}};
}

}  // namespace vantor
