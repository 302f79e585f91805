#include "render/PictureMemory.h"

namespace zemra {

struct PictureMemory::Block {
    explicit Block(std::size_t count) : pixels(std::make_unique_for_overwrite<QRgb[]>(count)), size(count) {}
    std::unique_ptr<QRgb[]> pixels;
    std::size_t size;
};

namespace {

// Each picture on a block holds one owner of it, so the block outlives the
// renderer while a copy of its picture is still around.
using BlockOwner = std::shared_ptr<void>;

void releaseBlock(void* owner)
{
    delete static_cast<BlockOwner*>(owner);
}

} // namespace

QImage PictureMemory::picture(int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // A second owner is a picture still alive: its pixels must stay as they are.
    if (!m_block || m_block.use_count() > 1 || m_block->size < count) m_block = std::make_shared<Block>(count);
    auto* data = reinterpret_cast<uchar*>(m_block->pixels.get());
    const qsizetype bytesPerLine = static_cast<qsizetype>(width) * static_cast<qsizetype>(sizeof(QRgb));
    return QImage(data, width, height, bytesPerLine, QImage::Format_RGB32, releaseBlock, new BlockOwner(m_block));
}

} // namespace zemra
