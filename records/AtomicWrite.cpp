#include "records/AtomicWrite.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zemra {

namespace {

// QSaveFile is not used: in Qt 6.4 a content smaller than its write buffer
// meets a full disk only inside commit(), which still renames the empty
// temporary file over the old one and reports success.

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// The file a save really replaces: the end of a chain of symbolic links, so
// that a link the user made keeps pointing where it did. Empty on a loop.
QByteArray followLinks(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) return path;
        const QByteArray link(target, n);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    return {};
}

// A new name beside the target, made only by us (O_EXCL). New files get
// 0666 less the umask, as any program's new file does.
int createTemporary(const QByteArray& target, QByteArray& name)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const qsizetype slash = target.lastIndexOf('/');
    // Short enough that the suffix never makes a name too long for the folder.
    const QByteArray stem = target.left(slash + 1) + target.mid(slash + 1).left(200) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (int k = 0; k < 6; ++k)
            name += letters[QRandomGenerator::global()->bounded(static_cast<int>(sizeof letters) - 1)];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) { // never for a regular file, but it must not loop for ever
            errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

int syncFile(int fd)
{
    int r;
    do {
        r = ::fsync(fd);
    } while (r != 0 && errno == EINTR);
    return r;
}

} // namespace

QString writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = followLinks(QFile::encodeName(path));
    if (target.isEmpty()) return qt_error_string(path.isEmpty() ? ENOENT : ELOOP);

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return qt_error_string(EISDIR);
    // Renaming over a device or a FIFO would replace the node itself.
    if (exists && !S_ISREG(old.st_mode)) return QStringLiteral("不是普通文件");
    // A file the user made read-only stays protected, though the folder
    // would let us replace it.
    if (exists && ::access(target.constData(), W_OK) != 0) return qt_error_string(errno);

    QByteArray temporary;
    int fd = createTemporary(target, temporary);
    if (fd < 0) return qt_error_string(errno);

    auto fail = [&](int code) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.constData());
        return qt_error_string(code);
    };

    if (exists) {
        // The replacement keeps the old file's owner where we may set it, and
        // its permission bits. Neither is worth failing the save for.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    if (!writeAll(fd, bytes)) return fail(errno);
    // On the disk before the rename: after a crash the name holds the old
    // content or the new, never an empty file.
    if (syncFile(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    // EINTR leaves the descriptor closed; the data was already synced.
    if (closed != 0 && errno != EINTR) return fail(errno);
    if (::rename(temporary.constData(), target.constData()) != 0) return fail(errno);

    // The new name itself on the disk; the file is already in place, so a
    // folder that cannot be synced does not make the save a failure.
    const int folder = ::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        syncFile(folder);
        ::close(folder);
    }
    return {};
}

} // namespace zemra
