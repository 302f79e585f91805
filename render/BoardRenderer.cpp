#include "render/BoardRenderer.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cstring>
#include <vector>

#include "board/Coordinates.h"
#include "render/Fonts.h"

namespace zemra {

namespace {

constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;
constexpr QRgb OutlineGrey = 0xff808080;
constexpr QRgb MarkRed = 0xffff0000;
constexpr QRgb MarkBlue = 0xff0000ff;

// Rows of an RGB32 picture for direct pixel work. The AND and OR raster
// operations and the solid fills are done here row by row: QPainter's generic
// composition path for raster operations costs many times more per pixel, and
// for opaque 32-bit pixels both give the same bits.
template <typename Pixel, typename Image> class Rows {
public:
    explicit Rows(Image& image)
        : m_origin(reinterpret_cast<Pixel*>(image.bits())), m_stride(image.bytesPerLine() / qsizetype(sizeof(QRgb)))
    {
    }
    Pixel* row(int y) const { return m_origin + y * m_stride; }

private:
    Pixel* m_origin;
    qsizetype m_stride;
};
// Writing through bits() detaches a picture that is shared, as QPainter would.
using PixelRows = Rows<QRgb, QImage>;
using ConstPixelRows = Rows<const QRgb, const QImage>;

// Four pixels as one 16-byte vector (a GCC/Clang extension, lowered to plain
// code where the target has no vectors): the compiler at -O2 leaves the
// plain loops below one pixel at a time.
using PixelQuad = QRgb __attribute__((vector_size(16)));

PixelQuad loadQuad(const QRgb* p)
{
    PixelQuad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

// out = (out AND keep) OR add over n pixels.
void andOr(QRgb* out, const QRgb* keep, const QRgb* add, int n)
{
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const PixelQuad q = (loadQuad(out + x) & loadQuad(keep + x)) | loadQuad(add + x);
        std::memcpy(out + x, &q, sizeof q);
    }
    for (; x < n; ++x)
        out[x] = (out[x] & keep[x]) | add[x];
}

// out = a AND b over n pixels.
void andInto(QRgb* out, const QRgb* a, const QRgb* b, int n)
{
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const PixelQuad q = loadQuad(a + x) & loadQuad(b + x);
        std::memcpy(out + x, &q, sizeof q);
    }
    for (; x < n; ++x)
        out[x] = a[x] & b[x];
}

// The wood tiles sit at multiples of SmallBoardSide: a row from left, width
// long, is f(x, offset into the tile's row, n) for each tile it crosses.
template <typename Run> void forEachTileRun(int left, int width, Run f)
{
    for (int x = left; x < left + width;) {
        const int offset = x % SmallBoardSide;
        const int n = std::min(SmallBoardSide - offset, left + width - x);
        f(x, offset, n);
        x += n;
    }
}

void fillArea(QImage& image, const QRect& area, QRgb colour)
{
    const QRect r = area & image.rect();
    if (r.isEmpty()) return;
    const PixelRows rows(image);
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::fill_n(rows.row(y) + r.left(), r.width(), colour);
}

} // namespace

BoardRenderer::BoardRenderer(const WeiQiGame& game) : m_game(game) {}

void BoardRenderer::setPanelSize(int width, int height)
{
    m_panelWidth = width;
    m_panelHeight = height;
}

void BoardRenderer::setShowCoordinates(bool on)
{
    if (on == m_showCoordinates) return;
    m_showCoordinates = on;
    m_coordinatesChanged = true;
}

QRgb BoardRenderer::markColour() const
{
    return m_marksBlue ? MarkBlue : MarkRed;
}

// --- the board ------------------------------------------------------------

void BoardRenderer::SetChessSize()
{
    m_layout.chessSize = chessSizeFor(m_panelWidth, m_panelHeight, std::clamp(m_game.BoardSize(), 5, WeiQiGame::MaxSize));
}

void BoardRenderer::InitChessBoard()
{
    const int oldChessSize = m_layout.chessSize;
    const int n = std::clamp(m_game.BoardSize(), 5, WeiQiGame::MaxSize);
    SetChessSize();
    const int s = m_layout.chessSize;
    // Our own last sizes count too: the model may change BoardSize without
    // PreviousBoardSize saying so, the picture must fit the board, and the
    // stones must be of the size the picture was drawn at.
    const bool relayout = s != oldChessSize || s != m_drawnChessSize || m_game.PreviousBoardSize() != m_game.BoardSize() ||
                          m_layout.boardSize != n || m_coordinatesChanged || m_board.isNull();
    // The picture as last drawn is the board asked for.
    const bool sameBoard = s == m_drawnChessSize && m_layout.boardSize == n && !m_coordinatesChanged && !m_board.isNull();

    // The fonts go by whole points, so neighbouring cell sizes share them,
    // and with them the numbers already shaped.
    if (s / 3 != m_numberPoints) {
        m_numberPoints = s / 3;
        m_numberFont = boardFont(SongTi, m_numberPoints);
        m_numberMetrics = QFontMetrics(m_numberFont);
        m_textHeightA = m_numberMetrics.height();
        m_textWidth19 = m_numberMetrics.horizontalAdvance(QStringLiteral("19"));
        m_shapedNumbers.clear();
    }
    if (s / 2 != m_labelPoints) {
        m_labelPoints = s / 2;
        m_labelFont = boardFont(Arial, m_labelPoints);
        m_labelMetrics = QFontMetrics(m_labelFont);
    }

    if (relayout) {
        m_layout.boardSize = n;
        m_layout.margin = BoardMarginPixels;
        m_imageSize = boardImageSizeFor(m_layout, m_showCoordinates, m_textWidth19);
        m_stones = nullptr; // fetched by the first stone drawn at this size
    }

    const int J = m_layout.squareSide();
    if (m_showCoordinates)
        m_paintBoxPos = QPoint((m_panelWidth - J - m_textWidth19) / 2, (m_panelHeight - J - m_textHeightA) / 2 + 2);
    else
        m_paintBoxPos = QPoint((m_panelWidth - J) / 2 - 3, (m_panelHeight - J) / 2);

    if (m_blank && sameBoard) return;

    DrawChessBoard();
    DrawCoordinate();
    // Cut on every layout: pieces kept from another board size would restore
    // a star point without its dot.
    cutPieces();
    m_drawnChessSize = s;
    m_coordinatesChanged = false;
    if (m_screen.size() != m_board.size()) {
        m_screen = QImage();
        m_screen = m_screenMemory.picture(m_board.width(), m_board.height());
    }
    copyToScreen(m_board.rect());
    m_blank = true;
}

void BoardRenderer::paintWood(const QRect& area)
{
    const QRect r = area & m_board.rect();
    if (r.isEmpty()) return;
    const PixelRows board(m_board);
    const ConstPixelRows wood(SmallBoard());
    const int right = r.left() + r.width();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = board.row(y);
        const QRgb* tile = wood.row(y % SmallBoardSide);
        // The part tile up to the first tile edge, one whole tile from the
        // tile, then ever longer copies of the tiles already in the row.
        int x = r.left();
        const int head = std::min(SmallBoardSide - x % SmallBoardSide, right - x);
        std::memcpy(row + x, tile + x % SmallBoardSide, static_cast<std::size_t>(head) * sizeof(QRgb));
        x += head;
        const int start = x;
        while (x < right) {
            const int count = x == start ? std::min(SmallBoardSide, right - x) : std::min(x - start, right - x);
            std::memcpy(row + x, x == start ? tile : row + start, static_cast<std::size_t>(count) * sizeof(QRgb));
            x += count;
        }
    }
}

void BoardRenderer::DrawChessBoard()
{
    if (m_layout.chessSize == 0) return;
    ++m_drawCounts.emptyBoards;
    m_blank = false;
    if (m_board.width() != m_imageSize) {
        // The old picture goes first so that its memory can be reused.
        m_board = QImage();
        m_board = m_boardMemory.picture(m_imageSize, m_imageSize);
    }
    const int n = m_layout.boardSize;
    const int s = m_layout.chessSize;
    const int J = m_layout.squareSide();
    const int g0 = m_layout.gridStart();
    const int L = m_layout.gridEnd();
    const int size = m_imageSize;

    // The tiles sit at multiples of 50 from the corner, as the pieces assume.
    paintWood(m_board.rect());

    for (int k = 0; k < n; ++k) {
        fillArea(m_board, QRect(g0, g0 + k * s, L - g0 + 1, 1), Black);
        fillArea(m_board, QRect(g0 + k * s, g0, 1, L - g0 + 1), Black);
    }
    // One pixel outside the outer lines: the edge lines are two pixels thick.
    const int frame = L - g0 + 3;
    fillArea(m_board, QRect(g0 - 1, g0 - 1, frame, 1), Black);
    fillArea(m_board, QRect(g0 - 1, L + 1, frame, 1), Black);
    fillArea(m_board, QRect(g0 - 1, g0 - 1, 1, frame), Black);
    fillArea(m_board, QRect(L + 1, g0 - 1, 1, frame), Black);
    for (const QPoint p : starPoints(n))
        drawStarDot(p.x(), p.y());

    fillArea(m_board, QRect(0, 0, J, 1), OutlineGrey);
    fillArea(m_board, QRect(0, J - 1, J, 1), OutlineGrey);
    fillArea(m_board, QRect(0, 0, 1, J), OutlineGrey);
    fillArea(m_board, QRect(J - 1, 0, 1, J), OutlineGrey);

    fillArea(m_board, QRect(J, 0, size - J, size), PanelColour);
    fillArea(m_board, QRect(0, J, size, size - J), PanelColour);

    QPainter painter(&m_board);
    painter.drawImage(QRect(0, J, ShadowWidth, ShadowWidth), shadowPiece(4));
    painter.drawImage(QRect(J, 0, ShadowWidth, ShadowWidth), shadowPiece(8));
    painter.drawImage(QRect(J, J, ShadowWidth, ShadowWidth), shadowPiece(6));
    painter.drawImage(QRect(ShadowWidth, J, J - ShadowWidth, ShadowWidth), shadowPiece(5));
    painter.drawImage(QRect(J, ShadowWidth, ShadowWidth, J - ShadowWidth), shadowPiece(7));
}

void BoardRenderer::drawStarDot(int a, int b)
{
    const QPoint c = m_layout.intersection(a, b);
    fillArea(m_board, QRect(c.x() - 1, c.y() - 2, 1, 5), Black);
    fillArea(m_board, QRect(c.x() + 1, c.y() - 2, 1, 5), Black);
    fillArea(m_board, QRect(c.x() - 2, c.y() - 1, 1, 3), Black);
    fillArea(m_board, QRect(c.x() + 2, c.y() - 1, 1, 3), Black);
}

void BoardRenderer::DrawStar(int a, int b)
{
    if (!drawable(a, b)) return;
    m_blank = false;
    drawStarDot(a, b);
}

void BoardRenderer::DrawCoordinate()
{
    if (!m_showCoordinates || m_layout.chessSize == 0) return;
    m_blank = false;
    const int n = m_layout.boardSize;
    const int s = m_layout.chessSize;
    const int J = m_layout.squareSide();
    const int margin = m_layout.margin;
    const QFont font = boardFont(CourierNew, s * 7 / 24);
    const QFontMetrics metrics(font);
    const int wA = metrics.horizontalAdvance(QLatin1Char('A'));
    const int w9 = metrics.horizontalAdvance(QLatin1Char('9'));
    const int h9 = metrics.height();
    const int ascent = metrics.ascent();

    {
        QPainter painter(&m_board);
        painter.setFont(font);
        painter.setPen(QColor(Black));
        for (int i = 1; i <= n; ++i) {
            const QString letter = QString::fromStdString(NumberToLetter(i)).toUpper();
            painter.drawText(margin + i * s - (s + wA) / 2, J + 1 + ascent, letter);
        }
        for (int k = 1; k <= n; ++k) {
            const int x = k <= 9 ? J + 2 + w9 / 2 : J + 2;
            painter.drawText(x, margin + k * s - (s + h9) / 2 + ascent, QString::number(k));
        }
    }
    // The same text on the screen: the strips below and right of the board.
    copyToScreen(QRect(0, J, m_imageSize, m_imageSize - J));
    copyToScreen(QRect(J, 0, m_imageSize - J, J));
}

void BoardRenderer::cutPieces()
{
    const int n = m_layout.boardSize;
    for (int k = 0; k < PieceKindCount; ++k) {
        const auto kind = static_cast<PieceKind>(k);
        const QPoint p = pieceSourcePoint(kind, n);
        QImage piece = m_board.copy(m_layout.cellRect(p.x(), p.y()));
        // Keep only the ink: the wood under a point is restored from the tile
        // at the point's own place, so a restored point matches its neighbours.
        const int side = piece.width();
        const PixelRows rows(piece);
        for (int y = 0; y < side; ++y) {
            QRgb* row = rows.row(y);
            for (int x = 0; x < side; ++x)
                row[x] = (row[x] & 0xffffff) == 0 ? Black : White;
        }
        m_pieces[static_cast<std::size_t>(k)] = piece;
    }
}

void BoardRenderer::clearCell(int i, int j)
{
    // The wood at the cell's own place AND the piece's ink, in one pass.
    m_blank = false;
    const QRect cell = m_layout.cellRect(i, j);
    const QImage& piece = boardPiece(pieceKindAt(m_layout.boardSize, i, j));
    const PixelRows board(m_board);
    const ConstPixelRows wood(SmallBoard());
    const ConstPixelRows ink(piece);
    for (int y = 0; y < cell.height(); ++y) {
        QRgb* out = board.row(cell.top() + y);
        const QRgb* tile = wood.row((cell.top() + y) % SmallBoardSide);
        const QRgb* mask = ink.row(y);
        forEachTileRun(cell.left(), cell.width(),
                       [&](int x, int offset, int n) { andInto(out + x, tile + offset, mask + (x - cell.left()), n); });
    }
}

void BoardRenderer::ClearChessBoard(int i, int j)
{
    if (!drawable(i, j)) return;
    clearCell(i, j);
}

void BoardRenderer::copyToScreen(const QRect& area)
{
    const QRect r = area & m_board.rect() & m_screen.rect();
    if (r.isEmpty()) return;
    const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
    const PixelRows screen(m_screen);
    const ConstPixelRows board(m_board);
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(screen.row(y) + r.left(), board.row(y) + r.left(), bytes);
    if (m_screenChanged) m_screenChanged(r);
}

void BoardRenderer::SendImageToFront(int i, int j)
{
    if (!drawable(i, j)) return;
    copyToScreen(m_layout.cellRect(i, j).adjusted(0, 0, 1, 1));
}

void BoardRenderer::FormResize()
{
    InitChessBoard();
    const int n = m_layout.boardSize;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const PointCode code = m_game.pointCode(i, j);
            if (code == PointCode::Empty) continue;
            const int number = m_game.pointNumber(i, j);
            if (number != 0) {
                ShowChessNumberAndFlag(number);
            } else {
                DrawChess(i, j, code);
                SendImageToFront(i, j);
            }
            const MarkCode mark = m_game.pointMark(i, j);
            if (mark == MarkCode::BlackDead) DrawBlock(i, j, Colour::White);
            if (mark == MarkCode::WhiteDead) DrawBlock(i, j, Colour::Black);
        }
    }
}

// --- stones and marks -------------------------------------------------------

void BoardRenderer::drawStone(int i, int j, Colour stone)
{
    // The mask ANDed in, then the stone ORed over it, in one pass.
    ++m_drawCounts.stones;
    m_blank = false;
    const QRect cell = m_layout.cellRect(i, j);
    // An empty board, the first picture of every run, needs no stones.
    if (!m_stones) m_stones = &stoneImages(m_layout.chessSize);
    const QImage& art = stone == Colour::Black ? m_stones->BlackChess : m_stones->WhiteChess;
    const PixelRows board(m_board);
    const ConstPixelRows mask(m_stones->ChessMask);
    const ConstPixelRows ink(art);
    for (int y = 0; y < cell.height(); ++y)
        andOr(board.row(cell.top() + y) + cell.left(), mask.row(y), ink.row(y), cell.width());
}

void BoardRenderer::DrawChess(int i, int j, Colour stone)
{
    if (!drawable(i, j)) return;
    drawStone(i, j, stone);
}

void BoardRenderer::DrawChess(int i, int j, PointCode code)
{
    if (code == PointCode::BlackChess) DrawChess(i, j, Colour::Black);
    if (code == PointCode::WhiteChess) DrawChess(i, j, Colour::White);
}

void BoardRenderer::drawCentredText(QPainter& painter, int i, int j, const QString& text, const QFont& font,
                                    const QFontMetrics& metrics, QRgb colour)
{
    const QRect cell = m_layout.cellRect(i, j);
    const int s = m_layout.chessSize;
    const int x = cell.left() + (s - metrics.horizontalAdvance(text)) / 2;
    const int y = cell.top() + (s - metrics.height()) / 2;
    painter.setFont(font);
    painter.setPen(QColor(colour));
    painter.drawText(x, y + metrics.ascent(), text);
}

const BoardRenderer::ShapedNumber& BoardRenderer::shapedNumber(int number)
{
    const auto found = m_shapedNumbers.find(number);
    if (found != m_shapedNumbers.end()) return found->second;
    const QString text = QString::number(number);
    QTextLayout layout(text, m_numberFont);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedNumber shaped;
    shaped.width = m_numberMetrics.horizontalAdvance(text);
    shaped.glyphs = layout.glyphRuns();
    // Glyph positions from the baseline's left end, as drawText places them.
    const QPointF baseline(0, line.ascent());
    for (QGlyphRun& run : shaped.glyphs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p -= baseline;
        run.setPositions(positions);
    }
    return m_shapedNumbers.emplace(number, std::move(shaped)).first->second;
}

void BoardRenderer::drawNumber(QPainter& painter, int i, int j, int number)
{
    // White on black stones, black on white ones; nothing where no stone stands.
    const PointCode code = m_game.pointCode(i, j);
    if (code != PointCode::BlackChess && code != PointCode::WhiteChess) return;
    const ShapedNumber& shaped = shapedNumber(number);
    const QRect cell = m_layout.cellRect(i, j);
    const int s = m_layout.chessSize;
    const int x = cell.left() + (s - shaped.width) / 2;
    const int y = cell.top() + (s - m_numberMetrics.height()) / 2;
    painter.setPen(QColor(code == PointCode::BlackChess ? White : Black));
    for (const QGlyphRun& run : shaped.glyphs)
        painter.drawGlyphRun(QPointF(x, y + m_numberMetrics.ascent()), run);
}

void BoardRenderer::ShowChessNumber(int i, int j, int number)
{
    if (!drawable(i, j)) return;
    m_blank = false;
    QPainter painter(&m_board);
    drawNumber(painter, i, j, number);
}

void BoardRenderer::ShowChessNumberAndFlag(int moveNumber)
{
    if (moveNumber <= 0 || m_layout.chessSize == 0 || static_cast<std::size_t>(moveNumber) > m_game.MoveList().size()) return;
    const std::optional<MoveNode> node = parseMoveNode(m_game.MoveList()[static_cast<std::size_t>(moveNumber - 1)]);
    if (!node || node->pass) return;
    const std::optional<Colour> colour = node->colour;
    const int i = node->i;
    const int j = node->j;
    if (!drawable(i, j)) return;
    // The stone has gone, or a later stone stands there: it is not ours to draw.
    if (m_game.pointCode(i, j) != chessCode(*colour) || m_game.pointNumber(i, j) != moveNumber) return;

    const bool last = moveNumber == m_game.MoveCount();
    clearCell(i, j);
    drawStone(i, j, *colour);
    bool numbered = false;
    switch (m_stoneLabelMode) {
    case zemra::StoneLabelMode::LastMoveMark:
        if (last) drawLargeTriangle(i, j);
        break;
    case zemra::StoneLabelMode::AllNumbers:
        if (last) drawSmallTriangle(i, j);
        numbered = true;
        break;
    case zemra::StoneLabelMode::LastNumber:
        if (last) drawSmallTriangle(i, j);
        numbered = last;
        break;
    case zemra::StoneLabelMode::Marking:
        if (last) drawSmallTriangle(i, j);
        break;
    }
    if (numbered) {
        QPainter painter(&m_board);
        drawNumber(painter, i, j, moveNumber);
    }
    SendImageToFront(i, j);
}

void BoardRenderer::drawLargeTriangle(int i, int j)
{
    const QPoint c = m_layout.intersection(i, j);
    const int leg = largeTriangleLeg(m_layout.chessSize);
    m_blank = false;
    for (int k = 0; k < leg; ++k)
        fillArea(m_board, QRect(c.x() + k, c.y(), 1, leg - k), markColour());
}

void BoardRenderer::DrawLargeTriangle(int i, int j)
{
    if (!drawable(i, j)) return;
    drawLargeTriangle(i, j);
}

void BoardRenderer::drawSmallTriangle(int i, int j)
{
    const QPoint corner = m_layout.cellRect(i, j).topLeft();
    const int leg = smallTriangleLeg(m_layout.chessSize);
    m_blank = false;
    for (int k = 0; k < leg; ++k)
        fillArea(m_board, QRect(corner.x() + k, corner.y(), 1, leg - k), markColour());
}

void BoardRenderer::DrawSmallTriangle(int i, int j)
{
    if (!drawable(i, j)) return;
    drawSmallTriangle(i, j);
}

void BoardRenderer::DrawBlock(int i, int j, Colour square)
{
    if (!drawable(i, j)) return;
    const QPoint c = m_layout.intersection(i, j);
    const int side = blockSide(m_layout.chessSize);
    m_blank = false;
    fillArea(m_board, QRect(c.x() - side / 2, c.y() - side / 2, side, side), square == Colour::Black ? Black : White);
    SendImageToFront(i, j);
}

void BoardRenderer::DrawLabel(int i, int j, const QString& text)
{
    if (!drawable(i, j)) return;
    m_blank = false;
    for (QImage* target : {&m_board, &m_screen}) {
        QPainter painter(target);
        drawCentredText(painter, i, j, text, m_labelFont, m_labelMetrics, MarkBlue);
    }
    if (m_screenChanged) m_screenChanged(m_layout.cellRect(i, j));
}

void BoardRenderer::DeleteDeadChessFromImage(const std::string& captureText)
{
    // Last written first, as the stones were taken off.
    const std::vector<MoveNode> stones = parseCaptureText(captureText);
    for (auto it = stones.rbegin(); it != stones.rend(); ++it) {
        ClearChessBoard(it->i, it->j);
        SendImageToFront(it->i, it->j);
    }
}

void BoardRenderer::BtnNumberClick()
{
    if (m_game.MarkingDead()) return;
    m_stoneLabelMode = m_stoneLabelMode == zemra::StoneLabelMode::LastMoveMark ? zemra::StoneLabelMode::AllNumbers
                       : m_stoneLabelMode == zemra::StoneLabelMode::AllNumbers ? zemra::StoneLabelMode::LastNumber
                                                                               : zemra::StoneLabelMode::LastMoveMark;
    const int n = m_layout.boardSize;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (m_game.pointCode(i, j) != PointCode::Empty) ShowChessNumberAndFlag(m_game.pointNumber(i, j));
}

} // namespace zemra
