#include "app/ProgramFiles.h"

#include <QFile>
#include <QStringList>

#include <stdexcept>

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/RecordFile.h"

namespace zemra {

namespace {

QByteArray readOwnPath()
{
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), static_cast<size_t>(buffer.size()));
    if (n <= 0 || n >= buffer.size()) return {};
    buffer.truncate(n);
    return buffer;
}

bool isRegular(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// The names in folder that Qt shows as shown.
QList<QByteArray> entriesShownAs(const QByteArray& folder, const QString& shown)
{
    QList<QByteArray> found;
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir) return found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) == shown) found << name;
    }
    ::closedir(dir);
    return found;
}

} // namespace

QByteArray programPathBytes()
{
    static const QByteArray path = readOwnPath();
    return path;
}

QByteArray programDirBytes()
{
    const QByteArray path = programPathBytes();
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray("./") : path.left(slash + 1);
}

QString programDirText()
{
    return QFile::decodeName(programDirBytes());
}

QByteArray locateProgramFile(const QString& name)
{
    const QByteArray file = QFile::encodeName(name);
    QList<QByteArray> dirs;
    const QByteArray fromEnv = qgetenv("ZEMRA_DATA_DIR");
    if (!fromEnv.isEmpty()) dirs << fromEnv + '/';
    dirs << programDirBytes() << programDirBytes() + "../share/zemra/";
    for (const QByteArray& dir : dirs)
        if (isRegular(dir + file)) return dir + file;
    return programDirBytes() + file;
}

ProgramModule openProgramModule(const char* fileName, const char* entryName)
{
    QList<QByteArray> dirs;
    const QByteArray fromEnv = qgetenv("ZEMRA_DATA_DIR");
    if (!fromEnv.isEmpty()) dirs << fromEnv + '/';
    dirs << programDirBytes() << programDirBytes() + "../lib/zemra/";
    ProgramModule found;
    for (const QByteArray& dir : dirs) {
        const QByteArray path = dir + fileName;
        if (!isRegular(path)) continue;
        // Opened by the path's own bytes, so a program folder whose name is
        // not UTF-8 still finds it; every symbol now, so that a module that
        // does not fit the program fails here and not in the middle of a game.
        void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            found.problem = QString::fromLocal8Bit(::dlerror());
            continue;
        }
        if (void* entry = ::dlsym(module, entryName)) return {path, entry, {}};
        found.problem = QStringLiteral("%1: no %2").arg(QFile::decodeName(path), QLatin1String(entryName));
        ::dlclose(module);
    }
    if (found.problem.isEmpty()) found.problem = QStringLiteral("%1 not found").arg(QLatin1String(fileName));
    return found;
}

QByteArray systemPath(const QString& path)
{
    const QByteArray direct = QFile::encodeName(path);
    if (!path.contains(QChar::ReplacementCharacter) || exists(direct)) return direct;
    QByteArray resolved;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (qsizetype k = 0; k < parts.size(); ++k) {
        QByteArray part = QFile::encodeName(parts[k]);
        if (parts[k].contains(QChar::ReplacementCharacter) && !exists(resolved + part)) {
            const QList<QByteArray> found = entriesShownAs(resolved, parts[k]);
            if (found.isEmpty()) return direct;
            if (found.size() > 1) {
                QStringList names;
                for (const QByteArray& name : found)
                    names << QStringLiteral("“%1”").arg(displayPath(name));
                throw std::runtime_error(QStringLiteral("文件夹“%1”里的 %2 在这里显示成同一个名字，无法分辨要打开哪一个。"
                                                        "请先在文件管理器中给它们改名。")
                                             .arg(displayPath(resolved), names.join(QStringLiteral("、")))
                                             .toStdString());
            }
            part = found.first();
        }
        resolved += part;
        if (k + 1 < parts.size()) resolved += '/';
    }
    return resolved;
}

bool isUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype k = 0; k < n;) {
        const unsigned char c = p[k];
        int extra = 0;
        unsigned min = 0;
        if (c < 0x80) {
            ++k;
            continue;
        }
        if (c >= 0xc2 && c <= 0xdf) {
            extra = 1;
            min = 0x80;
        } else if (c >= 0xe0 && c <= 0xef) {
            extra = 2;
            min = 0x800;
        } else if (c >= 0xf0 && c <= 0xf4) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        unsigned code = c & (0x3f >> extra);
        for (int e = 1; e <= extra; ++e) {
            if (k + e >= n || (p[k + e] & 0xc0) != 0x80) return false;
            code = (code << 6) | (p[k + e] & 0x3f);
        }
        if (code < min || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
        k += extra + 1;
    }
    return true;
}

} // namespace zemra
