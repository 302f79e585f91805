#include "records/RecordFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/GibReader.h"
#include "records/SgfReader.h"

namespace zemra {

namespace {

QString shownName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

ReadOutcome named(ReadOutcome out, const QString& path)
{
    if (!out.ok()) out.error = QStringLiteral("无法打开棋谱“%1”：%2").arg(shownName(path), out.error);
    return out;
}

} // namespace

RegularFileRead readRegularFileBytes(const QByteArray& path, qint64 maxBytes)
{
    using Status = RegularFileRead::Status;
    RegularFileRead r;
    if (path.isEmpty()) return r;
    // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            r.status = Status::Unreadable;
            r.systemError = qt_error_string(errno);
        }
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.status = Status::NotRegular;
    } else if (st.st_size > maxBytes) {
        r.status = Status::TooLarge;
        r.size = st.st_size;
    } else {
        QByteArray data(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
        qsizetype done = 0;
        while (done < data.size()) {
            const ssize_t n = ::read(fd, data.data() + done, static_cast<size_t>(data.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                r.status = Status::Unreadable;
                r.systemError = qt_error_string(errno);
                break;
            }
            if (n == 0) break;
            done += n;
        }
        if (r.systemError.isEmpty()) {
            data.truncate(done);
            r.status = Status::Read;
            r.bytes = std::move(data);
        }
    }
    ::close(fd);
    return r;
}

std::optional<QByteArray> readRegularFile(const QByteArray& path, qint64 maxBytes)
{
    RegularFileRead r = readRegularFileBytes(path, maxBytes);
    if (r.status != RegularFileRead::Status::Read) return std::nullopt;
    return std::move(r.bytes);
}

QString readRegularFile(const QString& path, QByteArray& bytes, qint64 maxBytes)
{
    using Status = RegularFileRead::Status;
    bytes.clear();
    const QString name = shownName(path);
    RegularFileRead r = readRegularFileBytes(QFile::encodeName(path), maxBytes);
    switch (r.status) {
    case Status::Read: bytes = std::move(r.bytes); return {};
    case Status::Missing: return QStringLiteral("找不到文件“%1”。").arg(name);
    case Status::NotRegular: return QStringLiteral("“%1”不是普通文件，不能打开。").arg(name);
    case Status::TooLarge:
        return QStringLiteral("文件“%1”太大（%2 MB），不是棋谱。").arg(name).arg(r.size / (1024 * 1024));
    case Status::Unreadable: break;
    }
    return QStringLiteral("无法读取文件“%1”：%2").arg(name, r.systemError);
}

ReadOutcome ReadingSGFFile(const QString& path)
{
    QByteArray bytes;
    const QString error = readRegularFile(path, bytes);
    if (!error.isEmpty()) return ReadOutcome::failure(error);
    return named(readSgfBytes(bytes), path);
}

ReadOutcome ReadingGIBFile(const QString& path)
{
    QByteArray bytes;
    const QString error = readRegularFile(path, bytes);
    if (!error.isEmpty()) return ReadOutcome::failure(error);
    return named(readGibBytes(bytes, path), path);
}

ReadOutcome readRecordFile(const QString& path)
{
    const QString ending = path.right(4).toLower();
    if (ending == u".sgf") return ReadingSGFFile(path);
    if (ending == u".gib") return ReadingGIBFile(path);
    return ReadOutcome::failure(
        QStringLiteral("无法打开“%1”：只能打开 SGF（*.sgf）和 GIB（*.gib）格式的棋谱。").arg(shownName(path)));
}

} // namespace zemra
