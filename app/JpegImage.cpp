#include "app/JpegImage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include <dlfcn.h>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include "records/RecordFile.h"

namespace zemra {

namespace {

// Larger files or pictures are not player pictures; refusing them keeps a
// bad file from costing gigabytes.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;
// JPEG allows 65500; beyond this no camera or scanner goes.
constexpr unsigned MaxSide = 30000;
// The decoded picture, after scaling down, is at most this many pixels.
constexpr unsigned long long MaxDecodedPixels = 16ull * 1024 * 1024;

// libjpeg is opened when a picture is decoded or encoded and closed again
// when the event loop next turns: the player pictures are read at start-up
// only, and the library's half megabyte of pages need not stay for the run.
// Without an event loop (the tools) it stays. Opened by the name its header
// was made for, so the calls below fit it.
#define ZEMRA_JPEG_LIBRARY "libjpeg.so." QT_STRINGIFY(JPEG_LIB_VERSION)

struct JpegLibrary {
    void* handle = nullptr;
    decltype(&jpeg_std_error) std_error = nullptr;
    decltype(&jpeg_CreateDecompress) CreateDecompress = nullptr;
    decltype(&jpeg_mem_src) mem_src = nullptr;
    decltype(&jpeg_read_header) read_header = nullptr;
    decltype(&jpeg_calc_output_dimensions) calc_output_dimensions = nullptr;
    decltype(&jpeg_start_decompress) start_decompress = nullptr;
    decltype(&jpeg_read_scanlines) read_scanlines = nullptr;
    decltype(&jpeg_finish_decompress) finish_decompress = nullptr;
    decltype(&jpeg_destroy_decompress) destroy_decompress = nullptr;
    decltype(&jpeg_CreateCompress) CreateCompress = nullptr;
    decltype(&jpeg_mem_dest) mem_dest = nullptr;
    decltype(&jpeg_set_defaults) set_defaults = nullptr;
    decltype(&jpeg_set_quality) set_quality = nullptr;
    decltype(&jpeg_start_compress) start_compress = nullptr;
    decltype(&jpeg_write_scanlines) write_scanlines = nullptr;
    decltype(&jpeg_finish_compress) finish_compress = nullptr;
    decltype(&jpeg_destroy_compress) destroy_compress = nullptr;
};

JpegLibrary& loadedLibrary()
{
    static JpegLibrary library;
    return library;
}

void closeLibrary()
{
    JpegLibrary& library = loadedLibrary();
    if (library.handle) ::dlclose(library.handle);
    library = JpegLibrary{};
}

// The library, or nullptr when it cannot be opened (every picture is then
// one that does not decode).
const JpegLibrary* jpegLibrary()
{
    JpegLibrary& library = loadedLibrary();
    if (library.handle) return &library;
    void* handle = ::dlopen(ZEMRA_JPEG_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    bool complete = true;
    const auto find = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, name));
        complete = complete && function;
    };
    find(library.std_error, "jpeg_std_error");
    find(library.CreateDecompress, "jpeg_CreateDecompress");
    find(library.mem_src, "jpeg_mem_src");
    find(library.read_header, "jpeg_read_header");
    find(library.calc_output_dimensions, "jpeg_calc_output_dimensions");
    find(library.start_decompress, "jpeg_start_decompress");
    find(library.read_scanlines, "jpeg_read_scanlines");
    find(library.finish_decompress, "jpeg_finish_decompress");
    find(library.destroy_decompress, "jpeg_destroy_decompress");
    find(library.CreateCompress, "jpeg_CreateCompress");
    find(library.mem_dest, "jpeg_mem_dest");
    find(library.set_defaults, "jpeg_set_defaults");
    find(library.set_quality, "jpeg_set_quality");
    find(library.start_compress, "jpeg_start_compress");
    find(library.write_scanlines, "jpeg_write_scanlines");
    find(library.finish_compress, "jpeg_finish_compress");
    find(library.destroy_compress, "jpeg_destroy_compress");
    if (!complete) {
        ::dlclose(handle);
        library = JpegLibrary{};
        return nullptr;
    }
    library.handle = handle;
    if (QCoreApplication* app = QCoreApplication::instance()) QTimer::singleShot(0, app, closeLibrary);
    return &library;
}

// libjpeg's own error handler prints and calls exit(); this one jumps back
// to the decoder instead, and remembers a stream that ended too soon.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated;
};

[[noreturn]] void jumpOnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void noteWarning(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning about corrupt data: libjpeg pads a short stream
    // or skips bad codes and carries on, which would show a damaged picture
    // as if it were fine.
    if (level < 0) reinterpret_cast<ErrorManager*>(cinfo->err)->truncated = true;
}

void printNothing(j_common_ptr) {}

void installErrorManager(const JpegLibrary& jpeg, ErrorManager& err)
{
    jpeg.std_error(&err.pub);
    err.pub.error_exit = jumpOnError;
    err.pub.emit_message = noteWarning;
    err.pub.output_message = printNothing;
    err.truncated = false;
}

// Kept free of objects with destructors so that the longjmp skips nothing
// that needs cleaning up; image belongs to the caller.
bool decodeInto(const JpegLibrary& jpeg, const unsigned char* bytes, unsigned long size, QSize target, QImage& image)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = &err.pub;
    installErrorManager(jpeg, err);
    if (setjmp(err.jump)) {
        jpeg.destroy_decompress(&cinfo);
        return false;
    }
    jpeg.CreateDecompress(&cinfo, JPEG_LIB_VERSION, sizeof cinfo);
    jpeg.mem_src(&cinfo, bytes, size);
    jpeg.read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > MaxSide || cinfo.image_height > MaxSide) {
        jpeg.destroy_decompress(&cinfo);
        return false;
    }
    // The smallest of the scales 1/8 .. 8/8 that still covers the target.
    cinfo.scale_num = 8;
    cinfo.scale_denom = 8;
    if (target.isValid()) {
        const auto w = static_cast<unsigned long long>(target.width());
        const auto h = static_cast<unsigned long long>(target.height());
        for (unsigned num = 1; num <= 8; ++num) {
            if (cinfo.image_width * num >= w * 8 && cinfo.image_height * num >= h * 8) {
                cinfo.scale_num = num;
                break;
            }
        }
    }
    jpeg.calc_output_dimensions(&cinfo);
    if (static_cast<unsigned long long>(cinfo.output_width) * cinfo.output_height > MaxDecodedPixels) {
        jpeg.destroy_decompress(&cinfo);
        return false;
    }
    // B, G, R, 0xff per pixel is QImage::Format_RGB32 in memory on a
    // little-endian machine, 0xff, R, G, B on a big-endian one. Grey and
    // YCbCr pictures convert; CMYK ones fail here and give a null image.
    cinfo.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg.start_decompress(&cinfo);
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg.destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg.read_scanlines(&cinfo, &row, 1);
    }
    jpeg.finish_decompress(&cinfo);
    jpeg.destroy_decompress(&cinfo);
    return !err.truncated;
}

bool encodeInto(const JpegLibrary& jpeg, const QImage& rgb, int quality, unsigned char*& buffer, unsigned long& size)
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = &err.pub;
    installErrorManager(jpeg, err);
    if (setjmp(err.jump)) {
        jpeg.destroy_compress(&cinfo);
        return false;
    }
    jpeg.CreateCompress(&cinfo, JPEG_LIB_VERSION, sizeof cinfo);
    jpeg.mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg.set_defaults(&cinfo);
    jpeg.set_quality(&cinfo, std::clamp(quality, 1, 100), TRUE);
    jpeg.start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg only reads the row, whatever its signature says.
        auto row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg.write_scanlines(&cinfo, &row, 1);
    }
    jpeg.finish_compress(&cinfo);
    jpeg.destroy_compress(&cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& data, QSize target)
{
    const JpegLibrary* jpeg = jpegLibrary();
    if (data.isEmpty() || !jpeg) return {};
    QImage image;
    if (!decodeInto(*jpeg, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()), target,
                    image))
        return {};
    return image;
}

QImage decodeJpegFile(const QByteArray& path, QSize target)
{
    const std::optional<QByteArray> data = readRegularFile(path, MaxFileBytes);
    return data ? decodeJpeg(*data, target) : QImage();
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    const JpegLibrary* jpeg = jpegLibrary();
    if (image.isNull() || !jpeg) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    QByteArray result;
    if (encodeInto(*jpeg, rgb, quality, buffer, size))
        result = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    // libjpeg allocates the buffer with malloc and leaves it to us.
    std::free(buffer);
    return result;
}

QImage playerPicturePlaceholder()
{
    const int w = PlayerPictureSize.width();
    const int h = PlayerPictureSize.height();
    QImage image(PlayerPictureSize, QImage::Format_RGB32);
    image.fill(QColor(226, 226, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(198, 198, 212));
    // Shoulders first, the head over them, centred and standing on the bottom edge.
    QPainterPath shoulders;
    shoulders.moveTo(w / 2.0 - 38, h + 1);
    shoulders.cubicTo(w / 2.0 - 38, 62, w / 2.0 - 22, 56, w / 2.0, 56);
    shoulders.cubicTo(w / 2.0 + 22, 56, w / 2.0 + 38, 62, w / 2.0 + 38, h + 1);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setPen(QPen(QColor(226, 226, 236), 2));
    p.drawEllipse(QPointF(w / 2.0, 36), 17, 19);
    p.setPen(QColor(188, 188, 204));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(0, 0, w - 1, h - 1);
    p.end();
    return image;
}

QImage loadPlayerPicture(const QByteArray& path)
{
    QImage image = decodeJpegFile(path, PlayerPictureSize);
    return image.isNull() ? playerPicturePlaceholder() : image;
}

} // namespace zemra
