// The transfer to the sibling program: the profile is stored into a temporary
// file exactly as a profile file holds it, the sibling is told the file's path
// and reads it while it handles the message, and the file is deleted as soon
// as the sibling has answered or the time for an answer is up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "document/archive.h"
#include "document/document.h"
#include "document/safe_file.h"
#include "export/sibling_link.h"

namespace orvanel {

// The user's temporary folder: TMPDIR when it names one, else /tmp.
std::filesystem::path TemporaryFolder(const char* tmpdir);
std::filesystem::path TemporaryFolder();

// The name of a transfer file: "vqm", the number in hexadecimal, ".tmp".
std::string TransferFileName(std::uint32_t unique);

// A new file of the user's alone (mode 0600); every write and the close are
// checked, and the file is removed when this object goes, whatever happened,
// or by a signal that ends the program before then.
class CTransferFile final : public CFile {
public:
    // Makes the file, which must not exist yet (not even as a link); throws
    // CFileException, with EEXIST when something has the name already.
    explicit CTransferFile(const std::filesystem::path& path);
    ~CTransferFile() override;
    CTransferFile(const CTransferFile&) = delete;
    CTransferFile& operator=(const CTransferFile&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::uint64_t GetLength() const override { return m_nWritten; }
    std::uint64_t GetPosition() const override { return m_nWritten; }

    // Flushes and closes; throws CFileException.
    void Close();
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    CSignalCover m_cover;
    int m_fd = -1;
    std::uint64_t m_nWritten = 0;
};

enum class TransferOutcome {
    Sent,        // the sibling answered
    NoSibling,   // none found, or it did not answer in time; the user was told
    NotWritten,  // the file could not be made or written; the user was told
};

// The Transfer command. Storing the profile clears the modified flag, as
// every store does, even when no sibling is found afterwards; a file that
// could not be written completely is never handed over.
TransferOutcome TransferToSibling(CTavrinEditorDoc& doc, const SiblingLink& sibling,
                                  std::uint64_t viewId,
                                  const std::filesystem::path& folder = TemporaryFolder());

}  // namespace orvanel
