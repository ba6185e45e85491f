#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vantor {

// The files of the system the program was built for: PosixFiles.cpp, Win32Files.cpp.

// A regular file open for reading, through a buffer, so reading it a few bytes at a time is
// cheap.
class IReadFile {
public:
    virtual ~IReadFile() = default;
    // The size it had when it was opened.
    virtual std::uint64_t Size() const = 0;
    // Up to `count` bytes from the read position; fewer only where the file ends.
    virtual std::size_t Read(std::uint8_t* data, std::size_t count) = 0;
    // Puts the read position `position` bytes from the start.
    virtual bool Seek(std::uint64_t position) = 0;
};

// A file open for writing in which every write is on the disk when it returns.
class IWriteFile {
public:
    virtual ~IWriteFile() = default;
    // Appends `bytes` and waits for the disk; false when either fails.
    virtual bool WriteDurably(std::string_view bytes) = 0;
};

enum class FileCreation { Created, NameTaken, Failed };

struct NewFile {
    FileCreation outcome = FileCreation::Failed;
    // Set when created.
    std::unique_ptr<IWriteFile> file;
    // The system's reason when not created.
    std::string error;
};

// Null when `path` is not a regular file that can be opened for reading: a device or a pipe
// could block or never end.
std::unique_ptr<IReadFile> OpenRegularFile(const std::string& path);

// Creates `path` for writing, never replacing a file that exists (NameTaken).
NewFile CreateNewFile(const std::string& path);

}  // namespace vantor
