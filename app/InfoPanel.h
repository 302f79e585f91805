// The side panel's two blocks: the player area (pictures, names, the fixed
// time texts, captured stones) and the game-information grid. The window
// places the two widgets; this file owns their texts and how they paint.
#pragma once

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QTableWidget>

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

    QLabel* LabelBlack() const { return m_labelBlack; }
    QLabel* LabelWhite() const { return m_labelWhite; }
    QLabel* LabelBlackDead() const { return m_labelBlackDead; }
    QLabel* LabelWhiteDead() const { return m_labelWhiteDead; }

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

class InfoPanel {
public:
    // Both widgets are created as children of parent, which owns them.
    explicit InfoPanel(QWidget* parent);
    InfoPanel(const InfoPanel&) = delete;
    InfoPanel& operator=(const InfoPanel&) = delete;

    PlayerArea* playerArea() const { return m_playerArea; }
    InfoGrid* StringGrid1() const { return m_grid; }
    QLabel* LabelBlack() const { return m_playerArea->LabelBlack(); }
    QLabel* LabelWhite() const { return m_playerArea->LabelWhite(); }
    QLabel* LabelBlackDead() const { return m_playerArea->LabelBlackDead(); }
    QLabel* LabelWhiteDead() const { return m_playerArea->LabelWhiteDead(); }

    void setBlackPicture(const QImage& picture) { m_playerArea->setBlackPicture(QPixmap::fromImage(picture)); }
    void setWhitePicture(const QImage& picture) { m_playerArea->setWhitePicture(QPixmap::fromImage(picture)); }
    void setBlackPicture(const QPixmap& picture) { m_playerArea->setBlackPicture(picture); }
    void setWhitePicture(const QPixmap& picture) { m_playerArea->setWhitePicture(picture); }

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
    PlayerArea* m_playerArea;
    InfoGrid* m_grid;
};

} // namespace zemra
