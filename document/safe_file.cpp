#include "document/safe_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanel {

namespace {

std::string Describe(const std::string& what, int err) { return what + ": " + std::strerror(err); }

// Rename replaces a symbolic link itself; the user means the file it names.
std::filesystem::path ResolveTarget(const std::filesystem::path& target) {
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

CSafeFileWriter::CSafeFileWriter(const std::filesystem::path& target)
    : m_target(ResolveTarget(target)) {
    std::filesystem::path folder = m_target.parent_path();
    if (folder.empty()) folder = ".";
    std::string name = ".";  // hidden beside the target until it replaces it
    name += m_target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        throw CFileException(Describe("cannot create a file in " + folder.string(), errno), errno);
    }
    m_tempPath = pattern;

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones rather than mkstemp's private 0600.
    struct stat st {};
    const mode_t mode = ::stat(m_target.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
    ::fchmod(m_fd, mode);
}

CSafeFileWriter::~CSafeFileWriter() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_bCommitted && !m_tempPath.empty()) ::unlink(m_tempPath.c_str());
}

std::size_t CSafeFileWriter::Read(void*, std::size_t) {
    throw CFileException("the file is open for writing", EBADF);
}

void CSafeFileWriter::Write(const void* buffer, std::size_t n) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (n > 0) {
        const ssize_t put = ::write(m_fd, bytes, n);
        if (put < 0) {
            if (errno == EINTR) continue;
            throw CFileException(Describe("cannot write " + m_target.string(), errno), errno);
        }
        bytes += put;
        n -= static_cast<std::size_t>(put);
        m_nWritten += static_cast<std::uint64_t>(put);
    }
}

void CSafeFileWriter::Commit() {
    if (::fsync(m_fd) != 0) {
        throw CFileException(Describe("cannot flush " + m_target.string(), errno), errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw CFileException(Describe("cannot close " + m_target.string(), errno), errno);
    }
    if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        throw CFileException(Describe("cannot replace " + m_target.string(), errno), errno);
    }
    m_bCommitted = true;
    // Make the rename itself durable; a failure here no longer risks the data.
    std::filesystem::path folder = m_target.parent_path();
    if (folder.empty()) folder = ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                     std::string* error) {
    try {
        CSafeFileWriter file(target);
        file.Write(bytes.data(), bytes.size());
        file.Commit();
        return true;
    } catch (const CFileException& e) {
        if (error) *error = e.what();
        return false;
    }
}

}  // namespace orvanel
