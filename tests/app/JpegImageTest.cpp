#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csetjmp>
#include <sys/resource.h>
#include <sys/stat.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include "app/JpegImage.h"

#include "ImageTestUtil.h"

using namespace zemra;
using zemra::test::meanLightness;

namespace {

// The build copies the pictures beside the program; ctest says where that
// is, and a direct run of the test finds it two folders up.
QString dataFile(const QString& name)
{
    QString dir = qEnvironmentVariable("ZEMRA_DATA_DIR");
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    return QDir(dir).filePath(name);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

// A one-component JPEG written with libjpeg directly: encodeJpeg only makes
// colour ones, and people do save their portraits in grey.
QByteArray greyJpeg(int w, int h)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(w);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < w; ++x)
            row[x] = x < w / 2 ? 40 : 210;
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(JpegImage, ShippedPlayerPicturesDecodeAtTheirPlaceSize)
{
    const QImage black = decodeJpegFile(QFile::encodeName(dataFile(QStringLiteral("ImageBlack.jpg"))));
    const QImage white = decodeJpegFile(QFile::encodeName(dataFile(QStringLiteral("ImageWhite.jpg"))));
    ASSERT_FALSE(black.isNull()) << dataFile(QStringLiteral("ImageBlack.jpg")).toStdString();
    ASSERT_FALSE(white.isNull());
    EXPECT_EQ(black.size(), PlayerPictureSize);
    EXPECT_EQ(white.size(), PlayerPictureSize);
    // Each shows its own colour's stone in the middle, on lighter wood.
    const QRect middle(52, 40, 14, 12);
    const QRect corner(2, 2, 12, 10);
    EXPECT_LT(meanLightness(black, middle), 60);
    EXPECT_GT(meanLightness(white, middle), 200);
    EXPECT_GT(meanLightness(black, corner), meanLightness(black, middle) + 60);
}

TEST(JpegImage, DecodesColoursInTheirChannelsAndOpaque)
{
    // Four quadrants; a swapped red and blue or an unset alpha byte shows here.
    QImage source(64, 48, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(30, 40, 220), qRgb(250, 250, 250)};
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            source.setPixel(x, y, colours[(x >= 32 ? 1 : 0) + (y >= 24 ? 2 : 0)]);
    const QImage decoded = decodeJpeg(encodeJpeg(source, 95));
    ASSERT_EQ(decoded.size(), source.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    const QPoint centres[4] = {{16, 12}, {48, 12}, {16, 36}, {48, 36}};
    for (int k = 0; k < 4; ++k) {
        const QRgb got = decoded.pixel(centres[k]);
        EXPECT_EQ(qAlpha(got), 255) << k;
        EXPECT_NEAR(qRed(got), qRed(colours[k]), 12) << k;
        EXPECT_NEAR(qGreen(got), qGreen(colours[k]), 12) << k;
        EXPECT_NEAR(qBlue(got), qBlue(colours[k]), 12) << k;
    }
    // libjpeg is let go when the event loop turns, and opened again for the next picture.
    QCoreApplication::processEvents();
    EXPECT_EQ(decodeJpeg(encodeJpeg(source, 95)).size(), source.size());
}

TEST(JpegImage, DecodesGreyPictures)
{
    const QImage decoded = decodeJpeg(greyJpeg(40, 30));
    ASSERT_EQ(decoded.size(), QSize(40, 30));
    EXPECT_NEAR(qRed(decoded.pixel(5, 15)), 40, 6);
    EXPECT_NEAR(qBlue(decoded.pixel(35, 15)), 210, 6);
    EXPECT_EQ(qAlpha(decoded.pixel(35, 15)), 255);
}

TEST(JpegImage, DamagedOrMissingFilesGiveANullImage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray good = encodeJpeg(playerPicturePlaceholder(), 90);
    ASSERT_GT(good.size(), 200);
    ASSERT_FALSE(decodeJpeg(good).isNull());

    EXPECT_TRUE(decodeJpegFile(QFile::encodeName(dir.filePath(QStringLiteral("absent.jpg")))).isNull());
    EXPECT_TRUE(decodeJpegFile(QFile::encodeName(dir.path())).isNull()) << "a folder";
    EXPECT_TRUE(decodeJpegFile(QByteArray()).isNull());
    EXPECT_TRUE(decodeJpegFile(QFile::encodeName(writeTemp(dir, QStringLiteral("empty.jpg"), {}))).isNull());

    QByteArray garbage;
    quint32 seed = 12345;
    for (int k = 0; k < 5000; ++k) {
        seed = seed * 1664525u + 1013904223u;
        garbage.append(static_cast<char>(seed >> 24));
    }
    EXPECT_TRUE(decodeJpegFile(QFile::encodeName(writeTemp(dir, QStringLiteral("garbage.jpg"), garbage))).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray("\xff\xd8", 2)).isNull()) << "start marker only";
    EXPECT_TRUE(decodeJpeg(QByteArray("\xff\xd8") + garbage).isNull()) << "start marker, then garbage";
    EXPECT_TRUE(decodeJpeg(readAll(QStringLiteral(":/sounds/play.wav"))).isNull()) << "another format";

    // Cut in the headers, in the picture data and just before the end marker.
    for (qsizetype cut : {qsizetype(1), qsizetype(20), qsizetype(150), good.size() / 2, good.size() - 2}) {
        EXPECT_TRUE(decodeJpegFile(QFile::encodeName(writeTemp(dir, QStringLiteral("cut.jpg"), good.left(cut)))).isNull()) << "cut at " << cut;
    }
}

TEST(JpegImage, AHugeClaimedSizeIsRefusedBeforeAnythingIsAllocated)
{
    QByteArray data = encodeJpeg(playerPicturePlaceholder(), 90);
    const qsizetype sof = data.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(sof, 0);
    // Height and width follow the marker, its length and the sample precision.
    for (int k : {5, 6, 7, 8})
        data[sof + k] = static_cast<char>(0xea);
    EXPECT_TRUE(decodeJpeg(data).isNull());
}

TEST(JpegImage, LargePicturesAreDecodedAtAReducedScale)
{
    QImage big(1000, 800, QImage::Format_RGB32);
    big.fill(QColor(200, 40, 40));
    const QByteArray data = encodeJpeg(big, 80);
    EXPECT_EQ(decodeJpeg(data, PlayerPictureSize).size(), QSize(125, 100)) << "1/8 still covers 118 x 93";
    EXPECT_EQ(decodeJpeg(data, QSize(300, 300)).size(), QSize(375, 300));
    EXPECT_EQ(decodeJpeg(data).size(), big.size());

    // A small file claiming 8000 x 8000 must not cost the memory of that size.
    QByteArray claim = encodeJpeg(playerPicturePlaceholder(), 90);
    const qsizetype sof = claim.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(sof, 0);
    for (int k : {5, 7}) {
        claim[sof + k] = static_cast<char>(8000 >> 8);
        claim[sof + k + 1] = static_cast<char>(8000 & 0xff);
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_TRUE(decodeJpeg(claim, PlayerPictureSize).isNull()) << "its data ends long before 8000 rows";
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes";
}

TEST(JpegImage, CorruptDataAndFifosGiveThePlaceholder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(118, 93, QImage::Format_RGB32);
    picture.fill(QColor(30, 120, 200));
    QByteArray data = encodeJpeg(picture, 90);
    ASSERT_FALSE(decodeJpeg(data).isNull());
    // Scribble over the middle of the entropy-coded data.
    for (qsizetype k = data.size() / 2; k < data.size() / 2 + 40; ++k)
        data[k] = static_cast<char>(0x5a ^ k);
    EXPECT_TRUE(decodeJpeg(data).isNull());

    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("ImageBlack.jpg")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(loadPlayerPicture(fifo), playerPicturePlaceholder()) << "returns at once, no writer needed";
}

TEST(JpegImage, MissingPictureShowsANeutralPlaceholder)
{
    const QImage placeholder = playerPicturePlaceholder();
    EXPECT_EQ(placeholder.size(), PlayerPictureSize);
    // Quiet greys with a figure on them: more than one shade, no strong colour.
    QSet<QRgb> shades;
    for (int y = 0; y < placeholder.height(); ++y) {
        for (int x = 0; x < placeholder.width(); ++x) {
            const QColor c(placeholder.pixel(x, y));
            EXPECT_LT(c.hsvSaturation(), 40) << x << "," << y;
            shades.insert(c.rgb());
        }
    }
    EXPECT_GT(shades.size(), 2);

    EXPECT_EQ(loadPlayerPicture("/nonexistent/ImageBlack.jpg"), placeholder);
    const QImage shipped = loadPlayerPicture(QFile::encodeName(dataFile(QStringLiteral("ImageWhite.jpg"))));
    EXPECT_NE(shipped, placeholder);
    EXPECT_EQ(shipped.size(), PlayerPictureSize);
}
