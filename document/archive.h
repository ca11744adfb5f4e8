// Byte streams and the archive that writes the program's values into them:
// little-endian integers back to back and length-prefixed strings. Files on
// disk and snapshots in memory go through exactly the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanel {

// The operating system refused a file operation, or the program refused it
// for a reason of its own.
class CFileException : public std::runtime_error {
public:
    // `reason` is what the user is told; without one, the system's words for osError.
    CFileException(const std::string& what, int osError, std::string reason = {})
        : std::runtime_error(what), m_nOsError(osError), m_strReason(std::move(reason)) {}
    int OsError() const { return m_nOsError; }
    // Why, as the user reads it: "No space left on device", "Is a named pipe".
    std::string Reason() const;

private:
    int m_nOsError;
    std::string m_strReason;
};

// What a file that is not a regular one is, in the system's manner of speaking
// ("Is a directory"), for refusals of it.
std::string SpecialFileReason(unsigned mode);

// The bytes do not hold what the archive expects.
class CArchiveException : public std::runtime_error {
public:
    enum class Cause { EndOfFile, BadLength };
    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause) {}
    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};

class CFile {
public:
    virtual ~CFile() = default;
    // Returns the number of bytes read, fewer than n only at the end.
    virtual std::size_t Read(void* buffer, std::size_t n) = 0;
    virtual void Write(const void* buffer, std::size_t n) = 0;
    virtual std::uint64_t GetLength() const = 0;
    virtual std::uint64_t GetPosition() const = 0;
};

class CMemFile final : public CFile {
public:
    explicit CMemFile(std::size_t growBytes = 4096) : m_nGrowBytes(growBytes) {}
    explicit CMemFile(std::vector<std::uint8_t> bytes) : m_data(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::uint64_t GetLength() const override { return m_data.size(); }
    std::uint64_t GetPosition() const override { return m_nPosition; }

    void SeekToBegin() { m_nPosition = 0; }
    // Room for this many bytes without growing; the length stays.
    void Reserve(std::size_t bytes) { m_data.reserve(bytes); }
    // Empty again, keeping the memory for the next bytes.
    void Clear() {
        m_data.clear();
        m_nPosition = 0;
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_data; }

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_nPosition = 0;
    std::size_t m_nGrowBytes = 4096;
};

// A regular file on disk opened for reading, through a plain descriptor.
class CDiskFile final : public CFile {
public:
    // Throws CFileException when the file cannot be opened or is no regular
    // file: a pipe or a device is refused at once instead of waited on.
    explicit CDiskFile(const std::filesystem::path& path);
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::uint64_t GetLength() const override { return m_nLength; }
    std::uint64_t GetPosition() const override { return m_nPosition; }

private:
    int m_fd = -1;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nPosition = 0;
    std::string m_strPath;
};

class CArchive {
public:
    enum class Mode { store, load };
    static constexpr std::size_t kBufferSize = 4096;

    CArchive(CFile& file, Mode mode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == Mode::store; }
    bool IsLoading() const { return m_mode == Mode::load; }

    void Write(const void* bytes, std::size_t n);
    void WriteUInt8(std::uint8_t v);
    void WriteUInt16(std::uint16_t v);
    void WriteUInt32(std::uint32_t v);
    void WriteInt32(std::int32_t v) { WriteUInt32(static_cast<std::uint32_t>(v)); }
    void WriteUInt64(std::uint64_t v);
    // n values at once, each as WriteInt32 writes it.
    void WriteInt32s(const std::int32_t* values, std::size_t n);
    // The shortest length prefix that holds the length, then the characters.
    void WriteString(std::string_view s);

    // Throws CArchiveException (EndOfFile) unless all n bytes are there.
    void Read(void* bytes, std::size_t n);
    std::uint8_t ReadUInt8();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }
    std::uint64_t ReadUInt64();
    // n values at once, each as ReadInt32 reads it; throws like Read.
    void ReadInt32s(std::int32_t* values, std::size_t n);
    // Accepts every length-prefix form, the UTF-16 one included, whose
    // characters come back converted to UTF-8.
    std::string ReadString();

    // Bytes not yet read: lets a reader check a count before it allocates.
    std::uint64_t BytesRemaining() const;

    // Hands the buffered bytes to the file (storing).
    void Flush();
    void Close();

private:
    void FillBuffer();

    CFile& m_file;
    Mode m_mode;
    std::uint8_t m_buffer[kBufferSize];
    std::size_t m_nBufferPos = 0;
    std::size_t m_nBufferEnd = 0;
};

}  // namespace orvanel
