// Writing a file so that a failure can never destroy the file it replaces:
// the bytes go to a temporary file in the same folder, which is flushed to
// disk and then renamed over the target in one step.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "document/archive.h"

namespace orvanel {

class CSafeFileWriter final : public CFile {
public:
    // Creates the temporary file; throws CFileException when it cannot.
    explicit CSafeFileWriter(const std::filesystem::path& target);
    // Removes the temporary file unless Commit succeeded.
    ~CSafeFileWriter() override;
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::uint64_t GetLength() const override { return m_nWritten; }
    std::uint64_t GetPosition() const override { return m_nWritten; }

    // Flushes, closes and renames over the target; throws CFileException.
    void Commit();

    const std::filesystem::path& TemporaryPath() const { return m_tempPath; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_tempPath;
    int m_fd = -1;
    std::uint64_t m_nWritten = 0;
    bool m_bCommitted = false;
};

// The whole of `bytes` replaces (or creates) `target`. Returns false, leaving
// any old file as it was, when something failed; `error` then says what.
bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                     std::string* error = nullptr);

}  // namespace orvanel
