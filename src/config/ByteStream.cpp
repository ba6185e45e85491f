#include "config/ByteStream.h"

#include "config/ConfigFailure.h"

namespace vantor {

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
    m_file = OpenRegularFile(path);
    m_pos = 0;
    return m_file != nullptr;
}

void CFileByteStream::Close() {
    m_file.reset();
}

ByteArray CFileByteStream::Read(std::size_t count) {
    if (m_file == nullptr || count > m_file->Size() - m_pos) {
        throw ReadFailure(ReadFailure::Kind::PastEnd);
    }
    ByteArray out(count);
    if (m_file->Read(out.data(), count) != count) {
        // The file shrank while being read: step back so that nothing counts as consumed.
        m_file->Seek(m_pos);
        throw ReadFailure(ReadFailure::Kind::PastEnd);
    }
    m_pos += count;
    return out;
}

}  // namespace vantor
