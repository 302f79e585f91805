#include "app/InfoPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QRadialGradient>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "render/Fonts.h"

namespace zemra {

namespace {

const QColor PanelColour(239, 239, 247);
const QColor CurrentRowColour(195, 199, 222);
const QColor EdgeGrey(128, 128, 128);
const QColor Navy(0, 0, 128);
const QColor SideToMoveBlue(0, 0, 255);
// The Windows default scroll-bar colour: the header looks like the
// fixed row of a classic grid.
const QColor ScrollBarColour(212, 208, 200);

const char* const RowCaptions[InfoGrid::RowCount] = {
    "  信息类型", "  赛事名称", "  比赛时间", "  比赛地点", "  执    黑", "  黑方段位", "  执    白",
    "  白方段位", "  棋盘大小", "  让 子 数", "  贴 目 数", "  比赛结果", "  棋谱来源",
};

QFont panelFont()
{
    return textFont(12);
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

// Row 0 of the grid: stays put while the rows scroll; the user drags its
// section edges to resize the columns.
class InfoGridHeader : public QHeaderView {
public:
    explicit InfoGridHeader(InfoGrid* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (rect.isValid()) m_grid->StringGrid1DrawCell(*painter, logicalIndex, 0, rect);
    }

private:
    InfoGrid* m_grid;
};

class InfoGridDelegate : public QStyledItemDelegate {
public:
    explicit InfoGridDelegate(InfoGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_grid->StringGrid1DrawCell(*painter, index.column(), index.row() + 1, option.rect);
    }

private:
    InfoGrid* m_grid;
};

} // namespace

// ---------------------------------------------------------------------------

PlayerArea::PlayerArea(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("PlayerArea"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(Width, Height);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, PanelColour);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFont(panelFont());

    m_labelBlack = addLabel(36, 113, QString());
    m_labelWhite = addLabel(162, 113, QString());
    m_labelBlack->setObjectName(QStringLiteral("LabelBlack"));
    m_labelWhite->setObjectName(QStringLiteral("LabelWhite"));

    addLabel(108, 136, QStringLiteral("剩余时间"));
    addLabel(114, 157, QStringLiteral("读  秒"));
    addLabel(114, 179, QStringLiteral("死子数"));
    addLabel(35, 136, QStringLiteral("无限制"));
    addLabel(186, 136, QStringLiteral("无限制"));
    addLabel(22, 157, QStringLiteral("30秒/ 0次"));
    addLabel(176, 157, QStringLiteral("30秒/ 0次"));

    m_labelBlackDead = addLabel(41, 179, QStringLiteral("0 个"));
    m_labelWhiteDead = addLabel(192, 179, QStringLiteral("0 个"));
    m_labelBlackDead->setObjectName(QStringLiteral("LabelBlackDead"));
    m_labelWhiteDead->setObjectName(QStringLiteral("LabelWhiteDead"));
}

QLabel* PlayerArea::addLabel(int x, int y, const QString& text)
{
    auto* label = new QLabel(this);
    label->setFont(panelFont());
    label->setMargin(0);
    label->setIndent(0);
    label->setContentsMargins(0, 0, 0, 0);
    label->setTextFormat(Qt::PlainText); // names are user text, never markup
    label->move(x, y);
    setTextColour(label, Qt::black);
    setLabelText(label, text);
    return label;
}

void PlayerArea::setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

void PlayerArea::setBlackPicture(const QPixmap& picture)
{
    m_blackPicture = picture;
    update();
}

void PlayerArea::setWhitePicture(const QPixmap& picture)
{
    m_whitePicture = picture;
    update();
}

void PlayerArea::paintPicture(QPainter& p, const QRect& rect, const QPixmap& picture) const
{
    if (!picture.isNull()) {
        p.drawPixmap(rect, picture);
        return;
    }
    // Placeholder: a quiet frame with a faint stone outline.
    p.fillRect(rect, QColor(225, 225, 234));
    p.setPen(QColor(170, 170, 190));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    const int d = rect.height() / 2;
    p.drawEllipse(QRect(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d));
    p.setRenderHint(QPainter::Antialiasing, false);
}

void PlayerArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    paintPicture(p, QRect(7, 8, 118, 93), m_blackPicture);
    paintPicture(p, QRect(130, 8, 118, 93), m_whitePicture);

    // Settings background behind the time and capture rows.
    const QRect settings(4, 126, 245, 70);
    QLinearGradient shade(settings.topLeft(), settings.bottomLeft());
    shade.setColorAt(0, QColor(250, 250, 253));
    shade.setColorAt(1, QColor(226, 226, 238));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(190, 190, 212));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(settings).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setPen(QColor(214, 214, 228));
    for (const int y : {149, 171})
        p.drawLine(QPointF(10, y + 0.5), QPointF(243, y + 0.5));

    // Stone icons.
    const auto stone = [&p](const QRect& r, const QColor& light, const QColor& dark) {
        QRadialGradient g(QPointF(r.left() + r.width() * 0.35, r.top() + r.height() * 0.3), r.width() * 0.75);
        g.setColorAt(0, light);
        g.setColorAt(1, dark);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    };
    stone(QRect(8, 109, 19, 19), QColor(110, 110, 110), QColor(10, 10, 10));
    stone(QRect(134, 109, 19, 19), QColor(255, 255, 255), QColor(190, 190, 196));
}

// ---------------------------------------------------------------------------

InfoGrid::InfoGrid(QWidget* parent) : QTableWidget(RowCount - 1, 2, parent)
{
    setObjectName(QStringLiteral("StringGrid1"));
    setHorizontalHeader(new InfoGridHeader(this));
    setItemDelegate(new InfoGridDelegate(this));
    setFont(panelFont());

    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(8);
    header->setFixedHeight(RowHeight);
    header->resizeSection(0, 100);
    header->resizeSection(1, 500);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabKeyNavigation(false);

    QPalette pal = palette();
    pal.setColor(QPalette::Base, PanelColour);
    setPalette(pal);

    for (int col = 0; col < 2; ++col) {
        setHorizontalHeaderItem(col, new QTableWidgetItem);
        for (int row = 0; row < RowCount - 1; ++row)
            setItem(row, col, new QTableWidgetItem);
    }
    for (int row = 0; row < RowCount; ++row)
        SetCells(0, row, QString::fromUtf8(RowCaptions[row]));
    SetCells(1, 0, QStringLiteral("  对局信息"));

    // The highlight covers the whole row, so the whole view changes with it.
    connect(this, &QTableWidget::currentCellChanged, this, [this] { viewport()->update(); });
    setCurrentCell(0, 0);
}

QString InfoGrid::Cells(int col, int row) const
{
    if (col < 0 || col > 1 || row < 0 || row >= RowCount) return {};
    const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return it ? it->text() : QString();
}

void InfoGrid::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || col > 1 || row < 0 || row >= RowCount) return;
    QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    if (it) it->setText(text);
    if (row == 0) horizontalHeader()->viewport()->update();
}

void InfoGrid::StringGrid1DrawCell(QPainter& p, int col, int row, const QRect& rect) const
{
    p.save();
    p.setClipRect(rect); // a long value ends at the cell's edge
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(panelFont());
    const QString text = Cells(col, row);
    const Qt::Alignment across = col == 0 ? Qt::AlignHCenter : Qt::AlignLeft;

    if (row == 0) {
        p.fillRect(rect, ScrollBarColour);
        p.setPen(Qt::black);
        p.drawText(rect.adjusted(1, 2, 0, 0), Qt::AlignTop | across | Qt::TextSingleLine, text);
        p.setPen(Qt::white);
        p.drawLine(rect.topLeft(), rect.topRight());
        p.drawLine(rect.topLeft(), rect.bottomLeft());
        p.setPen(EdgeGrey);
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        p.drawLine(rect.topRight(), rect.bottomRight());
    } else {
        p.fillRect(rect, row == currentGridRow() ? CurrentRowColour : PanelColour);
        QPolygon dots;
        dots.reserve(rect.width() / 2 + 1);
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (x % 2 == 0) dots << QPoint(x, rect.bottom());
        p.setPen(EdgeGrey);
        p.drawPoints(dots);
        p.setPen(col == 0 ? QColor(Qt::black) : Navy);
        p.drawText(rect, Qt::AlignVCenter | across | Qt::TextSingleLine, text);
    }
    p.restore();
}

void InfoGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // Only rows scroll: a click on a 500-wide value must not shift the
    // captions out of sight, as there is no horizontal scroll bar.
    const int across = horizontalScrollBar()->value();
    QTableWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(across);
}

// ---------------------------------------------------------------------------

namespace {

// A table's header views measure their font as they are made, before the
// grid can set its own: made inside a widget that has the panel's font
// already, they never load the default font's two faces at start-up.
InfoGrid* makeGrid(QWidget* parent)
{
    QWidget carrier;
    carrier.setFont(panelFont());
    auto* grid = new InfoGrid(&carrier);
    grid->setParent(parent);
    return grid;
}

} // namespace

InfoPanel::InfoPanel(QWidget* areaParent, QWidget* gridParent) : m_areaParent(areaParent), m_gridParent(gridParent) {}

void InfoPanel::build()
{
    if (m_playerArea) return;
    m_playerArea = new PlayerArea(m_areaParent);
    m_grid = makeGrid(m_gridParent);
    m_playerArea->setBlackPicture(m_blackPicture);
    m_playerArea->setWhitePicture(m_whitePicture);
    for (int row = 1; row < InfoGrid::RowCount; ++row)
        m_grid->SetCells(1, row, m_values[static_cast<std::size_t>(row)]);
    showNames();
    PlayerArea::setLabelText(LabelBlackDead(), m_blackDead);
    PlayerArea::setLabelText(LabelWhiteDead(), m_whiteDead);
    showSide();
    // Made under a parent that is already shown, they would stay hidden.
    if (m_areaParent) m_playerArea->show();
    if (m_gridParent) m_grid->show();
}

void InfoPanel::setBlackPicture(const QPixmap& picture)
{
    m_blackPicture = picture;
    if (built()) m_playerArea->setBlackPicture(picture);
}

void InfoPanel::setWhitePicture(const QPixmap& picture)
{
    m_whitePicture = picture;
    if (built()) m_playerArea->setWhitePicture(picture);
}

void InfoPanel::setValue(int row, const QString& text)
{
    m_values[static_cast<std::size_t>(row)] = text;
    if (built()) m_grid->SetCells(1, row, text);
}

void InfoPanel::showNames()
{
    PlayerArea::setLabelText(LabelBlack(), m_blackName);
    PlayerArea::setLabelText(LabelWhite(), m_whiteName);
}

void InfoPanel::showSide()
{
    if (!m_side) return;
    const bool black = *m_side == Colour::Black;
    setTextColour(LabelBlack(), black ? SideToMoveBlue : QColor(Qt::black));
    setTextColour(LabelWhite(), black ? QColor(Qt::black) : SideToMoveBlue);
}

void InfoPanel::ShowGameInfo(const GameInfo& info, int handicapCount)
{
    const auto cell = [](const QString& value) { return QStringLiteral("  ") + value; };
    setValue(1, cell(info.GameEvent));
    setValue(2, cell(info.GameDate));
    setValue(3, cell(info.GamePlace));
    setValue(4, cell(info.BlackName));
    setValue(5, cell(info.BlackRank));
    setValue(6, cell(info.WhiteName));
    setValue(7, cell(info.WhiteRank));
    setValue(8, cell(info.SizeText + QStringLiteral("×") + info.SizeText));
    setValue(9, cell(QString::number(handicapCount)));
    setValue(10, cell(info.GameKomi));
    setValue(11, cell(info.GameResult));
    setValue(12, cell(info.GameSource));

    m_blackName = info.BlackName;
    m_whiteName = info.WhiteName;
    if (built()) showNames();
    ShowSideToMove(Colour::Black);
    SetLabelBlackDead(QStringLiteral("0 个"));
    SetLabelWhiteDead(QStringLiteral("0 个"));
}

void InfoPanel::ShowResult(const QString& result)
{
    setValue(11, QStringLiteral("  ") + result);
}

void InfoPanel::ShowSideToMove(Colour side)
{
    m_side = side;
    if (built()) showSide();
}

void InfoPanel::SetLabelBlackDead(const QString& caption)
{
    m_blackDead = caption;
    if (built()) PlayerArea::setLabelText(LabelBlackDead(), caption);
}

void InfoPanel::SetLabelWhiteDead(const QString& caption)
{
    m_whiteDead = caption;
    if (built()) PlayerArea::setLabelText(LabelWhiteDead(), caption);
}

void InfoPanel::SetHandicapCell(const QString& text)
{
    setValue(9, text);
}

} // namespace zemra
