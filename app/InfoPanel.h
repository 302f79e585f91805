// The side panel's two blocks: the player area (pictures, names, the fixed
// time texts, captured stones) and the game-information grid. The window
// places the two widgets; this file owns their texts and how they paint.
#pragma once

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QTableWidget>

#include <array>
#include <optional>

#include "board/Words.h"
#include "records/GameInfo.h"

class QLabel;
class QPainter;

namespace zemra {

// 254 × 198: both players' pictures and names, the time texts that never
// change, and the captured-stone counts.
class PlayerArea : public QFrame {
    Q_OBJECT
public:
    static constexpr int Width = 254;
    static constexpr int Height = 198;

    explicit PlayerArea(QWidget* parent = nullptr);

    QLabel* LabelBlack() { return m_labelBlack; }
    QLabel* LabelWhite() { return m_labelWhite; }
    QLabel* LabelBlackDead() { return m_labelBlackDead; }
    QLabel* LabelWhiteDead() { return m_labelWhiteDead; }

    // A null picture shows a neutral placeholder.
    void setBlackPicture(const QPixmap& picture);
    void setWhitePicture(const QPixmap& picture);

    // Sets the text and resizes the label to it, so nothing is clipped.
    static void setLabelText(QLabel* label, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addLabel(int x, int y, const QString& text);
    void paintPicture(QPainter& p, const QRect& rect, const QPixmap& picture) const;

    QPixmap m_blackPicture;
    QPixmap m_whitePicture;
    QLabel* m_labelBlack;
    QLabel* m_labelWhite;
    QLabel* m_labelBlackDead;
    QLabel* m_labelWhiteDead;
};

// 2 columns × 13 rows; row 0 is the fixed header (drawn by the horizontal
// header), rows 1..12 are the table's rows 0..11. Every cell, header
// included, is painted by StringGrid1DrawCell.
class InfoGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = 13; // header included
    static constexpr int RowHeight = 17;

    explicit InfoGrid(QWidget* parent = nullptr);

    // Grid text by (column, row), row 0 being the header.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    // The grid's current row (1..12): highlighted whether or not it has focus.
    int currentGridRow() const { return currentRow() + 1; }

    // Paint one cell; row 0 is the header.
    void StringGrid1DrawCell(QPainter& p, int col, int row, const QRect& rect) const;

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
};

// The panel's texts are kept here and shown by the two widgets. The widgets
// are made when first asked for (or by build()): making them measures text,
// which loads the fonts, and the window does that only once it is on the
// screen, before its first paint.
class InfoPanel {
public:
    // The player area is made as a child of areaParent, the grid of
    // gridParent; the parents own them.
    InfoPanel(QWidget* areaParent, QWidget* gridParent);
    explicit InfoPanel(QWidget* parent) : InfoPanel(parent, parent) {}
    InfoPanel(const InfoPanel&) = delete;
    InfoPanel& operator=(const InfoPanel&) = delete;

    // Makes the widgets with what was written so far; then does nothing.
    void build();
    bool built() const { return m_playerArea != nullptr; }

    PlayerArea* playerArea() { return build(), m_playerArea; }
    InfoGrid* StringGrid1() { return build(), m_grid; }
    QLabel* LabelBlack() { return playerArea()->LabelBlack(); }
    QLabel* LabelWhite() { return playerArea()->LabelWhite(); }
    QLabel* LabelBlackDead() { return playerArea()->LabelBlackDead(); }
    QLabel* LabelWhiteDead() { return playerArea()->LabelWhiteDead(); }

    void setBlackPicture(const QImage& picture) { setBlackPicture(QPixmap::fromImage(picture)); }
    void setWhitePicture(const QImage& picture) { setWhitePicture(QPixmap::fromImage(picture)); }
    void setBlackPicture(const QPixmap& picture);
    void setWhitePicture(const QPixmap& picture);

    // Fill rows 1..12 from the fields and the handicap count, name the
    // players (Black to move) and reset both captured-stone texts to "0 个".
    void ShowGameInfo(const GameInfo& info, int handicapCount);
    // Row 11, the result.
    void ShowResult(const QString& result);

    // The side to move has a blue name, the other a black one.
    void ShowSideToMove(Colour side);
    void SetLabelBlackDead(const QString& caption);
    void SetLabelWhiteDead(const QString& caption);
    // Row 9, e.g. "  3" once handicap stones are down.
    void SetHandicapCell(const QString& text);

private:
    void setValue(int row, const QString& text);
    void showNames();
    void showSide();

    QWidget* m_areaParent;
    QWidget* m_gridParent;
    PlayerArea* m_playerArea = nullptr;
    InfoGrid* m_grid = nullptr;

    // What the widgets show.
    std::array<QString, InfoGrid::RowCount> m_values; // column 1 by row; row 0 is the header's own
    QString m_blackName, m_whiteName;
    QString m_blackDead = QStringLiteral("0 个");
    QString m_whiteDead = QStringLiteral("0 个");
    std::optional<Colour> m_side; // none yet: both names black
    QPixmap m_blackPicture, m_whitePicture;
};

} // namespace zemra
