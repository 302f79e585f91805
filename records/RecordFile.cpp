#include "records/RecordFile.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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

QString readRegularFile(const QString& path, QByteArray& bytes, qint64 maxBytes)
{
    bytes.clear();
    const QString name = shownName(path);
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("找不到文件“%1”。").arg(name);
    // A FIFO or device would block the window in open() or never end.
    if (!info.isFile()) return QStringLiteral("“%1”不是普通文件，不能打开。").arg(name);
    if (info.size() > maxBytes)
        return QStringLiteral("文件“%1”太大（%2 MB），不是棋谱。").arg(name).arg(info.size() / (1024 * 1024));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("无法读取文件“%1”：%2").arg(name, file.errorString());
    // The path may have been swapped between the check and the open.
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0 || !S_ISREG(st.st_mode))
        return QStringLiteral("“%1”不是普通文件，不能打开。").arg(name);
    QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("无法读取文件“%1”：%2").arg(name, file.errorString());
    if (data.size() > maxBytes)
        return QStringLiteral("文件“%1”太大（%2 MB），不是棋谱。").arg(name).arg(data.size() / (1024 * 1024));
    bytes = std::move(data);
    return {};
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
