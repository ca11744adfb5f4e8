// Writing a file so that a failure can never destroy the file it replaces:
// the bytes go to a temporary file in the same folder, which is flushed to
// disk and then renamed over the target in one step. A character device or a
// named pipe is written directly; anything else that is not a regular file is
// refused.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/archive.h"

namespace orvanel {

// What a save refuses beyond what the system refuses.
struct SaveRules {
    // The profile an export is made from: the output may not be this file
    // under any name.
    std::filesystem::path profile;
    // A file marked read-only is replaced all the same.
    bool bOverwriteReadOnly = false;
};

class CSafeFileWriter final : public CFile {
public:
    // Follows symbolic links to the file they name, checks the target and
    // opens what the bytes go to; throws CFileException when it cannot or
    // may not. Temporary files left by programs that were killed are removed
    // from the folder first.
    explicit CSafeFileWriter(const std::filesystem::path& target, const SaveRules& rules = {});
    // Removes the temporary file unless Commit succeeded.
    ~CSafeFileWriter() override;
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::uint64_t GetLength() const override { return m_nWritten; }
    std::uint64_t GetPosition() const override { return m_nWritten; }

    // Flushes, closes and renames over the target (a device or a pipe is
    // only closed); throws CFileException.
    void Commit();

    // Empty when the target is a device or a pipe, written directly.
    const std::filesystem::path& TemporaryPath() const { return m_tempPath; }

private:
    void OpenTemporary();
    void OpenInPlace();

    std::filesystem::path m_target;  // with its links followed
    std::filesystem::path m_tempPath;
    int m_fd = -1;
    std::uint64_t m_nWritten = 0;
    bool m_bCommitted = false;
    bool m_bCovered = false;   // the signals that end the program clean up first
    bool m_bInFlight = false;  // the temporary file is the one they remove
};

// The whole of `bytes` replaces (or creates) `target`. Returns false, leaving
// any old file as it was, when something failed; `reason` then says why.
bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                     const SaveRules& rules = {}, std::string* reason = nullptr);

// Whether a name in a folder is one of the program's temporary files, and
// which process made it.
std::optional<int> TemporaryFileOwner(std::string_view name);

}  // namespace orvanel
