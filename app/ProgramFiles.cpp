#include "app/ProgramFiles.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

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
