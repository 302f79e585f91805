#include "render/BoardArt.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <optional>

#include "render/BoardGeometry.h"

namespace zemra {

namespace {

constexpr double Tau = 6.283185307179586;

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb scaled(Rgb c, double k)
{
    return {c.r * k, c.g * k, c.b * k};
}

QRgb toQRgb(Rgb c)
{
    auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

// Fixed hash noise in [-1, 1]: the same on every run and every machine.
double hashNoise(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xffff) / 32767.5 - 1.0;
}

// Kaya: pale golden wood with fine, nearly straight grain running down the
// board. Every term is periodic in 50 pixels both ways, so tiles meet without
// a seam; the contrast stays low so the repeat does not catch the eye.
QImage drawWoodTile()
{
    constexpr int N = SmallBoardSide;
    const Rgb light{233, 196, 132};
    const Rgb dark{212, 166, 100};
    QImage tile(N, N, QImage::Format_RGB32);
    auto wrap = [](int v) { return (v % N + N) % N; };
    for (int y = 0; y < N; ++y) {
        const double fy = static_cast<double>(y) / N;
        // The fibres lean and sway by a pixel or so over the tile.
        const double sway = 0.022 * std::sin(Tau * fy + 0.7) + 0.008 * std::sin(Tau * 2 * fy + 2.1);
        for (int x = 0; x < N; ++x) {
            const double u = static_cast<double>(x) / N + sway;
            double grain = 0.40 * std::sin(Tau * 3 * u + 1.3) + 0.25 * std::sin(Tau * 7 * u + 0.4) +
                           0.20 * std::sin(Tau * 13 * u + 2.2) + 0.15 * std::sin(Tau * 23 * u + 4.0);
            // Late wood is narrow and darker: sharpen the dark side of the wave.
            grain = std::pow(std::clamp(0.5 + 0.5 * grain, 0.0, 1.0), 3.0);
            // Fibres: noise smeared along the grain.
            double fibre = 0;
            for (int k = -2; k <= 2; ++k)
                fibre += hashNoise(x, wrap(y + k));
            Rgb c = mix(light, dark, 0.6 * grain);
            c = scaled(c, 1.0 + 0.012 * fibre / 5 * 2.2);
            tile.setPixel(x, y, toQRgb(c));
        }
    }
    return tile;
}

Rgb meanOf(const QImage& image)
{
    double r = 0, g = 0, b = 0;
    const int count = image.width() * image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    }
    return {r / count, g / count, b / count};
}

struct Vec3 {
    double x, y, z;
};
Vec3 normalised(Vec3 v)
{
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}
double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Light from the upper left, in front of the board.
const Vec3 Light = normalised({-0.55, -0.65, 1.0});
const Vec3 HalfWay = normalised({Light.x, Light.y, Light.z + 1.0});

// Surface of a go stone at (u, v) in the unit disc: a flattened lens.
struct Surface {
    double diffuse;
    double specular; // n . h
    double height;   // 1 at the centre, 0 at the rim
};
Surface surfaceAt(double u, double v)
{
    const double d2 = std::min(1.0, u * u + v * v);
    const double z = std::sqrt(1.0 - d2);
    const Vec3 n = normalised({u, v, 1.6 * z + 0.05});
    return {std::max(0.0, dot(n, Light)), std::max(0.0, dot(n, HalfWay)), z};
}

Rgb blackStoneAt(double u, double v, double)
{
    const Surface s = surfaceAt(u, v);
    // Slate: almost no diffuse light, a broad soft sheen and a small glint.
    double value = 14 + 30 * s.diffuse * s.diffuse;
    value += 70 * std::pow(s.specular, 12);
    value += 60 * std::pow(s.specular, 90);
    value *= 0.82 + 0.18 * s.height;
    return {value, value, value * 1.05 + 2};
}

// Shell: a warm white with faint growth lines curving around a point below
// the stone; the lines fade out on small stones where they would be noise.
Rgb whiteStoneAt(double u, double v, double stripeStrength)
{
    const Surface s = surfaceAt(u, v);
    const Rgb shell{241, 238, 229};
    double light = 0.74 + 0.22 * s.diffuse + 0.06 * s.height;
    const double t = std::hypot(u, v - 2.4);
    const int band = static_cast<int>(std::floor(t * 9.0));
    const double bandShade = 0.5 * hashNoise(band, 17);
    const double lines = std::sin(Tau * (t * 9.0) + 0.6 * std::sin(t * 23.0));
    light *= 1.0 + stripeStrength * (0.018 * lines + 0.022 * bandShade);
    Rgb c = scaled(shell, light);
    const double glint = 34 * std::pow(s.specular, 40);
    return {c.r + glint, c.g + glint, c.b + glint};
}

// One stone image and, from the same coverage, its mask. The rim pixels are
// only partly covered; AND and OR cannot blend, so the mask clears them and
// the stone carries the blend with the board's mean wood colour.
template <typename Shader> void drawStone(int size, Shader shade, double stripeStrength, Rgb wood, QImage& stone, QImage& mask)
{
    stone = QImage(size, size, QImage::Format_RGB32);
    mask = QImage(size, size, QImage::Format_RGB32);
    // Centred on the intersection's pixel, which sits at size div 2.
    const double centre = size / 2 + 0.5;
    const double radius = std::min(centre, size - centre) - 0.25;
    constexpr int Sub = 8;
    // Squared offsets of the sample points from the centre, per row and per
    // column: a pixel whose farthest sample is inside is fully covered, one
    // whose nearest sample is outside not at all, and only the pixels on the
    // rim need all 64 samples. Sums of the same squares, so the same counts.
    auto squares = [&](int p) {
        std::array<double, Sub> out{};
        for (int k = 0; k < Sub; ++k) {
            const double d = p + (k + 0.5) / Sub - centre;
            out[static_cast<std::size_t>(k)] = d * d;
        }
        return out;
    };
    const double r2 = radius * radius;
    for (int y = 0; y < size; ++y) {
        const std::array<double, Sub> dy2 = squares(y);
        const auto [nearY, farY] = std::minmax_element(dy2.begin(), dy2.end());
        auto* stoneRow = reinterpret_cast<QRgb*>(stone.scanLine(y));
        auto* maskRow = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const std::array<double, Sub> dx2 = squares(x);
            const auto [nearX, farX] = std::minmax_element(dx2.begin(), dx2.end());
            int inside = 0;
            if (*farX + *farY < r2) {
                inside = Sub * Sub;
            } else if (*nearX + *nearY < r2) {
                for (const double b : dy2)
                    for (const double a : dx2)
                        if (a + b < r2) ++inside;
            }
            if (inside == 0) {
                stoneRow[x] = qRgb(0, 0, 0);
                maskRow[x] = qRgb(255, 255, 255);
                continue;
            }
            const double alpha = static_cast<double>(inside) / (Sub * Sub);
            double u = (x + 0.5 - centre) / radius;
            double v = (y + 0.5 - centre) / radius;
            const double d = std::hypot(u, v);
            if (d > 0.98) {
                u *= 0.98 / d;
                v *= 0.98 / d;
            }
            stoneRow[x] = toQRgb(mix(wood, shade(u, v, stripeStrength), alpha));
            maskRow[x] = qRgb(0, 0, 0);
        }
    }
}

Rgb meanWood()
{
    static const Rgb mean = meanOf(SmallBoard());
    return mean;
}

StoneImages drawStones(int size)
{
    StoneImages images;
    QImage mask;
    const double stripes = std::clamp((size - 12) / 20.0, 0.0, 1.0);
    drawStone(size, blackStoneAt, 0.0, meanWood(), images.BlackChess, images.ChessMask);
    drawStone(size, whiteStoneAt, stripes, meanWood(), images.WhiteChess, mask);
    return images;
}

// Shadow depth at t pixels from the board's edge: darkest at the edge.
double shadowDepth(double t)
{
    const double k = std::clamp(1.0 - t / ShadowWidth, 0.0, 1.0);
    return 0.40 * k * k;
}

double fadeIn(double t)
{
    const double k = std::clamp(t / ShadowWidth, 0.0, 1.0);
    return k * k * (3 - 2 * k);
}

QImage drawShadow(int number)
{
    const Rgb panel{239, 239, 247};
    const Rgb ink{70, 70, 78};
    const int w = number == 5 ? 1 : ShadowWidth;
    const int h = number == 7 ? 1 : ShadowWidth;
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            double depth = 0;
            switch (number) {
            case 4: depth = shadowDepth(py) * fadeIn(px); break; // lower-left: starts softly
            case 5: depth = shadowDepth(py); break;              // bottom edge
            case 6: depth = shadowDepth(std::hypot(px, py)); break;
            case 7: depth = shadowDepth(px); break;              // right edge
            case 8: depth = shadowDepth(px) * fadeIn(py); break; // upper-right: starts softly
            default: break;
            }
            image.setPixel(x, y, toQRgb(mix(panel, ink, depth)));
        }
    }
    return image;
}

std::mutex g_artMutex;

} // namespace

const QImage& SmallBoard()
{
    static const QImage tile = drawWoodTile();
    return tile;
}

const StoneImages& stoneImages(int chessSize)
{
    static std::array<std::optional<StoneImages>, MaxChessSize + 1> cache;
    const int size = std::clamp(chessSize, MinChessSize, MaxChessSize);
    const std::lock_guard lock(g_artMutex);
    auto& entry = cache[static_cast<std::size_t>(size)];
    if (!entry) entry = drawStones(size);
    return *entry;
}

const QImage& shadowPiece(int number)
{
    static const std::array<QImage, 5> pieces = {drawShadow(4), drawShadow(5), drawShadow(6), drawShadow(7), drawShadow(8)};
    static const QImage none;
    if (number < 4 || number > 8) return none;
    return pieces[static_cast<std::size_t>(number - 4)];
}

QImage boardArt(const QString& name)
{
    if (name == QLatin1String("SmallBoard")) return SmallBoard();
    if (name.startsWith(QLatin1String("SD")) && name.size() == 3) return shadowPiece(name.at(2).digitValue());
    if (name.size() != 3) return {};
    bool ok = false;
    const int size = name.mid(1).toInt(&ok);
    if (!ok || size < MinChessSize || size > MaxChessSize || !name.at(1).isDigit()) return {};
    const StoneImages& stones = stoneImages(size);
    switch (name.at(0).unicode()) {
    case 'B': return stones.BlackChess;
    case 'W': return stones.WhiteChess;
    case 'M': return stones.ChessMask;
    default: return {};
    }
}

} // namespace zemra
