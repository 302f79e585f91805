#include "app/SaveCommands.h"

#include <QBuffer>
#include <QImage>

#include <stdexcept>

#include "records/RecordWriters.h"
#include "render/BoardRenderer.h"

namespace zemra {

namespace {

const QString SaveTitle = QStringLiteral("保存棋谱文件为 . . .");

void write(const QString& path, const QByteArray& bytes)
{
    const QString error = writeFileSafely(path, bytes);
    if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
}

} // namespace

FileDialogSettings SaveCommands::sgfDialogSettings() const
{
    return {SaveTitle, QStringLiteral("SGF格式棋谱(*.sgf)"), QStringLiteral("sgf"), proposedSgfName(today(), SaveCounter)};
}

FileDialogSettings SaveCommands::bmpDialogSettings() const
{
    return {SaveTitle, QStringLiteral("BMP格式棋谱(*.bmp)"), QStringLiteral("bmp"), proposedBmpName(today())};
}

FileDialogSettings SaveCommands::txtDialogSettings() const
{
    return {SaveTitle, QStringLiteral("TXT格式棋谱(*.txt)"), QStringLiteral("txt"), proposedTxtName(today())};
}

void SaveCommands::Menu_Option_SaveSGFClick()
{
    const QString path = m_host.askSaveFileName(sgfDialogSettings());
    if (path.isEmpty()) return;
    write(path, sgfRecordBytes(m_host.game(), m_host.gameInfo()));
    ++SaveCounter;
}

void SaveCommands::Menu_Option_SaveTXTClick()
{
    const QString path = m_host.askSaveFileName(txtDialogSettings());
    if (path.isEmpty()) return;
    write(path, boardDiagramBytes(m_host.game()));
}

QByteArray SaveCommands::boardBitmapBytes() const
{
    const BoardRenderer& r = m_host.presenter().renderer();
    const int s = bitmapSide(r.ChessSize(), m_host.game().BoardSize(), r.BoardMargin());
    const QImage square = r.PaintBox1().copy(0, 0, s, s);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (square.isNull() || !square.save(&buffer, "BMP"))
        throw std::runtime_error(QStringLiteral("无法生成棋盘图片。").toStdString());
    return bytes;
}

void SaveCommands::Menu_Option_SaveBMPClick()
{
    const QString path = m_host.askSaveFileName(bmpDialogSettings());
    if (path.isEmpty()) return;
    write(path, boardBitmapBytes());
}

} // namespace zemra
