// SPDX-License-Identifier: MIT
// Draws every bitmap and cursor of the window and writes them to one folder.
//
//   draw_pictures <output folder>
//
// Run with QT_QPA_PLATFORM=offscreen (scripts/draw-pictures does). The output is the same bytes on
// every run: random numbers come from fixed seeds and nothing depends on the clock. Each file is
// checked after writing (size and bit depth from the header, the TV's see-through screen, the
// cursors' hot spots), and the program fails loudly when a check does not hold.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Colours shared by several pictures.

const QColor black(0, 0, 0);
const QColor buttonFace(192, 192, 192);
const QColor silverLight(236, 238, 244);
const QColor silver(192, 196, 208);
const QColor silverDark(120, 126, 142);
const QColor cyanBlue(0, 170, 255);

const char* const sans = "Liberation Sans";
const char* const serif = "Liberation Serif";

// ---------------------------------------------------------------------------------------------
// Small helpers for painting.

// xorshift32: tiny, and the same sequence on every compiler (unlike std's distributions).
class Rng {
public:
  explicit Rng(std::uint32_t seed) : state_(seed ? seed : 1) {}

  std::uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }

  int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
  std::uint32_t state_ = 1;
};

QImage blank(int w, int h, QColor fill = black) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

QFont face(const char* family, int pixels, bool bold = false, bool italic = false) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QFont spaced(QFont f, double extraPixels) {
  f.setLetterSpacing(QFont::AbsoluteSpacing, extraPixels);
  return f;
}

QPainterPath textPath(const QString& text, const QFont& font) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  return path;
}

// Moves an outline by whole pixels so that its box starts at `left` and is centred on `centreY`;
// whole pixels keep the baseline on a pixel edge, so flat letter bottoms stay crisp.
QPainterPath placeLeft(const QPainterPath& path, double left, double centreY) {
  const QRectF box = path.boundingRect();
  return path.translated(std::round(left - box.left()), std::round(centreY - box.center().y()));
}

// Hinted text (crisper than an outline at small sizes), its ink centred on centreX.
void textCentred(QPainter& p, const QString& text, const QFont& font, QColor colour,
                 double centreX, int baseline) {
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QPointF(std::round(centreX - ink.center().x()), baseline), text);
}

// The baseline that puts the ink of `text` centred on centreY.
int baselineFor(const QString& text, const QFont& font, double centreY) {
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
  return static_cast<int>(std::round(centreY - ink.center().y()));
}

QLinearGradient goldGradient(const QRectF& box) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0.00, QColor(255, 248, 204));
  g.setColorAt(0.30, QColor(250, 214, 112));
  g.setColorAt(0.50, QColor(218, 156, 44));
  g.setColorAt(0.54, QColor(178, 110, 20));
  g.setColorAt(0.80, QColor(224, 162, 54));
  g.setColorAt(1.00, QColor(255, 214, 104));
  return g;
}

QLinearGradient silverGradient(const QRectF& box) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0.00, QColor(255, 255, 255));
  g.setColorAt(0.45, QColor(206, 212, 226));
  g.setColorAt(0.52, QColor(130, 138, 160));
  g.setColorAt(1.00, QColor(214, 220, 234));
  return g;
}

QLinearGradient blueGradient(const QRectF& box) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0.00, QColor(190, 222, 255));
  g.setColorAt(0.45, QColor(70, 140, 255));
  g.setColorAt(0.55, QColor(24, 72, 200));
  g.setColorAt(1.00, QColor(60, 120, 240));
  return g;
}

// Raised metal letters: a drop shadow, the gradient, a lit upper-left lip and a dark lower-right one.
void paintRaised(QPainter& p, const QPainterPath& path, const QBrush& fill, QColor shadow,
                 QColor lip, QColor dip, int depth) {
  p.fillPath(path.translated(depth, depth), shadow);
  p.fillPath(path, fill);
  p.fillPath(path.subtracted(path.translated(1, 1)), lip);
  p.fillPath(path.subtracted(path.translated(-1, -1)), dip);
}

void paintGold(QPainter& p, const QPainterPath& path, int depth) {
  paintRaised(p, path, goldGradient(path.boundingRect()), QColor(70, 40, 0),
              QColor(255, 252, 226, 150), QColor(104, 56, 0, 150), depth);
}

void paintSilver(QPainter& p, const QPainterPath& path, int depth) {
  paintRaised(p, path, silverGradient(path.boundingRect()), QColor(24, 30, 60),
              QColor(255, 255, 255, 140), QColor(60, 66, 90, 140), depth);
}

void paintBlue(QPainter& p, const QPainterPath& path, int depth) {
  paintRaised(p, path, blueGradient(path.boundingRect()), QColor(6, 14, 60),
              QColor(230, 242, 255, 150), QColor(8, 24, 90, 150), depth);
}

QPainterPath roundedRect(const QRectF& r, double radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

// Pixel art: one string per row, one character per pixel, looked up in a colour table.
void paintPixels(QImage& img, int left, int top, const std::vector<std::string>& rows,
                 const std::map<char, QColor>& colours) {
  for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      const auto it = colours.find(rows[y][x]);
      if (it != colours.end()) img.setPixelColor(left + x, top + y, it->second);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// 256-colour pictures: a median-cut palette, then each colour to its nearest palette entry.

struct ColourCount {
  QRgb rgb = 0;
  long count = 0;
};

int channel(QRgb c, int which) { return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c); }

std::vector<QRgb> medianCut(std::vector<ColourCount> colours, int wanted) {
  struct Box {
    std::size_t begin = 0;
    std::size_t end = 0;
  };
  std::vector<Box> boxes{{0, colours.size()}};
  while (static_cast<int>(boxes.size()) < wanted) {
    int best = -1;
    int bestChannel = 0;
    double bestScore = 0;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
      const Box& box = boxes[i];
      if (box.end - box.begin < 2) continue;
      std::array<int, 3> lo{255, 255, 255};
      std::array<int, 3> hi{0, 0, 0};
      long pixels = 0;
      for (std::size_t k = box.begin; k < box.end; ++k) {
        for (int c = 0; c < 3; ++c) {
          lo[c] = std::min(lo[c], channel(colours[k].rgb, c));
          hi[c] = std::max(hi[c], channel(colours[k].rgb, c));
        }
        pixels += colours[k].count;
      }
      int widest = 0;
      for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > hi[widest] - lo[widest]) widest = c;
      const double score = (hi[widest] - lo[widest]) * std::sqrt(static_cast<double>(pixels));
      if (score > bestScore) {
        bestScore = score;
        best = i;
        bestChannel = widest;
      }
    }
    if (best < 0) break;
    const Box box = boxes[best];
    std::sort(colours.begin() + box.begin, colours.begin() + box.end,
              [&](const ColourCount& a, const ColourCount& b) {
                const int ca = channel(a.rgb, bestChannel);
                const int cb = channel(b.rgb, bestChannel);
                return ca != cb ? ca < cb : a.rgb < b.rgb;
              });
    long total = 0;
    for (std::size_t k = box.begin; k < box.end; ++k) total += colours[k].count;
    long seen = 0;
    std::size_t split = box.begin + 1;
    for (std::size_t k = box.begin; k + 1 < box.end; ++k) {
      seen += colours[k].count;
      split = k + 1;
      if (2 * seen >= total) break;
    }
    boxes[best] = {box.begin, split};
    boxes.push_back({split, box.end});
  }

  std::vector<QRgb> palette;
  for (const Box& box : boxes) {
    double r = 0, g = 0, b = 0, n = 0;
    for (std::size_t k = box.begin; k < box.end; ++k) {
      r += qRed(colours[k].rgb) * double(colours[k].count);
      g += qGreen(colours[k].rgb) * double(colours[k].count);
      b += qBlue(colours[k].rgb) * double(colours[k].count);
      n += double(colours[k].count);
    }
    palette.push_back(qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))));
  }
  return palette;
}

int distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b);
  const int dg = qGreen(a) - qGreen(b);
  const int db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// `reserved` colours are in the palette and only ever stand for themselves: the TV keeps pure
// black for its see-through parts, so a dark shade must never be rounded to it.
QImage toIndexed(const QImage& rgb, const std::vector<QRgb>& reserved = {}) {
  std::map<QRgb, long> histogram;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) ++histogram[rgb.pixel(x, y) | 0xff000000u];

  std::vector<QRgb> palette(reserved.begin(), reserved.end());
  std::vector<ColourCount> rest;
  for (const auto& [colour, count] : histogram)
    if (std::find(reserved.begin(), reserved.end(), colour) == reserved.end())
      rest.push_back({colour, count});
  const int room = 256 - static_cast<int>(palette.size());
  if (static_cast<int>(rest.size()) <= room) {
    for (const ColourCount& c : rest) palette.push_back(c.rgb);
  } else {
    for (QRgb c : medianCut(rest, room)) palette.push_back(c);
  }

  std::unordered_map<QRgb, int> nearest;
  for (const auto& [colour, count] : histogram) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
      const bool isReserved = i < static_cast<int>(reserved.size());
      if (isReserved && palette[i] != colour) continue;
      if (best < 0 || distance(colour, palette[i]) < distance(colour, palette[best])) best = i;
    }
    nearest[colour] = best;
  }

  QImage out(rgb.size(), QImage::Format_Indexed8);
  out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
  for (int y = 0; y < rgb.height(); ++y) {
    uchar* line = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) line[x] = uchar(nearest[rgb.pixel(x, y) | 0xff000000u]);
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Writing and checking.

void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

struct BmpHeader {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

BmpHeader readBmpHeader(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) fail("cannot read back " + path);
  const QByteArray head = file.read(30);
  if (head.size() < 30 || !head.startsWith("BM")) fail(path + " is not a BMP file");
  auto le = [&](int at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | std::uint8_t(head[at + i]);
    return v;
  };
  return {int(le(18, 4)), std::abs(int(le(22, 4))), int(le(28, 2))};
}

void checkBmp(const QString& path, const QString& name, int width, int height, int bits) {
  const BmpHeader head = readBmpHeader(path);
  if (head.width != width || head.height != height || head.bitsPerPixel != bits)
    fail(QString("%1 written as %2 x %3 x %4 bit").arg(name).arg(head.width).arg(head.height)
             .arg(head.bitsPerPixel));
  std::printf("%-22s %3d x %3d  %2d-bit\n", qPrintable(name), width, height, bits);
}

void writeTrueColour(const QImage& img, const QString& folder, const QString& name) {
  const QString path = folder + "/" + name;
  if (!img.convertToFormat(QImage::Format_RGB32).save(path, "BMP")) fail("cannot write " + path);
  checkBmp(path, name, img.width(), img.height(), 24);
}

void putLe(QByteArray& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xff));
}

// Qt would drop to 4 bits for a picture of few colours; these must stay 8-bit with a full
// 256-entry palette, so the file is put together here.
QByteArray indexedBmp(const QImage& img) {
  const int stride = (img.width() + 3) & ~3;
  const std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
  const std::uint32_t pixelBytes = std::uint32_t(stride) * std::uint32_t(img.height());
  QByteArray out;
  out.append("BM");
  putLe(out, pixelOffset + pixelBytes, 4);
  putLe(out, 0, 4);
  putLe(out, pixelOffset, 4);
  putLe(out, 40, 4);
  putLe(out, std::uint32_t(img.width()), 4);
  putLe(out, std::uint32_t(img.height()), 4);
  putLe(out, 1, 2);
  putLe(out, 8, 2);
  putLe(out, 0, 4);  // no compression
  putLe(out, pixelBytes, 4);
  putLe(out, 3780, 4);  // 96 dpi, as Qt writes the true-colour ones
  putLe(out, 3780, 4);
  putLe(out, 256, 4);
  putLe(out, 0, 4);
  const QList<QRgb> table = img.colorTable();
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < table.size() ? table[i] : 0;
    out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
  }
  for (int y = img.height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(img.constScanLine(y)), img.width());
    out.append(QByteArray(stride - img.width(), 0));
  }
  return out;
}

void write256(const QImage& img, const QString& folder, const QString& name,
              const std::vector<QRgb>& reserved = {qRgb(0, 0, 0)}) {
  const QString path = folder + "/" + name;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(indexedBmp(toIndexed(img, reserved))) < 0)
    fail("cannot write " + path);
  file.close();
  checkBmp(path, name, img.width(), img.height(), 8);
}

// ---------------------------------------------------------------------------------------------
// Title banner, close strip, splash.

QImage drawBanner() {
  QImage img = blank(563, 49);
  QPainter p(&img);
  smooth(p);
  const QPainterPath name = placeLeft(textPath("Tavisco", face(serif, 42, true)), 14, 25);
  const QRectF nameBox = name.boundingRect();
  const QPainterPath badge = [&] {
    const QPainterPath raw = textPath("64", face(sans, 22, true, true));
    const QRectF box = raw.boundingRect();
    return raw.translated(std::round(nameBox.right() + 7 - box.left()),
                          std::round(nameBox.top() - box.top()));
  }();
  paintGold(p, name, 2);
  paintBlue(p, badge, 1);

  // A rule along the baseline, gold fading into blue and then into the black.
  const double ruleLeft = badge.boundingRect().right() + 14;
  const double ruleY = nameBox.bottom() - 1;
  QLinearGradient rule(ruleLeft, 0, 530, 0);
  rule.setColorAt(0.0, QColor(230, 170, 60));
  rule.setColorAt(0.55, QColor(40, 90, 220));
  rule.setColorAt(1.0, black);
  p.fillRect(QRectF(ruleLeft, ruleY, 530 - ruleLeft, 1), rule);

  const QFont tagFont = face(serif, 15, false, true);
  const QString tag = "ROM archive & Zip disk manager";
  const QRectF ink = QFontMetricsF(tagFont).tightBoundingRect(tag);
  p.setFont(tagFont);
  p.setPen(silver);
  p.drawText(QPointF(std::round(524 - ink.right()), ruleY - 5), tag);
  return img;
}

QImage drawClose() {
  // Drawn level, then turned a quarter left, so the hinted letters stay on the pixel grid.
  QImage level = blank(63, 17);
  QPainter p(&level);
  smooth(p);
  const QFont font = face(sans, 14, true);
  textCentred(p, "close", font, QColor(238, 28, 28), 31.5, baselineFor("close", font, 8.5));
  p.end();
  return level.transformed(QTransform().rotate(-90));
}

QImage drawSplash() {
  QImage img = blank(400, 80);
  QPainter p(&img);
  smooth(p);

  // A faint blue glow behind the name; it fades out before the version corner.
  QRadialGradient glow(QPointF(212, 30), 150);
  glow.setColorAt(0.0, QColor(20, 40, 120));
  glow.setColorAt(0.6, QColor(8, 16, 54));
  glow.setColorAt(1.0, black);
  p.save();
  p.setTransform(QTransform().translate(212, 30).scale(1.0, 0.32).translate(-212, -30));
  p.fillRect(QRectF(0, -120, 400, 320), glow);
  p.restore();

  const QPainterPath rawName = textPath("Tavisco", face(serif, 56, true));
  const QPainterPath rawBadge = textPath("64", face(sans, 25, true, true));
  const double gap = 8;
  const double width = rawName.boundingRect().width() + gap + rawBadge.boundingRect().width();
  const QPainterPath name = placeLeft(rawName, std::round(206 - width / 2), 30);
  const QRectF nameBox = name.boundingRect();
  const QPainterPath badge =
      rawBadge.translated(std::round(nameBox.right() + gap - rawBadge.boundingRect().left()),
                          std::round(nameBox.top() - rawBadge.boundingRect().top()));
  paintGold(p, name, 2);
  paintBlue(p, badge, 1);

  QLinearGradient rule(160, 0, 396, 0);
  rule.setColorAt(0.0, black);
  rule.setColorAt(0.35, QColor(40, 90, 220));
  rule.setColorAt(1.0, QColor(230, 170, 60));
  p.fillRect(QRectF(160, 58, 236, 1), rule);

  const QFont tagFont = face(serif, 14, false, true);
  const QString tag = "ROM archive & Zip disk manager";
  const QRectF ink = QFontMetricsF(tagFont).tightBoundingRect(tag);
  p.setFont(tagFont);
  p.setPen(silver);
  p.drawText(QPointF(std::round(394 - ink.right()), 73), tag);
  return img;
}

// ---------------------------------------------------------------------------------------------
// The program's icon, in the banner's style: a raised gold T on a black tile with a gold-to-blue
// rim, the blue "64" badge where there is room for it. Drawn afresh at each size rather than
// scaled, so the small ones stay sharp.

const std::array<int, 6> iconSizes{16, 32, 48, 64, 128, 256};

QImage drawIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  smooth(p);
  const double s = size;
  const double inset = size <= 16 ? 0.5 : s / 32;
  const QRectF tile(inset, inset, s - 2 * inset, s - 2 * inset);
  const QPainterPath tileShape = roundedRect(tile, s * 0.18);

  QLinearGradient rim(tile.topLeft(), tile.bottomRight());
  rim.setColorAt(0.0, QColor(250, 214, 112));
  rim.setColorAt(0.5, QColor(178, 110, 20));
  rim.setColorAt(1.0, QColor(40, 90, 220));
  p.fillPath(tileShape, rim);
  const double rimWidth = std::max(1.0, std::round(s / 40));
  p.fillPath(roundedRect(tile.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth), s * 0.18 - rimWidth), black);

  const bool badged = size >= 48;
  const int depth = std::max(1, size / 64);
  const QPainterPath rawT = textPath("T", face(serif, int(std::round(s * (badged ? 0.78 : 0.9))), true));
  const double centreX = badged ? s * 0.42 : s / 2;
  const QRectF tBox = rawT.boundingRect();
  const QPainterPath t = rawT.translated(std::round(centreX - tBox.center().x()),
                                         std::round(s * (badged ? 0.46 : 0.5) - tBox.center().y()));
  paintGold(p, t, depth);

  if (badged) {
    const QPainterPath rawBadge = textPath("64", face(sans, int(std::round(s * 0.3)), true, true));
    const QRectF box = rawBadge.boundingRect();
    const QPainterPath badge = rawBadge.translated(std::round(s * 0.9 - box.right()),
                                                   std::round(s * 0.86 - box.bottom()));
    paintBlue(p, badge, depth);
    // The banner's rule under the letter, gold fading into blue.
    const double ruleY = std::round(t.boundingRect().bottom() + s * 0.04);
    QLinearGradient rule(s * 0.14, 0, s * 0.62, 0);
    rule.setColorAt(0.0, QColor(230, 170, 60));
    rule.setColorAt(1.0, QColor(40, 90, 220));
    p.fillRect(QRectF(s * 0.14, ruleY, s * 0.48, std::max(1.0, std::round(s / 64))), rule);
  }
  return img;
}

void writeIcon(int size, const QString& folder) {
  const QImage img = drawIcon(size);
  const QString name = QString("tavisco_%1.png").arg(size);
  // The tile's corners show the desktop through; its middle is solid.
  if (qAlpha(img.pixel(0, 0)) != 0 || qAlpha(img.pixel(size - 1, size - 1)) != 0)
    fail(name + ": the corners are not see-through");
  if (qAlpha(img.pixel(size / 2, size / 4)) != 255) fail(name + ": the middle is not solid");
  const QString path = folder + "/" + name;
  if (!img.save(path, "PNG")) fail("cannot write " + path);
  const QImage back(path);
  if (back.size() != QSize(size, size) || !back.hasAlphaChannel()) fail(name + " did not read back");
  std::printf("%-22s %3d x %3d  icon\n", qPrintable(name), size, size);
}

// ---------------------------------------------------------------------------------------------
// Flags: 36 x 24 with a dark one-pixel border round a 34 x 22 field.

const QColor flagBorder(28, 28, 34);
const QRect flagField(1, 1, 34, 22);

QImage flagBase(QColor field) {
  QImage img = blank(36, 24, flagBorder);
  QPainter p(&img);
  p.fillRect(flagField, field);
  return img;
}

QImage drawFlagUsa() {
  const QColor red(200, 26, 44);
  const QColor white(246, 246, 246);
  const QColor blue(36, 48, 128);
  QImage img = flagBase(white);
  QPainter p(&img);
  for (int i = 0; i < 11; i += 2) p.fillRect(1, 1 + 2 * i, 34, 2, red);
  p.fillRect(1, 1, 15, 12, blue);
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 3; ++col) img.setPixelColor(3 + 4 * col + 2 * (row % 2), 3 + 2 * row, white);
  return img;
}

QImage drawFlagEur() {
  QImage img = flagBase(QColor(20, 52, 156));
  // The field's centre lies on a pixel corner (18, 12), so each star is a 2 x 2 block placed on
  // the nearest corner, and the quarter ring is mirrored both ways to stay symmetric.
  const QColor gold(255, 214, 0);
  QPainter p(&img);
  for (int i = 0; i <= 3; ++i) {
    const double angle = i * std::numbers::pi / 6;
    const int dx = int(std::lround(8 * std::sin(angle)));
    const int dy = int(std::lround(8 * std::cos(angle)));
    for (int sx : {-1, 1})
      for (int sy : {-1, 1}) p.fillRect(18 + sx * dx - 1, 12 + sy * dy - 1, 2, 2, gold);
  }
  return img;
}

QImage drawFlagJap() {
  QImage img = flagBase(QColor(248, 248, 248));
  QPainter p(&img);
  smooth(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 0, 36));
  p.drawEllipse(QPointF(18, 12), 6.6, 6.6);
  return img;
}

QImage drawFlagInt() {
  QImage img = flagBase(QColor(128, 128, 136));
  QPainter p(&img);
  smooth(p);
  QLinearGradient shade(0, 1, 0, 23);
  shade.setColorAt(0, QColor(150, 150, 158));
  shade.setColorAt(1, QColor(100, 100, 108));
  p.fillRect(flagField, shade);
  const QFont font = face(sans, 19, true);
  textCentred(p, "?", font, QColor(255, 255, 255), 18, baselineFor("?", font, 12));
  return img;
}

// ---------------------------------------------------------------------------------------------
// Console backdrop and the TV.

QImage drawConsole() {
  QImage img = blank(160, 120);
  QPainter p(&img);
  smooth(p);
  p.fillPath(roundedRect(QRectF(1, 1, 158, 118), 10), QColor(50, 84, 186));
  p.fillPath(roundedRect(QRectF(3, 3, 154, 114), 8), QColor(12, 24, 86));
  return img;
}

const QRect tvScreen(20, 20, 160, 120);

// Body: a bevelled rim, the face, a caption plate, and the sunken frame round the screen.
void paintTvBody(QPainter& p) {
  QLinearGradient rim(0, 0, 200, 160);
  rim.setColorAt(0.0, QColor(160, 194, 255));
  rim.setColorAt(0.5, QColor(44, 84, 196));
  rim.setColorAt(1.0, QColor(14, 28, 92));
  p.fillPath(roundedRect(QRectF(0, 0, 200, 160), 16), rim);
  QLinearGradient body(0, 3, 0, 157);
  body.setColorAt(0.0, QColor(78, 118, 226));
  body.setColorAt(0.5, QColor(50, 88, 200));
  body.setColorAt(1.0, QColor(32, 62, 164));
  p.fillPath(roundedRect(QRectF(3, 3, 194, 154), 13), body);

  p.fillPath(roundedRect(QRectF(66, 4, 68, 10), 3), QColor(12, 20, 60));
  p.fillRect(QRectF(68, 13, 64, 1), QColor(110, 150, 240));
  const QFont captionFont = face("DejaVu Sans", 7, true);
  textCentred(p, "TAVISCO TV", captionFont, silver, 100, baselineFor("TAVISCO TV", captionFont, 9));

  // Shadowed top and left, lit bottom and right, then a rim of dark glass.
  p.fillRect(QRect(15, 15, 170, 130), QColor(110, 150, 240));
  p.fillRect(QRect(15, 15, 168, 128), QColor(14, 24, 74));
  p.fillRect(QRect(18, 18, 164, 124), QColor(8, 8, 24));
  p.fillRect(tvScreen, black);
}

// Speaker slots on the left, buttons along the bottom, two knobs on the right.
void paintTvFittings(QPainter& p) {
  for (int i = 0; i < 9; ++i) {
    p.fillRect(QRect(6, 52 + 5 * i, 6, 2), QColor(14, 26, 80));
    p.fillRect(QRect(6, 54 + 5 * i, 6, 1), QColor(100, 140, 236));
  }
  for (int i = 0; i < 4; ++i) {
    p.fillRect(QRect(26 + 12 * i, 149, 9, 4), QColor(14, 26, 80));
    p.fillRect(QRect(26 + 12 * i, 149, 9, 1), QColor(8, 14, 44));
    p.fillRect(QRect(26 + 12 * i, 153, 9, 1), QColor(110, 150, 240));
  }
  for (int y : {42, 66}) {
    const QPointF c(190.5, y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 22, 70));
    p.drawEllipse(c + QPointF(0.6, 0.8), 5.2, 5.2);
    QRadialGradient knob(c - QPointF(1.5, 1.5), 6);
    knob.setColorAt(0, silverLight);
    knob.setColorAt(1, silverDark);
    p.setBrush(knob);
    p.drawEllipse(c, 4.5, 4.5);
    p.setPen(QPen(QColor(40, 44, 60), 1.2));
    p.drawLine(c + QPointF(0, -3.5), c + QPointF(0, -1));
  }
}

// The power lamp over the click area: a dark socket, a red glass dome and a small glint.
void paintTvLamp(QPainter& p) {
  const QPointF lamp(184, 144);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(12, 16, 48));
  p.drawEllipse(lamp, 5.8, 5.8);
  QRadialGradient dome(lamp - QPointF(1.4, 1.6), 5.5);
  dome.setColorAt(0.0, QColor(255, 150, 140));
  dome.setColorAt(0.35, QColor(240, 30, 24));
  dome.setColorAt(1.0, QColor(120, 0, 8));
  p.setBrush(dome);
  p.drawEllipse(lamp, 4.4, 4.4);
  p.setBrush(QColor(255, 240, 236));
  p.drawEllipse(lamp - QPointF(1.6, 1.8), 1.0, 1.0);
}

// Pure black is drawn see-through, so the only black is the screen and what lies outside the
// rounded corners. Every shade of the body stays at 24 or more in some channel; the soft corner
// edges darker than that become see-through rather than a dark fringe.
QImage drawTv() {
  QImage img = blank(200, 160);
  QPainter p(&img);
  smooth(p);
  paintTvBody(p);
  p.setClipRegion(QRegion(0, 0, 200, 160).subtracted(QRegion(tvScreen)));
  paintTvFittings(p);
  paintTvLamp(p);
  p.end();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (!tvScreen.contains(x, y) && std::max({c.red(), c.green(), c.blue()}) < 20)
        img.setPixelColor(x, y, black);
    }
  return img;
}

// The screen must be exactly black, and no other pure black inside the body's outline.
void checkTv(const QString& folder) {
  const QImage tv(folder + "/tv.bmp");
  if (tv.isNull()) fail("cannot read tv.bmp back");
  const QPainterPath outline = roundedRect(QRectF(0, 0, 200, 160), 16);
  for (int y = 0; y < tv.height(); ++y)
    for (int x = 0; x < tv.width(); ++x) {
      const bool isBlack = (tv.pixel(x, y) & 0xffffff) == 0;
      const bool inside = outline.contains(QRectF(x, y, 1, 1));
      if (tvScreen.contains(x, y) && !isBlack) fail(QString("tv screen not black at %1,%2").arg(x).arg(y));
      if (!tvScreen.contains(x, y) && inside && isBlack)
        fail(QString("tv body pure black at %1,%2").arg(x).arg(y));
    }
}

// ---------------------------------------------------------------------------------------------
// The preview screen's stock pictures.

QImage drawTestcard() {
  QImage img = blank(160, 120, QColor(66, 66, 74));
  QPainter p(&img);
  for (int x = 10; x < 160; x += 10) p.fillRect(x, 0, 1, 120, QColor(178, 178, 186));
  for (int y = 10; y < 120; y += 10) p.fillRect(0, y, 160, 1, QColor(178, 178, 186));

  // Corner blocks in the primaries, so a channel swap shows at a glance.
  p.fillRect(1, 1, 9, 9, QColor(224, 24, 24));
  p.fillRect(150, 1, 9, 9, QColor(24, 200, 24));
  p.fillRect(1, 110, 9, 9, QColor(24, 48, 224));
  p.fillRect(150, 110, 9, 9, QColor(236, 220, 24));

  smooth(p);
  QPainterPath circle;
  circle.addEllipse(QPointF(80, 60), 50, 50);
  p.setClipPath(circle);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(0, 0, 160, 120, black);

  const std::array<QColor, 8> bars{QColor(236, 236, 236), QColor(236, 236, 16),
                                   QColor(16, 236, 236),  QColor(16, 236, 16),
                                   QColor(236, 16, 236),  QColor(236, 16, 16),
                                   QColor(16, 16, 236),   QColor(16, 16, 16)};
  for (int i = 0; i < 8; ++i) p.fillRect(30 + 100 * i / 8, 10, 13, 37, bars[i]);
  for (int i = 0; i < 6; ++i) {
    const int level = 255 * i / 5;
    p.fillRect(30 + 100 * i / 6, 70, 17, 14, QColor(level, level, level));
  }
  // Gratings, coarse to fine.
  for (int x = 30; x < 130; ++x) {
    const int period = x < 55 ? 8 : x < 80 ? 6 : x < 105 ? 4 : 2;
    if ((x / (period / 2)) % 2 == 0) p.fillRect(x, 84, 1, 7, QColor(220, 220, 220));
  }

  // Centre cross over black.
  p.fillRect(40, 59, 80, 2, QColor(255, 255, 255));
  p.fillRect(79, 50, 2, 20, QColor(255, 255, 255));

  const QFont font = face(sans, 9, true);
  smooth(p);
  textCentred(p, "TAVISCO", font, QColor(236, 236, 236), 80, baselineFor("TAVISCO", font, 97));
  p.setClipping(false);

  p.setPen(QPen(QColor(240, 240, 240), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(80, 60), 50, 50);
  return img;
}

QImage drawNoise(std::uint32_t seed) {
  Rng rng(seed);
  QImage img = blank(160, 120);
  // One soft rolling band a little brighter than the rest.
  std::array<int, 120> lift{};
  const int band = 20 + rng.below(80);
  for (int y = 0; y < 120; ++y) {
    const double d = (y - band) / 7.0;
    lift[y] = int(std::lround(18 * std::exp(-d * d)));
  }
  for (int y = 0; y < 120; ++y) {
    int previous = 128;
    for (int x = 0; x < 160; ++x) {
      int v = (rng.below(256) + rng.below(256) + rng.below(256)) / 3;
      v = 128 + (v - 128) * 2;                          // wide spread, the middle favoured
      if (rng.below(100) < 35) v = (v + previous) / 2;  // smear sideways, as the beam does
      previous = v;
      img.setPixel(x, y, qRgb(0, 0, std::clamp(v + lift[y], 0, 255)));
    }
  }
  // A few faint streaks: stretches of a row washed towards light grey.
  for (int i = 0; i < 5; ++i) {
    const int y = rng.below(120);
    const int from = rng.below(100);
    const int to = std::min(160, from + 40 + rng.below(100));
    for (int x = from; x < to; ++x) img.setPixel(x, y, qRgb(0, 0, (qBlue(img.pixel(x, y)) + 200) / 2));
  }
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) {
      const int v = qBlue(img.pixel(x, y));
      img.setPixel(x, y, qRgb(v, v, v));
    }
  return img;
}

QImage drawNoPicture() {
  QImage img = blank(160, 120);
  QPainter p(&img);
  smooth(p);
  QRadialGradient glow(QPointF(80, 56), 84);
  glow.setColorAt(0.0, QColor(22, 36, 96));
  glow.setColorAt(1.0, black);
  p.fillRect(img.rect(), glow);

  // Console body: top surface in perspective, then the front face.
  QPainterPath top;
  top.moveTo(36, 54);
  top.lineTo(124, 54);
  top.quadTo(128, 54, 130, 58);
  top.lineTo(140, 76);
  top.lineTo(20, 76);
  top.lineTo(30, 58);
  top.quadTo(32, 54, 36, 54);
  QLinearGradient topShade(0, 54, 0, 76);
  topShade.setColorAt(0, QColor(176, 178, 190));
  topShade.setColorAt(1, QColor(122, 124, 138));
  p.fillPath(top, topShade);
  QLinearGradient frontShade(0, 76, 0, 90);
  frontShade.setColorAt(0, QColor(96, 98, 112));
  frontShade.setColorAt(1, QColor(58, 60, 72));
  p.fillPath(roundedRect(QRectF(20, 74, 120, 16), 4), frontShade);
  p.fillRect(QRectF(20, 76, 120, 1), QColor(200, 202, 214));

  // The slot and the cartridge standing in it.
  QPainterPath slot;
  slot.moveTo(60, 58);
  slot.lineTo(100, 58);
  slot.lineTo(102, 64);
  slot.lineTo(58, 64);
  slot.closeSubpath();
  p.fillPath(slot, QColor(28, 28, 36));
  QLinearGradient shell(62, 0, 98, 0);
  shell.setColorAt(0, QColor(84, 86, 100));
  shell.setColorAt(0.5, QColor(120, 122, 136));
  shell.setColorAt(1, QColor(70, 72, 86));
  QPainterPath cart;
  cart.moveTo(63, 62);
  cart.lineTo(63, 28);
  cart.quadTo(63, 22, 69, 22);
  cart.lineTo(91, 22);
  cart.quadTo(97, 22, 97, 28);
  cart.lineTo(97, 62);
  cart.closeSubpath();
  p.fillPath(cart, shell);
  for (int i = 0; i < 4; ++i) p.fillRect(QRectF(67, 25 + 2 * i, 26, 1), QColor(60, 62, 74));
  QLinearGradient label(0, 34, 0, 56);
  label.setColorAt(0, QColor(250, 214, 110));
  label.setColorAt(1, QColor(200, 130, 30));
  p.fillPath(roundedRect(QRectF(67, 34, 26, 22), 2), label);
  p.fillRect(QRectF(67, 40, 26, 9), QColor(30, 70, 200));
  p.fillRect(QRectF(70, 44, 20, 1), QColor(200, 220, 255));

  // Front details: two controller sockets and a power light.
  for (int x : {44, 104}) p.fillPath(roundedRect(QRectF(x, 80, 12, 6), 2), QColor(24, 24, 32));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 60, 40));
  p.drawEllipse(QPointF(30, 83), 1.6, 1.6);
  for (int x : {36, 114}) p.fillPath(roundedRect(QRectF(x, 66, 10, 4), 1.5), QColor(60, 62, 76));

  const QFont font = face(sans, 14, true);
  textCentred(p, "no picture", font, silverLight, 80, 109);
  return img;
}

QImage drawNoBoxart() {
  QImage img = blank(160, 112);
  QPainter p(&img);
  smooth(p);

  // A box seen from the front-right: front face, top and side, silver edges.
  const double left = 12, topY = 24, w = 58, h = 72, depth = 12;
  QPolygonF topFace;
  topFace << QPointF(left, topY) << QPointF(left + depth, topY - depth * 0.7)
          << QPointF(left + w + depth, topY - depth * 0.7) << QPointF(left + w, topY);
  QPolygonF side;
  side << QPointF(left + w, topY) << QPointF(left + w + depth, topY - depth * 0.7)
       << QPointF(left + w + depth, topY + h - depth * 0.7) << QPointF(left + w, topY + h);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(96, 128, 218));
  p.drawPolygon(topFace);
  p.setBrush(QColor(16, 28, 86));
  p.drawPolygon(side);
  QLinearGradient front(0, topY, 0, topY + h);
  front.setColorAt(0, QColor(44, 74, 176));
  front.setColorAt(1, QColor(20, 36, 110));
  p.fillRect(QRectF(left, topY, w, h), front);
  p.fillRect(QRectF(left, topY + 5, w, 5), QColor(232, 176, 64));
  p.fillRect(QRectF(left + 6, topY + 15, w - 12, 44), QColor(8, 12, 36));
  const QFont mark = face(serif, 34, true);
  textCentred(p, "?", mark, silver, left + w / 2, baselineFor("?", mark, topY + 37));
  p.fillRect(QRectF(left + 6, topY + 63, 24, 3), QColor(232, 176, 64));

  p.setPen(QPen(silver, 1));
  p.setBrush(Qt::NoBrush);
  QPolygonF outline;
  outline << QPointF(left, topY + h) << QPointF(left, topY) << QPointF(left + depth, topY - depth * 0.7)
          << QPointF(left + w + depth, topY - depth * 0.7)
          << QPointF(left + w + depth, topY + h - depth * 0.7) << QPointF(left + w, topY + h);
  p.drawPolygon(outline.translated(0.5, 0.5));
  p.drawPolyline(QPolygonF() << QPointF(left + 0.5, topY + 0.5) << QPointF(left + w + 0.5, topY + 0.5)
                             << QPointF(left + w + depth + 0.5, topY - depth * 0.7 + 0.5));
  p.drawLine(QPointF(left + w + 0.5, topY + 0.5), QPointF(left + w + 0.5, topY + h + 0.5));

  const QFont font = face(sans, 15, true);
  const double cx = 123;
  textCentred(p, "no", font, silverLight, cx, 42);
  textCentred(p, "boxart", font, QColor(246, 200, 90), cx, 61);
  textCentred(p, "found", font, silverLight, cx, 80);
  return img;
}

// ---------------------------------------------------------------------------------------------
// Button faces and small glyphs.

QImage drawButton(const QString& first, const QString& second) {
  QImage img = blank(89, 25);
  QPainter p(&img);
  p.setPen(QColor(0, 44, 110));
  p.drawRect(0, 0, 88, 24);
  smooth(p);
  // Fixed baselines, so all six faces line up: ascenders from row 3, descenders to row 22.
  const QFont font = face(sans, 10, true);
  textCentred(p, first, font, cyanBlue, 44.5, 10);
  textCentred(p, second, font, cyanBlue, 44.5, 20);
  return img;
}

// A circular arrow, clockwise, its head at 12 o'clock pointing right. Hand-set: at this size a
// drawn arc and triangle never land on the pixels as cleanly.
const std::vector<std::string> refreshArrow{"................",
                                            "........X.......",
                                            "........XX......",
                                            ".....XXXXXX.....",
                                            "....XXXXXXX.....",
                                            "...XXX..XX......",
                                            "..XXX...X.......",
                                            "..XX............",
                                            "..XX............",
                                            "..XX........XX..",
                                            "..XX........XX..",
                                            "..XXX......XXX..",
                                            "...XXX....XXX...",
                                            "....XXXXXXXX....",
                                            ".....XXXXXX.....",
                                            "................"};

QImage drawDiskRefresh() {
  // The arrow shaded from light to deep orange, with a one-pixel dark edge round it.
  const int left = 2, top = 1;
  auto inside = [&](int x, int y) {
    x -= left;
    y -= top;
    return x >= 0 && y >= 0 && x < 16 && y < 16 && refreshArrow[y][x] == 'X';
  };
  QImage img = blank(20, 18, buttonFace);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 20; ++x) {
      if (inside(x, y)) {
        const double t = (y - 2) / 13.0;
        img.setPixelColor(x, y, QColor(255, int(std::lround(190 - 80 * t)), int(std::lround(60 - 60 * t))));
      } else if (inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1)) {
        img.setPixelColor(x, y, QColor(140, 56, 0));
      }
    }
  return img;
}

QImage drawZipRefresh() {
  QImage img = blank(32, 16, buttonFace);
  paintPixels(img, 0, 0, refreshArrow, {{'X', QColor(16, 16, 24)}});
  // Disabled: the engraved look, a white copy one pixel down-right under a grey one.
  paintPixels(img, 17, 1, refreshArrow, {{'X', QColor(255, 255, 255)}});
  paintPixels(img, 16, 0, refreshArrow, {{'X', QColor(128, 128, 128)}});
  return img;
}

QImage drawOkGlyph() {
  QImage img = blank(18, 18, buttonFace);
  QPainter p(&img);
  smooth(p);
  QPainterPath tick;
  tick.moveTo(3.5, 9.5);
  tick.lineTo(7.5, 13.5);
  tick.lineTo(14.5, 4.5);
  p.strokePath(tick, QPen(QColor(0, 86, 0), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.strokePath(tick, QPen(QColor(24, 176, 24), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  return img;
}

QImage drawCancelGlyph() {
  QImage img = blank(18, 18, buttonFace);
  QPainter p(&img);
  smooth(p);
  QPainterPath cross;
  cross.moveTo(4.5, 4.5);
  cross.lineTo(13.5, 13.5);
  cross.moveTo(13.5, 4.5);
  cross.lineTo(4.5, 13.5);
  p.strokePath(cross, QPen(QColor(110, 0, 0), 3.6, Qt::SolidLine, Qt::RoundCap));
  p.strokePath(cross, QPen(QColor(226, 30, 30), 2.0, Qt::SolidLine, Qt::RoundCap));
  return img;
}

// A little cube: gold top, blue and red sides, a light front edge.
QImage drawLogo() {
  QImage img = blank(17, 17);
  paintPixels(img, 0, 0,
              {".................",
               ".......ttt.......",
               ".....ttTTTtt.....",
               "...ttTTTTTTTtt...",
               ".ttTTTTTTTTTTTtt.",
               ".BBTTTTTTTTTTTrr.",
               ".BLLLTTTTTTTRRrr.",
               ".BLLLLLTTTRRRRRr.",
               ".BLLLLLLeRRRRRRr.",
               ".BLLLLLLeRRRRRRr.",
               ".BLLLLLLeRRRRRRr.",
               ".BLLLLLLeRRRRRRr.",
               ".bLLLLLLeRRRRRRd.",
               "...bbLLLeRRRdd...",
               ".....bbLeRdd.....",
               ".......beR.......",
               "................."},
              {{'t', QColor(255, 236, 150)},
               {'T', QColor(236, 176, 40)},
               {'B', QColor(110, 160, 255)},
               {'L', QColor(40, 86, 224)},
               {'b', QColor(24, 50, 150)},
               {'r', QColor(255, 110, 100)},
               {'R', QColor(214, 34, 34)},
               {'d', QColor(130, 16, 16)},
               {'e', QColor(250, 240, 220)}});
  return img;
}

// ---------------------------------------------------------------------------------------------
// About panel logos (all names made up).

QImage drawSponsor1() {
  QImage img = blank(173, 44);
  QPainter p(&img);
  smooth(p);

  // Emblem: a gold cartridge.
  QPainterPath cart;
  cart.moveTo(8, 38);
  cart.lineTo(8, 10);
  cart.quadTo(8, 5, 13, 5);
  cart.lineTo(31, 5);
  cart.quadTo(36, 5, 36, 10);
  cart.lineTo(36, 38);
  cart.closeSubpath();
  p.fillPath(cart, goldGradient(QRectF(8, 5, 28, 33)));
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(12, 8 + 2 * i, 20, 1), QColor(150, 90, 10));
  p.fillPath(roundedRect(QRectF(12, 16, 20, 17), 2), QColor(10, 16, 50));
  const QFont g = face(serif, 15, true);
  textCentred(p, "G", g, QColor(250, 214, 112), 22, baselineFor("G", g, 24.5));

  const QFont wordFont = face(sans, 25, true);
  // Both words share one baseline: take it from "Gild".
  const double baseline = std::round(19 - textPath("Gild", wordFont).boundingRect().center().y());
  QPainterPath gildAt = textPath("Gild", wordFont);
  gildAt = gildAt.translated(std::round(44 - gildAt.boundingRect().left()), baseline);
  QPainterPath cartAt = textPath("cart", wordFont);
  cartAt = cartAt.translated(std::round(gildAt.boundingRect().right() + 1 - cartAt.boundingRect().left()),
                             baseline);
  paintGold(p, gildAt, 1);
  paintSilver(p, cartAt, 1);

  const QFont small = spaced(face(sans, 8, true), 1.2);
  p.setFont(small);
  p.setPen(QColor(150, 180, 240));
  p.drawText(QPointF(45, 40), "RETRO GAMES & PARTS");
  return img;
}

QImage drawSponsor2() {
  QImage img = blank(357, 43);
  QPainter p(&img);
  smooth(p);

  const QFont boldFont = face(sans, 27, true, true);
  const double baseline = std::round(17 - textPath("TARNWICK", boldFont).boundingRect().center().y());
  QPainterPath first = textPath("TARNWICK", boldFont);
  QPainterPath second = textPath("STORAGE", face(sans, 27, false, true));
  const double wordsWidth = first.boundingRect().width() + 10 + second.boundingRect().width();
  // The group (disk, gap, both words) is centred in the picture.
  const double diskWidth = 34, gap = 12;
  const double left = std::round((357 - (diskWidth + gap + wordsWidth)) / 2);

  // Emblem: a removable disk with its metal shutter and hub.
  const QRectF disk(left, 4, diskWidth, 35);
  QLinearGradient shell(disk.topLeft(), disk.bottomRight());
  shell.setColorAt(0, QColor(90, 140, 250));
  shell.setColorAt(1, QColor(20, 50, 160));
  p.fillPath(roundedRect(disk, 4), shell);
  const QRectF shutter(left + 8, 4, 18, 12);
  p.fillRect(shutter, silverGradient(shutter));
  p.fillRect(QRectF(left + 19, 6, 4, 8), QColor(20, 30, 70));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(14, 24, 70));
  p.drawEllipse(QPointF(left + 17, 27), 7, 7);
  p.setBrush(silver);
  p.drawEllipse(QPointF(left + 17, 27), 3, 3);
  p.fillRect(QRectF(left + 3, 33, 4, 3), QColor(14, 24, 70));

  first = first.translated(std::round(left + diskWidth + gap - first.boundingRect().left()), baseline);
  second = second.translated(std::round(first.boundingRect().right() + 10 - second.boundingRect().left()),
                             baseline);
  paintSilver(p, first, 2);
  paintBlue(p, second, 2);

  const QFont small = spaced(face(sans, 9, true), 2.0);
  const QString tag = "REMOVABLE DISK DRIVES";
  const double tagLeft =
      std::round(second.boundingRect().right() - QFontMetricsF(small).horizontalAdvance(tag) + 2);
  p.setFont(small);
  p.setPen(QColor(236, 180, 70));
  p.drawText(QPointF(tagLeft, 39), tag);
  const double ruleLeft = first.boundingRect().left() + 1;
  QLinearGradient rule(ruleLeft, 0, tagLeft - 8, 0);
  rule.setColorAt(0, QColor(40, 90, 220));
  rule.setColorAt(1, QColor(236, 180, 70));
  p.fillRect(QRectF(ruleLeft, 35, tagLeft - 8 - ruleLeft, 1), rule);
  return img;
}

QImage drawHost() {
  QImage img = blank(138, 43);
  QPainter p(&img);
  smooth(p);

  // Emblem: a lighthouse throwing a gold beam.
  QPolygonF beam;
  beam << QPointF(15, 10) << QPointF(30, 4) << QPointF(30, 16);
  QLinearGradient light(15, 0, 30, 0);
  light.setColorAt(0, QColor(255, 220, 120));
  light.setColorAt(1, QColor(255, 220, 120, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawPolygon(beam);
  QPolygonF tower;
  tower << QPointF(11, 14) << QPointF(19, 14) << QPointF(22, 38) << QPointF(8, 38);
  p.setBrush(silverLight);
  p.drawPolygon(tower);
  p.setBrush(QColor(40, 90, 220));
  for (double y : {19.0, 27.0}) {
    QPolygonF stripe;
    const double inset0 = 3.0 * (y - 14) / 24, inset1 = 3.0 * (y + 4 - 14) / 24;
    stripe << QPointF(11 - inset0, y) << QPointF(19 + inset0, y) << QPointF(19 + inset1, y + 4)
           << QPointF(11 - inset1, y + 4);
    p.drawPolygon(stripe);
  }
  p.setBrush(QColor(255, 214, 90));
  p.drawRect(QRectF(12, 8, 6, 6));
  p.setBrush(QColor(40, 90, 220));
  QPolygonF roof;
  roof << QPointF(10, 8) << QPointF(15, 3) << QPointF(20, 8);
  p.drawPolygon(roof);
  p.fillRect(QRectF(4, 38, 22, 2), QColor(40, 90, 220));

  const QFont wordFont = face(sans, 19, true);
  const double baseline = std::round(18 - textPath("Quay", wordFont).boundingRect().center().y());
  QPainterPath quay = textPath("Quay", wordFont);
  quay = quay.translated(std::round(31 - quay.boundingRect().left()), baseline);
  QPainterPath lightWord = textPath("light", wordFont);
  lightWord = lightWord.translated(std::round(quay.boundingRect().right() + 1 - lightWord.boundingRect().left()),
                                   baseline);
  paintSilver(p, quay, 1);
  paintGold(p, lightWord, 1);

  const QFont small = spaced(face(sans, 9, true), 1.0);
  p.setFont(small);
  p.setPen(QColor(110, 160, 255));
  p.drawText(QPointF(33, 37), "web hosting");
  return img;
}

// ---------------------------------------------------------------------------------------------
// Cursors: 32 x 32, white fill, black outline, the rest fully transparent. Each hand is given
// as its filled area ('o' white, '#' black inside); the outline is every pixel beside it.

struct Hand {
  const char* file;
  QPoint hotSpot;
  std::vector<std::string> rows;
};

QImage drawHand(const Hand& hand) {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  auto filled = [&](int x, int y) {
    if (y < 0 || y >= static_cast<int>(hand.rows.size())) return false;
    if (x < 0 || x >= static_cast<int>(hand.rows[y].size())) return false;
    return hand.rows[y][x] != '.';
  };
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (filled(x, y)) {
        img.setPixel(x, y, hand.rows[y][x] == '#' ? 0xff000000u : 0xffffffffu);
      } else if (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1)) {
        img.setPixel(x, y, 0xff000000u);
      }
    }
  return img;
}

void writeCursor(const Hand& hand, const QString& folder) {
  const QImage img = drawHand(hand);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb c = img.pixel(x, y);
      if (c != 0 && c != 0xff000000u && c != 0xffffffffu) fail(QString(hand.file) + " is not monochrome");
    }
  if (img.pixel(hand.hotSpot) != 0xff000000u) fail(QString(hand.file) + ": hot spot is not on the tip");
  // The top row is the finger tip alone, within a pixel of the hot spot.
  for (int x = 0; x < 32; ++x)
    if (img.pixel(x, 0) != 0 && std::abs(x - hand.hotSpot.x()) > 1)
      fail(QString(hand.file) + ": finger tip is not at the hot spot");
  const QString path = folder + "/" + hand.file;
  if (!img.save(path, "PNG")) fail("cannot write " + path);
  std::printf("%-22s  32 x  32  cursor, hot spot %d,%d\n", hand.file, hand.hotSpot.x(), hand.hotSpot.y());
}

// A glove with a stitched cuff; two-pixel finger.
const Hand gloveHand{"cursor_mozilla.png", {4, 0},
                     {"",
                      "....oo",
                      "....oo",
                      "....oo",
                      "....oo",
                      "....oo",
                      "....oo",
                      "....oo.oo",
                      "....oo.oo.oo",
                      "....oo.oo.oo.oo",
                      "....oo.oo.oo.oo",
                      ".o..oo.oo.oo.oo",
                      ".oo.ooooooooooo",
                      ".oooooooooooooo",
                      ".oooooooooooooo",
                      "..ooooooooooooo",
                      "..ooooooooooooo",
                      "...oooooooooooo",
                      "...ooooooooooo",
                      "....oooooooooo",
                      "....oooooooooo",
                      "....##########",
                      "....oooooooooo",
                      "....o#o#o#o#oo",
                      "....oooooooooo"}};

// A bare hand with a broad finger and a plain wrist.
const Hand broadHand{"cursor_msie.png", {5, 0},
                     {"",
                      "....ooo",
                      "....ooo",
                      "....ooo",
                      "....ooo",
                      "....ooo",
                      "....ooo",
                      "....ooo",
                      "....ooo.oo.oo",
                      "....ooo.oo.oo.oo",
                      "....ooo.oo.oo.oo",
                      "....ooo.oo.oo.oo",
                      ".oo.oooooooooooo",
                      ".ooooooooooooooo",
                      "..oooooooooooooo",
                      "..oooooooooooooo",
                      "...ooooooooooooo",
                      "...ooooooooooooo",
                      "....oooooooooooo",
                      "....ooooooooooo",
                      ".....oooooooooo",
                      ".....oooooooooo",
                      ".....oooooooooo"}};

// A long thin finger and a shirt sleeve.
const Hand slimHand{"cursor_tolmarhand.png", {5, 0},
                    {"",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo",
                     ".....oo.oo",
                     ".....oo.oo.oo",
                     ".....oo.oo.oo.oo",
                     ".....oo.oo.oo.oo",
                     "..o..oo.oo.oo.oo",
                     "..oo.ooooooooooo",
                     "..oooooooooooooo",
                     "...ooooooooooooo",
                     "...ooooooooooooo",
                     "....oooooooooooo",
                     "....ooooooooooo",
                     ".....oooooooooo",
                     ".....##########",
                     "....oooooooooooo",
                     "....oooooooooooo",
                     "....oooooooooooo",
                     "....oooooooooooo"}};

// ---------------------------------------------------------------------------------------------

void drawAll(const QString& folder) {
  writeTrueColour(drawBanner(), folder, "banner.bmp");
  writeTrueColour(drawClose(), folder, "close.bmp");
  write256(drawFlagUsa(), folder, "flag_usa.bmp");
  write256(drawFlagEur(), folder, "flag_eur.bmp");
  write256(drawFlagJap(), folder, "flag_jap.bmp");
  write256(drawFlagInt(), folder, "flag_int.bmp");
  write256(drawConsole(), folder, "console.bmp");
  write256(drawTv(), folder, "tv.bmp");
  checkTv(folder);
  writeTrueColour(drawTestcard(), folder, "testcard.bmp");
  write256(drawNoise(0x1999u), folder, "noise1.bmp");
  write256(drawNoise(0x6e6f6973u), folder, "noise2.bmp");
  write256(drawNoPicture(), folder, "nopic.bmp");
  writeTrueColour(drawNoBoxart(), folder, "noart.bmp");
  const std::array<std::array<const char*, 2>, 6> buttons{{{"copy to", "zipdrive"},
                                                           {"copy to", "archive"},
                                                           {"update", "eep, . . ."},
                                                           {"rename", "romfile"},
                                                           {"game", "info"},
                                                           {"delete", "game"}}};
  for (int i = 0; i < 6; ++i)
    writeTrueColour(drawButton(buttons[i][0], buttons[i][1]), folder, QString("b%1.bmp").arg(i + 1));
  writeTrueColour(drawDiskRefresh(), folder, "diskrefresh.bmp");
  writeTrueColour(drawZipRefresh(), folder, "ziprefresh.bmp");
  writeTrueColour(drawLogo(), folder, "nlogo.bmp");
  writeTrueColour(drawSplash(), folder, "splash.bmp");
  write256(drawSponsor1(), folder, "sponsor1.bmp");
  write256(drawSponsor2(), folder, "sponsor2.bmp");
  write256(drawHost(), folder, "host.bmp");
  writeTrueColour(drawOkGlyph(), folder, "ok_glyph.bmp");
  writeTrueColour(drawCancelGlyph(), folder, "cancel_glyph.bmp");
  for (const Hand* hand : {&gloveHand, &broadHand, &slimHand}) writeCursor(*hand, folder);
  for (int size : iconSizes) writeIcon(size, folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_pictures <output folder>\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "draw_pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  try {
    drawAll(folder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "draw_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
