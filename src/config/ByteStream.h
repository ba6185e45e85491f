#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Files.h"
#include "platform/Types.h"

namespace vantor {

// What the configuration reader needs of a file: exactly n bytes at a time, front to back.
class IByteStream {
public:
    virtual ~IByteStream() = default;
    // The next `count` bytes. When fewer remain, throws ReadFailure (past end) and consumes
    // none of them, so a later, shorter read still gets the bytes that remain. Nothing is
    // allocated for a count larger than what remains.
    virtual ByteArray Read(std::size_t count) = 0;
};

// Bytes held in memory.
class CMemoryByteStream : public IByteStream {
public:
    explicit CMemoryByteStream(ByteArray bytes) : m_bytes(std::move(bytes)) {}
    ByteArray Read(std::size_t count) override;
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    ByteArray m_bytes;
    std::size_t m_pos = 0;
};

// A regular file.
class CFileByteStream : public IByteStream {
public:
    // False when the path is not a regular file that can be opened for reading.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    ByteArray Read(std::size_t count) override;

private:
    std::unique_ptr<IReadFile> m_file;
    std::uint64_t m_pos = 0;
};

}  // namespace vantor
