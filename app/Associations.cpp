#include "app/Associations.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

#include "app/ProgramFiles.h"
#include "records/AtomicWrite.h"
#include "records/RecordFile.h"

namespace zemra {

namespace {

const QByteArray DefaultGroup = "[Default Applications]";

// Icon sizes the hicolor theme has folders for.
bool themeSize(const QSize& size)
{
    return size.width() == size.height() && size.width() >= 16 && size.width() <= 512;
}

QString baseFolder(const QProcessEnvironment& env, const char* variable, const QString& fallbackUnderHome)
{
    const QString value = env.value(QString::fromLatin1(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    QString home = env.value(QStringLiteral("HOME"));
    if (home.isEmpty() || !QDir::isAbsolutePath(home)) home = QDir::homePath();
    return QDir::cleanPath(home + QLatin1Char('/') + fallbackUnderHome);
}

// mimeapps.list is handled as bytes: lines we do not own are written back
// exactly as they were, whatever their encoding.
bool isGroupHeader(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    return t.startsWith('[') && t.endsWith(']');
}

// The key of a "key=value" line, or empty for headers, comments and blanks.
QByteArray keyOf(const QByteArray& line)
{
    if (line.trimmed().startsWith('#') || isGroupHeader(line)) return {};
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QByteArray() : line.left(eq).trimmed();
}

QList<QByteArray> splitLines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines)
{
    return lines.isEmpty() ? QByteArray() : lines.join('\n') + '\n';
}

QString writeErrorMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("写入错误：无法写入“%1”。\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

const AssociatedFileType& sgfFileType()
{
    static const AssociatedFileType type{QStringLiteral(".sgf"),
                                         QStringLiteral("zemra.sgf"),
                                         QStringLiteral("SGF Format File"),
                                         QStringLiteral("SGF.ico"),
                                         QStringLiteral("application/x-go-sgf"),
                                         QStringLiteral("zemra-sgf")};
    return type;
}

const AssociatedFileType& gibFileType()
{
    // No established type exists for GIB records; this one is ours.
    static const AssociatedFileType type{QStringLiteral(".gib"),
                                         QStringLiteral("zemra.gib"),
                                         QStringLiteral("GIB Format File"),
                                         QStringLiteral("GIB.ico"),
                                         QStringLiteral("application/x-go-gib"),
                                         QStringLiteral("zemra-gib")};
    return type;
}

DesktopPaths DesktopPaths::fromEnvironment(const QProcessEnvironment& env)
{
    return {baseFolder(env, "XDG_DATA_HOME", QStringLiteral(".local/share")),
            baseFolder(env, "XDG_CONFIG_HOME", QStringLiteral(".config"))};
}

FileAssociations::FileAssociations(DesktopPaths paths, QString programPath,
                                   std::function<QString(const QString& name)> locateDataFile)
    : m_paths(std::move(paths)), m_programPath(std::move(programPath)), m_locateDataFile(std::move(locateDataFile))
{
    // The refresh runs on its own: the window must not wait for a slow
    // database rebuild, and nothing depends on when it ends.
    runTool = [](const QString& program, const QStringList& arguments) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) QProcess::startDetached(path, arguments);
    };
}

QString FileAssociations::packageFile(const AssociatedFileType& type) const
{
    return m_paths.dataHome + QStringLiteral("/mime/packages/") + type.typeKey + QStringLiteral(".xml");
}

QString FileAssociations::desktopFile(const AssociatedFileType& type) const
{
    return m_paths.dataHome + QStringLiteral("/applications/") + desktopId(type);
}

QString FileAssociations::iconFile(const AssociatedFileType& type, int size) const
{
    return m_paths.dataHome + QStringLiteral("/icons/hicolor/%1x%1/mimetypes/").arg(size) + type.iconName +
           QStringLiteral(".png");
}

QString FileAssociations::mimeappsFile() const
{
    return m_paths.configHome + QStringLiteral("/mimeapps.list");
}

QString FileAssociations::desktopId(const AssociatedFileType& type)
{
    return type.typeKey + QStringLiteral(".desktop");
}

QString FileAssociations::packageText(const AssociatedFileType& type)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <icon name=\"%3\"/>\n"
                          "    <glob pattern=\"*%4\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(type.mimeType, type.description.toHtmlEscaped(), type.iconName, type.extension);
}

QString FileAssociations::execProgram(const QString& programPath)
{
    // Reserved characters of the desktop entry rules force quoting; inside
    // the quotes four characters take a backslash.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (QChar c : programPath)
        quote = quote || reserved.contains(c);
    QString word;
    if (quote) {
        word += QLatin1Char('"');
        for (QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                word += QLatin1Char('\\');
            word += c;
        }
        word += QLatin1Char('"');
    } else {
        word = programPath;
    }
    word.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // Then the escapes of every string value in the file.
    QString value;
    for (QChar c : word) {
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

QString FileAssociations::desktopEntryText(const AssociatedFileType& type) const
{
    // Hidden from the menus: the installed zemra.desktop is the menu entry.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=Zemra\n"
                          "Name[zh_CN]=Zemra 围棋\n"
                          "Comment=%1\n"
                          "Icon=zemra\n"
                          "Exec=%2 %f\n"
                          "MimeType=%3;\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n")
        .arg(type.description, execProgram(m_programPath), type.mimeType);
}

QByteArray FileAssociations::withDefault(const QByteArray& mimeapps, const QString& mimeTypeText, const QString& desktopIdText)
{
    const QByteArray mimeType = mimeTypeText.toUtf8();
    QList<QByteArray> lines = splitLines(mimeapps);
    const QByteArray entry = mimeType + '=' + desktopIdText.toUtf8() + ';';
    qsizetype group = -1;
    for (qsizetype k = 0; k < lines.size(); ++k)
        if (lines[k].trimmed() == DefaultGroup) group = k;
    if (group < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QByteArray();
        lines << DefaultGroup << entry;
        return joinLines(lines);
    }
    qsizetype end = group + 1;
    while (end < lines.size() && !isGroupHeader(lines[end]))
        ++end;
    for (qsizetype k = group + 1; k < end; ++k) {
        if (keyOf(lines[k]) == mimeType) {
            lines[k] = entry;
            return joinLines(lines);
        }
    }
    // After the group's last entry, before the blank lines that part groups.
    qsizetype at = end;
    while (at > group + 1 && lines[at - 1].trimmed().isEmpty())
        --at;
    lines.insert(at, entry);
    return joinLines(lines);
}

QByteArray FileAssociations::withoutDefault(const QByteArray& mimeapps, const QString& mimeTypeText, const QString& desktopIdText)
{
    const QByteArray mimeType = mimeTypeText.toUtf8();
    const QByteArray desktopId = desktopIdText.toUtf8();
    QList<QByteArray> lines = splitLines(mimeapps);
    bool inGroup = false;
    bool changed = false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (isGroupHeader(lines[k])) {
            inGroup = lines[k].trimmed() == DefaultGroup;
            continue;
        }
        if (!inGroup || keyOf(lines[k]) != mimeType) continue;
        QList<QByteArray> ids;
        for (const QByteArray& id : lines[k].mid(lines[k].indexOf('=') + 1).split(';'))
            if (!id.trimmed().isEmpty()) ids << id.trimmed();
        if (!ids.removeAll(desktopId)) continue;
        changed = true;
        if (ids.isEmpty())
            lines.removeAt(k--);
        else
            lines[k] = mimeType + '=' + ids.join(';') + ';';
    }
    if (!changed) return mimeapps;
    // A group left without entries goes, with the blank lines that ended the file.
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (lines[k].trimmed() != DefaultGroup) continue;
        qsizetype end = k + 1;
        bool hasEntries = false;
        for (; end < lines.size() && !isGroupHeader(lines[end]); ++end)
            hasEntries = hasEntries || !lines[end].trimmed().isEmpty();
        if (!hasEntries) {
            lines.remove(k, end - k);
            --k;
        }
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return joinLines(lines);
}

bool FileAssociations::writeFile(const QString& path, const QByteArray& data)
{
    // Written beside the target and renamed over it: a failure leaves the
    // old file or none, never half of one.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (onError)
            onError(writeErrorMessage(path, QStringLiteral("无法创建文件夹“%1”。").arg(QDir::toNativeSeparators(folder))));
        return false;
    }
    const QString reason = writeFileAtomically(path, data);
    if (reason.isEmpty()) return true;
    if (onError) onError(writeErrorMessage(path, reason));
    return false;
}

bool FileAssociations::associate(const AssociatedFileType& type)
{
    // An open command without the program's full path would make a broken
    // entry the default handler.
    if (!QDir::isAbsolutePath(m_programPath) || m_programPath.contains(QChar::ReplacementCharacter)) {
        if (onError)
            onError(writeErrorMessage(desktopFile(type), QStringLiteral("程序所在的文件夹名称无法写入启动命令，"
                                                                          "请把程序放到名称只含常用字符的文件夹中。")));
        return false;
    }
    if (!writeFile(packageFile(type), packageText(type).toUtf8())) return false;

    // The icon is optional: without a readable SGF.ico the type keeps the
    // theme's generic icon. Only a regular file is read.
    const QString iconPath = m_locateDataFile ? m_locateDataFile(type.iconFile) : type.iconFile;
    QByteArray iconBytes = readRegularFile(QFile::encodeName(iconPath), 16 * 1024 * 1024).value_or(QByteArray());
    QBuffer iconBuffer(&iconBytes);
    iconBuffer.open(QIODevice::ReadOnly);
    QImageReader reader(&iconBuffer);
    do {
        const QImage image = reader.read();
        if (image.isNull() || !themeSize(image.size())) continue;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        if (!writeFile(iconFile(type, image.width()), png)) return false;
    } while (reader.jumpToNextImage());

    if (!writeFile(desktopFile(type), desktopEntryText(type).toUtf8())) return false;

    QByteArray mimeapps;
    QFile current(mimeappsFile());
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            // Rewriting a file we cannot read would lose the user's other defaults.
            if (onError) onError(writeErrorMessage(mimeappsFile(), current.errorString()));
            return false;
        }
        mimeapps = current.readAll();
        current.close();
    }
    if (!writeFile(mimeappsFile(), withDefault(mimeapps, type.mimeType, desktopId(type)))) return false;

    notifyChanged();
    return true;
}

void FileAssociations::remove(const AssociatedFileType& type)
{
    bool removed = false;
    QStringList folders;

    const QDir theme(m_paths.dataHome + QStringLiteral("/icons/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = theme.filePath(size + QStringLiteral("/mimetypes/") + type.iconName + QStringLiteral(".png"));
        if (QFile::exists(path) && QFile::remove(path)) {
            removed = true;
            folders << QFileInfo(path).absolutePath();
        }
    }
    for (const QString& path : {desktopFile(type), packageFile(type)}) {
        if (QFile::exists(path) && QFile::remove(path)) {
            removed = true;
            folders << QFileInfo(path).absolutePath();
        }
    }

    QFile current(mimeappsFile());
    if (current.open(QIODevice::ReadOnly)) {
        const QByteArray before = current.readAll();
        current.close();
        const QByteArray after = withoutDefault(before, type.mimeType, desktopId(type));
        if (after != before) {
            if (after.isEmpty()) {
                QFile::remove(mimeappsFile());
            } else {
                // Not reported, as nothing here is; a failed write leaves the old list whole.
                writeFileAtomically(mimeappsFile(), after);
            }
            removed = true;
        }
    }

    if (!removed) return;
    notifyChanged();
    for (const QString& folder : folders)
        pruneEmptyFolders(folder, m_paths.dataHome);
}

void FileAssociations::notifyChanged()
{
    if (!runTool) return;
    // update-mime-database stops when the packages folder is missing.
    if (QFileInfo(m_paths.dataHome + QStringLiteral("/mime/packages")).isDir())
        runTool(QStringLiteral("update-mime-database"), {m_paths.dataHome + QStringLiteral("/mime")});
    if (QFileInfo(m_paths.dataHome + QStringLiteral("/applications")).isDir())
        runTool(QStringLiteral("update-desktop-database"), {m_paths.dataHome + QStringLiteral("/applications")});
}

void FileAssociations::pruneEmptyFolders(const QString& folder, const QString& base)
{
    // The packages folder stays while a generated database lives beside it:
    // update-mime-database needs it to rebuild that database.
    const QString mime = QDir::cleanPath(base + QStringLiteral("/mime"));
    QString dir = QDir::cleanPath(folder);
    const QString stop = QDir::cleanPath(base);
    while (dir.startsWith(stop + QLatin1Char('/'))) {
        if (dir == mime + QStringLiteral("/packages") &&
            QDir(mime).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size() > 1)
            return;
        if (!QDir().rmdir(dir)) return;
        dir = QFileInfo(dir).absolutePath();
    }
}

bool associateFileType(const AssociatedFileType& type, const std::function<void(const QString&)>& onError)
{
    // A path that is not UTF-8 cannot stand in a desktop entry: it becomes
    // replacement characters, which associate() refuses.
    const QByteArray program = programPathBytes();
    const QString path = isUtf8(program) ? QString::fromUtf8(program) : QString(QChar::ReplacementCharacter);
    FileAssociations associations(DesktopPaths::fromEnvironment(), path,
                                  [](const QString& name) { return QFile::decodeName(locateProgramFile(name)); });
    associations.onError = onError;
    return associations.associate(type);
}

void removeFileType(const AssociatedFileType& type)
{
    FileAssociations associations(DesktopPaths::fromEnvironment(), QFile::decodeName(programPathBytes()), {});
    associations.remove(type);
}

} // namespace zemra
