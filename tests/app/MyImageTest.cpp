// TMyImage: enter and leave reported with the control, clicks, and the
// picture drawn like a plain image.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app/MyImageUnit.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

QPixmap twoColourPicture()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            image.setPixelColor(x, y, QColor(0, 0, 255));
    return QPixmap::fromImage(image);
}

TEST(MyImageTest, PointerCrossingTwoImagesReportsLeaveAndEnterWithTheControl)
{
    QWidget window;
    window.resize(100, 40);
    auto* a = new TMyImage(&window);
    auto* b = new TMyImage(&window);
    a->setGeometry(0, 0, 40, 40);
    b->setGeometry(60, 0, 40, 40);
    QList<std::pair<QString, TMyImage*>> events;
    for (TMyImage* image : {a, b}) {
        QObject::connect(image, &TMyImage::mouseEntered, [&](TMyImage* i) { events.append({"enter", i}); });
        QObject::connect(image, &TMyImage::mouseLeft, [&](TMyImage* i) { events.append({"leave", i}); });
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseMove(&window, QPoint(50, 20)); // between the two
    events.clear();
    QTest::mouseMove(&window, QPoint(10, 20));
    QTest::mouseMove(&window, QPoint(20, 20)); // moving inside reports nothing new
    QTest::mouseMove(&window, QPoint(70, 20));
    const QList<std::pair<QString, TMyImage*>> expected = {{"enter", a}, {"leave", a}, {"enter", b}};
    EXPECT_EQ(events, expected);
}

TEST(MyImageTest, ClickNeedsALeftPressAndReleaseOnTheControl)
{
    struct Row {
        const char* name;
        Qt::MouseButton button;
        QPoint release;
        int clicks;
    };
    const Row rows[] = {
        {"left inside", Qt::LeftButton, QPoint(5, 5), 1},
        {"right inside", Qt::RightButton, QPoint(5, 5), 0},
        {"left released outside", Qt::LeftButton, QPoint(50, 5), 0},
    };
    for (const Row& row : rows) {
        TMyImage image;
        image.resize(20, 20);
        QSignalSpy pressed(&image, &TMyImage::mousePressed);
        QSignalSpy released(&image, &TMyImage::mouseReleased);
        QSignalSpy clicked(&image, &TMyImage::clicked);
        QTest::mousePress(&image, row.button, {}, QPoint(5, 5));
        QTest::mouseRelease(&image, row.button, {}, row.release);
        EXPECT_EQ(clicked.count(), row.clicks) << row.name;
        ASSERT_EQ(pressed.count(), 1) << row.name;
        ASSERT_EQ(released.count(), 1) << row.name;
        EXPECT_EQ(pressed[0][1].value<Qt::MouseButton>(), row.button) << row.name;
        EXPECT_EQ(released[0][2].toPoint(), row.release) << row.name;
    }
}

TEST(MyImageTest, DrawsItsPictureLikeAPlainImage)
{
    struct Row {
        const char* name;
        bool stretch;
        QSize size;
        QPoint probe;
        QColor colour;
    };
    const Row rows[] = {
        {"unstretched right half", false, QSize(40, 20), QPoint(15, 5), QColor(0, 0, 255)},
        {"stretched right half", true, QSize(40, 20), QPoint(25, 15), QColor(0, 0, 255)},
    };
    for (const Row& row : rows) {
        TMyImage image;
        image.setPicture(twoColourPicture());
        image.setStretch(row.stretch);
        image.resize(row.size);
        const QImage shot = image.grab().toImage();
        EXPECT_EQ(shot.pixelColor(row.probe), row.colour) << row.name;
    }

    TMyImage sized;
    sized.setAutoSize(true);
    sized.setPicture(twoColourPicture());
    EXPECT_EQ(sized.size(), QSize(20, 10));
    EXPECT_EQ(sized.sizeHint(), QSize(20, 10));
}

} // namespace
} // namespace zemra
