#include "config/ByteStream.h"

#include <sys/stat.h>

#include "config/ConfigFailure.h"

namespace vantor {
namespace {

constexpr std::size_t kFileBuffer = 4096;

}  // namespace

ByteArray CMemoryByteStream::Read(std::size_t count) {
    if (count > Remaining()) {
        throw ReadFailure(ReadFailure::Kind::PastEnd);
    }
    const auto first = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos);
    ByteArray out(first, first + static_cast<std::ptrdiff_t>(count));
    m_pos += count;
    return out;
}

bool CFileByteStream::Open(const std::string& path) {
    Close();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    // A device or a pipe could block or never end; only a regular file has a known size.
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::setvbuf(file, nullptr, _IOFBF, kFileBuffer) != 0) {
        std::fclose(file);
        return false;
    }
    m_file = file;
    m_size = static_cast<std::uint64_t>(info.st_size);
    m_pos = 0;
    return true;
}

void CFileByteStream::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

ByteArray CFileByteStream::Read(std::size_t count) {
    if (m_file == nullptr || count > m_size - m_pos) {
        throw ReadFailure(ReadFailure::Kind::PastEnd);
    }
    ByteArray out(count);
    const std::size_t got = count == 0 ? 0 : std::fread(out.data(), 1, count, m_file);
    if (got != count) {
        // The file shrank while being read: step back so that nothing counts as consumed.
        std::clearerr(m_file);
        std::fseek(m_file, static_cast<long>(m_pos), SEEK_SET);
        throw ReadFailure(ReadFailure::Kind::PastEnd);
    }
    m_pos += count;
    return out;
}

}  // namespace vantor
