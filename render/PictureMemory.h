// Memory for a large RGB32 picture that is kept from one layout to the next.
// A board picture of 1,100 pixels square is 5 MB; taking that fresh from the
// system on every resize costs more page faults than drawing the whole board,
// and whether the allocator hands back old pages or new ones depends on what
// was allocated before, so the cost also varied from run to run.
#pragma once

#include <QImage>
#include <cstddef>
#include <memory>

namespace zemra {

class PictureMemory {
public:
    // A width x height RGB32 picture with undefined pixels, on the kept
    // memory when it is large enough and no copy of an earlier picture still
    // uses it; otherwise on new memory, which is then kept. Null for an empty
    // size. Drop the previous picture first, or it counts as such a copy.
    QImage picture(int width, int height);

private:
    struct Block;
    std::shared_ptr<Block> m_block;
};

} // namespace zemra
