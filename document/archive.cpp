#include "document/archive.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanel {

namespace {

[[noreturn]] void ThrowEndOfFile() {
    throw CArchiveException(CArchiveException::Cause::EndOfFile, "unexpected end of file");
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::vector<std::uint16_t>& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            out += '?';  // a lone surrogate has no character to stand for
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace

std::size_t CMemFile::Read(void* buffer, std::size_t n) {
    const std::size_t count = std::min(n, m_data.size() - m_nPosition);
    if (count == 0) return 0;
    std::memcpy(buffer, m_data.data() + m_nPosition, count);
    m_nPosition += count;
    return count;
}

void CMemFile::Write(const void* buffer, std::size_t n) {
    if (n == 0) return;
    const std::size_t end = m_nPosition + n;
    if (end > m_data.capacity()) {
        // At least doubled: growing by a fixed step copied a large snapshot
        // over and over, quadratic in its size.
        const std::size_t grow = std::max({m_nGrowBytes, m_data.capacity(), std::size_t{1}});
        m_data.reserve(std::max(end, m_data.capacity() + grow));
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (m_nPosition == m_data.size()) {
        // Appending, as every store does: no zeroing of bytes about to be written.
        m_data.insert(m_data.end(), bytes, bytes + n);
    } else {
        if (end > m_data.size()) m_data.resize(end);
        std::memcpy(m_data.data() + m_nPosition, bytes, n);
    }
    m_nPosition = end;
}

std::string CFileException::Reason() const {
    return m_strReason.empty() ? std::string(std::strerror(m_nOsError)) : m_strReason;
}

std::string SpecialFileReason(unsigned mode) {
    if (S_ISDIR(mode)) return std::strerror(EISDIR);
    if (S_ISFIFO(mode)) return "Is a named pipe";
    if (S_ISCHR(mode)) return "Is a character device";
    if (S_ISBLK(mode)) return "Is a block device";
    if (S_ISSOCK(mode)) return "Is a socket";
    return "Is not a regular file";
}

CDiskFile::CDiskFile(const std::filesystem::path& path) : m_strPath(path.string()) {
    // Without O_NONBLOCK a named pipe would wait for a writer for ever.
    m_fd = ::open(m_strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0) throw CFileException("cannot open " + m_strPath, errno);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        const int err = errno;
        ::close(m_fd);
        throw CFileException("cannot read " + m_strPath, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(m_fd);
        const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        throw CFileException(m_strPath + " is not a regular file", err,
                             SpecialFileReason(st.st_mode));
    }
    m_nLength = static_cast<std::uint64_t>(st.st_size);
}

CDiskFile::~CDiskFile() {
    if (m_fd >= 0) ::close(m_fd);
}

std::size_t CDiskFile::Read(void* buffer, std::size_t n) {
    std::size_t done = 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    while (done < n) {
        const ssize_t got = ::read(m_fd, bytes + done, n - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw CFileException("cannot read " + m_strPath, errno);
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    m_nPosition += done;
    return done;
}

void CDiskFile::Write(const void*, std::size_t) {
    throw CFileException(m_strPath + " is open for reading", EBADF);
}

CArchive::CArchive(CFile& file, Mode mode) : m_file(file), m_mode(mode) {}

void CArchive::Write(const void* bytes, std::size_t n) {
    const auto* src = static_cast<const std::uint8_t*>(bytes);
    while (n > 0) {
        if (m_nBufferPos == kBufferSize) Flush();
        const std::size_t chunk = std::min(n, kBufferSize - m_nBufferPos);
        std::memcpy(m_buffer + m_nBufferPos, src, chunk);
        m_nBufferPos += chunk;
        src += chunk;
        n -= chunk;
    }
}

void CArchive::WriteUInt8(std::uint8_t v) { Write(&v, 1); }

void CArchive::WriteUInt16(std::uint16_t v) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    Write(b, 2);
}

void CArchive::WriteUInt32(std::uint32_t v) {
    std::uint8_t b[4];
    for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
    Write(b, 4);
}

void CArchive::WriteUInt64(std::uint64_t v) {
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
    Write(b, 8);
}

void CArchive::WriteInt32s(const std::int32_t* values, std::size_t n) {
    std::uint8_t bytes[64];
    while (n > 0) {
        const std::size_t chunk = std::min<std::size_t>(n, sizeof bytes / 4);
        for (std::size_t i = 0; i < chunk; ++i) {
            const auto v = static_cast<std::uint32_t>(values[i]);
            for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(v >> (8 * b));
        }
        Write(bytes, 4 * chunk);
        values += chunk;
        n -= chunk;
    }
}

void CArchive::WriteString(std::string_view s) {
    const std::uint64_t n = s.size();
    if (n < 0xFF) {
        WriteUInt8(static_cast<std::uint8_t>(n));
    } else {
        WriteUInt8(0xFF);
        if (n < 0xFFFE) {
            WriteUInt16(static_cast<std::uint16_t>(n));
        } else {
            WriteUInt16(0xFFFF);
            if (n < 0xFFFFFFFF) {
                WriteUInt32(static_cast<std::uint32_t>(n));
            } else {
                WriteUInt32(0xFFFFFFFF);
                WriteUInt64(n);
            }
        }
    }
    Write(s.data(), s.size());
}

void CArchive::FillBuffer() {
    m_nBufferPos = 0;
    m_nBufferEnd = m_file.Read(m_buffer, kBufferSize);
}

void CArchive::Read(void* bytes, std::size_t n) {
    auto* dst = static_cast<std::uint8_t*>(bytes);
    while (n > 0) {
        if (m_nBufferPos == m_nBufferEnd) {
            FillBuffer();
            if (m_nBufferEnd == 0) ThrowEndOfFile();
        }
        const std::size_t chunk = std::min(n, m_nBufferEnd - m_nBufferPos);
        std::memcpy(dst, m_buffer + m_nBufferPos, chunk);
        m_nBufferPos += chunk;
        dst += chunk;
        n -= chunk;
    }
}

std::uint8_t CArchive::ReadUInt8() {
    std::uint8_t v;
    Read(&v, 1);
    return v;
}

std::uint16_t CArchive::ReadUInt16() {
    std::uint8_t b[2];
    Read(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t CArchive::ReadUInt32() {
    std::uint8_t b[4];
    Read(b, 4);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

std::uint64_t CArchive::ReadUInt64() {
    const std::uint64_t lo = ReadUInt32();
    const std::uint64_t hi = ReadUInt32();
    return lo | hi << 32;
}

void CArchive::ReadInt32s(std::int32_t* values, std::size_t n) {
    std::uint8_t bytes[64];
    while (n > 0) {
        const std::size_t chunk = std::min<std::size_t>(n, sizeof bytes / 4);
        Read(bytes, 4 * chunk);
        for (std::size_t i = 0; i < chunk; ++i) {
            const std::uint8_t* b = bytes + 4 * i;
            values[i] =
                static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                                          std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24);
        }
        values += chunk;
        n -= chunk;
    }
}

std::string CArchive::ReadString() {
    // The prefix forms nest: one byte, then 16, 32 and 64 bits, each taken
    // only when the smaller one holds all ones. 0xFFFE in the 16-bit place
    // marks UTF-16 characters and is followed by a prefix of its own.
    bool wide = false;
    std::uint64_t length = ReadUInt8();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == 0xFFFE) {
            wide = true;
            length = ReadUInt8();
            if (length == 0xFF) length = ReadUInt16();
        }
        if (length == 0xFFFF) {
            length = ReadUInt32();
            if (length == 0xFFFFFFFF) {
                length = ReadUInt64();
                if (length > static_cast<std::uint64_t>(INT_MAX)) {
                    throw CArchiveException(CArchiveException::Cause::BadLength,
                                            "string length out of range");
                }
            }
        }
    }
    const std::uint64_t bytes = wide ? length * 2 : length;
    if (bytes > BytesRemaining()) ThrowEndOfFile();
    if (!wide) {
        std::string s(static_cast<std::size_t>(length), '\0');
        Read(s.data(), s.size());
        return s;
    }
    std::vector<std::uint16_t> units(static_cast<std::size_t>(length));
    for (auto& u : units) u = ReadUInt16();
    return Utf16ToUtf8(units);
}

std::uint64_t CArchive::BytesRemaining() const {
    const std::uint64_t length = m_file.GetLength();
    const std::uint64_t position = m_file.GetPosition();
    const std::uint64_t inFile = length > position ? length - position : 0;
    return inFile + (m_nBufferEnd - m_nBufferPos);
}

void CArchive::Flush() {
    if (m_mode != Mode::store || m_nBufferPos == 0) return;
    const std::size_t n = m_nBufferPos;
    m_nBufferPos = 0;  // a failed write loses the bytes: the store has failed anyway
    m_file.Write(m_buffer, n);
}

void CArchive::Close() { Flush(); }

}  // namespace orvanel
