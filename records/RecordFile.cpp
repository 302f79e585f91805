#include "records/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/GibReader.h"
#include "records/SgfReader.h"
#include "text/Gbk.h"

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

// The whole file at path (bytes), or a sentence naming it as name.
QString readWhole(const QByteArray& path, const QString& name, QByteArray& bytes, qint64 maxBytes)
{
    using Status = RegularFileRead::Status;
    bytes.clear();
    RegularFileRead r = readRegularFileBytes(path, maxBytes);
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

enum class Format { Sgf, Gib };

ReadOutcome readRecord(Format format, const QByteArray& path, const QString& shown)
{
    QByteArray bytes;
    const QString error = readWhole(path, shownName(shown), bytes, MaxRecordBytes);
    if (!error.isEmpty()) return ReadOutcome::failure(error);
    return named(format == Format::Sgf ? readSgfBytes(bytes) : readGibBytes(bytes, shown), shown);
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
    return readWhole(QFile::encodeName(path), shownName(path), bytes, maxBytes);
}

ReadOutcome ReadingSGFFile(const QString& path)
{
    return readRecord(Format::Sgf, QFile::encodeName(path), path);
}

ReadOutcome ReadingGIBFile(const QString& path)
{
    return readRecord(Format::Gib, QFile::encodeName(path), path);
}

ReadOutcome readRecordFile(const QString& path)
{
    return readRecordFile(QFile::encodeName(path));
}

ReadOutcome readRecordFile(const QByteArray& path)
{
    const QString shown = displayPath(path);
    const QByteArray ending = path.right(4).toLower();
    if (ending == ".sgf") return readRecord(Format::Sgf, path, shown);
    if (ending == ".gib") return readRecord(Format::Gib, path, shown);
    return ReadOutcome::failure(
        QStringLiteral("无法打开“%1”：只能打开 SGF（*.sgf）和 GIB（*.gib）格式的棋谱。").arg(shownName(shown)));
}

QString displayPath(const QByteArray& path)
{
    QStringList parts;
    for (const QByteArray& part : path.split('/')) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(part);
        parts << (utf8.hasError() ? gbk::decode(part) : text);
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace zemra
