#include "export/transfer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/strings.h"

namespace orvanel {

namespace {

std::string Describe(const std::string& what, int err) { return what + ": " + std::strerror(err); }

// Names are drawn at random until one is free; a folder where that keeps
// failing is full of them, or something else is wrong.
constexpr int kNameAttempts = 64;

}  // namespace

std::filesystem::path TemporaryFolder(const char* tmpdir) {
    if (tmpdir != nullptr && tmpdir[0] == '/') return tmpdir;
    return "/tmp";
}

std::filesystem::path TemporaryFolder() { return TemporaryFolder(std::getenv("TMPDIR")); }

std::string TransferFileName(std::uint32_t unique) {
    char hex[9];
    std::snprintf(hex, sizeof(hex), "%X", static_cast<unsigned>(unique));
    return std::string("vqm") + hex + ".tmp";
}

CTransferFile::CTransferFile(const std::filesystem::path& path) : m_path(path) {
    std::string name = path.string();
    m_fd = m_cover.MakeFile(name, [](std::string& file) {
        return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    });
    if (m_fd < 0) throw CFileException(Describe("cannot create " + path.string(), errno), errno);
    // The mask may have taken bits away; the sibling, the same user, reads it.
    ::fchmod(m_fd, 0600);
}

CTransferFile::~CTransferFile() {
    if (m_fd >= 0) ::close(m_fd);
    // Removed before the cover goes, which forgets it then.
    ::unlink(m_path.c_str());
}

std::size_t CTransferFile::Read(void*, std::size_t) {
    throw CFileException("the file is open for writing", EBADF);
}

void CTransferFile::Write(const void* buffer, std::size_t n) {
    WriteAll(m_fd, buffer, n, m_path);
    m_nWritten += n;
}

void CTransferFile::Close() {
    if (::fsync(m_fd) != 0) {
        throw CFileException(Describe("cannot flush " + m_path.string(), errno), errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw CFileException(Describe("cannot close " + m_path.string(), errno), errno);
    }
}

TransferOutcome TransferToSibling(CTavrinEditorDoc& doc, const SiblingLink& sibling,
                                  std::uint64_t viewId, const std::filesystem::path& folder) {
    Prompter& prompter = doc.GetPrompter();
    std::optional<CTransferFile> file;
    std::random_device random;
    std::filesystem::path path;
    for (int attempt = 0; !file; ++attempt) {
        path = folder / TransferFileName(random());
        try {
            file.emplace(path);
        } catch (const CFileException& e) {
            if (e.OsError() == EEXIST && attempt + 1 < kNameAttempts) continue;
            prompter.ShowMessage("Cannot create the file " + path.string() + ".\n" + e.Reason());
            prompter.ShowMessage(path.string());
            return TransferOutcome::NotWritten;
        }
    }

    const bool wasModified = doc.IsModified();
    {
        CArchive ar(*file, CArchive::Mode::store);
        // Serialize tells the user itself when the bytes cannot be written.
        if (!doc.Serialize(ar)) return TransferOutcome::NotWritten;
    }
    try {
        file->Close();
    } catch (const CFileException& e) {
        prompter.ShowError(text::kErrorSaving, e.Reason());
        doc.SetModifiedFlag(wasModified);
        return TransferOutcome::NotWritten;
    }

    const std::optional<std::filesystem::path> socket = sibling.Find();
    if (socket && sibling.SendProfilePath(*socket, viewId, path.string()) == SendResult::Replied) {
        return TransferOutcome::Sent;
    }
    prompter.ShowMessage(text::kTransferFailed);
    return TransferOutcome::NoSibling;
}

}  // namespace orvanel
