// SPDX-License-Identifier: MIT
// Builds the demo workspace: a small archive of synthetic ROM images with save files, categories,
// box art and screenshots, a folder standing for the Zip disk, drives.ini and tavisco.ini.
// Every title is made up. Usage: make_demo <workspace folder>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <string>

namespace {

struct Game {
    const char* file;
    const char* title;
    char country;
    const char* id;
    int mbit;
    bool swapped;
    const char* region;   // "" or "usa", "eur", "jap"
    const char* companions;
    const char* category;
    bool onZip;
};

const Game games[] = {
    { "pixelpenguin.v64", "PIXEL PENGUIN", 'E', "PP", 64, true, "", "eep", "Jump and Run", true },
    { "cometrally.v64", "COMET RALLY 64", 'P', "CR", 96, false, "", "eep ram", "Racing", false },
    { "mossknight.rom", "MOSS KNIGHT", 'J', "MK", 256, false, "", "ram zcc", "Adventure", false },
    { "harbordash.v64", "HARBOR DASH", 'E', "HD", 32, true, "", "", "", true },
    { "lunargolf.v64", "LUNAR GOLF", 'D', "LG", 64, true, "", "eep", "Sports", false },
    { "crystaldepths.v64", "CRYSTAL DEPTHS", 'E', "CD", 128, true, "", "eep zcc", "Adventure", false },
    { "roboranch.rom", "ROBO RANCH", 'F', "RR", 96, false, "", "", "Puzzle", true },
    { "volcanovault.v64", "VOLCANO VAULT", 'P', "VV", 128, true, "", "ram", "Jump and Run", false },
    { "skybakery.v64", "SKY BAKERY", 'J', "SB", 32, true, "", "eep", "Puzzle", false },
    { "granitegp.v64", "GRANITE GRAND PRIX", 'E', "GG", 96, true, "", "eep", "Racing", false },
    { "paperpilot.v64", "PAPER PLANE PILOT", 'E', "PL", 64, true, "usa", "eep", "Flight", false },
    { "tidepool.v64", "TIDEPOOL TACTICS", 'P', "TT", 128, true, "eur", "", "Strategy", false },
};

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A 64-byte header in big-endian order, then the image made as long as the size asks (sparse).
bool writeImage(const QString& path, const Game& g)
{
    QByteArray header(64, '\0');
    header[0] = char(0x80);
    header[1] = 0x37;
    header[2] = 0x12;
    header[3] = 0x40;
    QByteArray title = QByteArray(g.title).leftJustified(20, ' ', true);
    header.replace(32, 20, title);
    header[60] = g.id[0];
    header[61] = g.id[1];
    header[62] = g.country;
    if (g.swapped)
        for (int i = 0; i < 64; i += 2)
            std::swap(header[i], header[i + 1]);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != 64)
        return false;
    return file.resize(qint64(g.mbit) * 131072);
}

QColor hueFor(int index, int saturation, int value)
{
    return QColor::fromHsv((index * 47) % 360, saturation, value);
}

QImage boxArt(const Game& g, int index)
{
    QImage image(160, 112, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 112);
    gradient.setColorAt(0, hueFor(index, 200, 220));
    gradient.setColorAt(1, hueFor(index, 255, 70));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int i = 0; i < 6; ++i)
        painter.drawEllipse(QPoint(120, 80), 10 + i * 9, 10 + i * 9);
    painter.fillRect(0, 0, 160, 16, QColor(0, 0, 0, 160));
    QFont small("Liberation Sans");
    small.setPixelSize(10);
    small.setBold(true);
    painter.setFont(small);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QRect(4, 0, 152, 16), Qt::AlignVCenter | Qt::AlignLeft, "CARTRIDGE EDITION");
    QFont big("Liberation Serif");
    big.setPixelSize(17);
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(Qt::black);
    painter.drawText(QRect(7, 27, 150, 70), Qt::AlignLeft | Qt::TextWordWrap, g.title);
    painter.setPen(QColor(255, 230, 120));
    painter.drawText(QRect(6, 26, 150, 70), Qt::AlignLeft | Qt::TextWordWrap, g.title);
    return image;
}

QImage screenshot(const Game& g, int index)
{
    QImage image(160, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), hueFor(index + 3, 120, 240));
    painter.fillRect(0, 84, 160, 36, hueFor(index + 7, 180, 120));
    for (int x = 0; x < 160; x += 20)
        painter.fillRect(x, 84, 10, 4, hueFor(index + 7, 120, 200));
    painter.setBrush(hueFor(index, 255, 230));
    painter.setPen(Qt::black);
    painter.drawRect(70, 64, 16, 20);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QPoint(30 + index * 7 % 90, 24), 14, 8);
    QFont font("Liberation Mono");
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(4, 10, QString("SCORE %1").arg(index * 1250, 6, 10, QChar('0')));
    painter.drawText(QRect(0, 100, 160, 20), Qt::AlignCenter, g.title);
    return image;
}

}

// A made-up game's info text in Rich Text: its title bold and blue, a line about it.
QByteArray infoText(const Game& g)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                      "{\\colortbl ;\\red0\\green0\\blue128;}\\f0\\fs20 {\\b\\cf1 ")
        + g.title + "}\\par A made-up game of the demo workspace, " + QByteArray::number(g.mbit)
        + " Mbit.\\par}";
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo <workspace folder>\n");
        return 2;
    }
    QDir root(QString::fromLocal8Bit(argv[1]));
    const QString base = root.absolutePath();
    for (const char* dir : { "archive/roms/usa", "archive/roms/eur", "archive/ram/boxart",
             "archive/ram/screens", "archive/ram/usa/boxart", "archive/ram/usa/screens", "archive/ram/eur/boxart",
             "archive/ram/eur/screens", "zip" })
        root.mkpath(dir);

    bool ok = true;
    int index = 0;
    for (const Game& g : games) {
        QString region = *g.region ? QString(g.region) + "/" : QString();
        QString roms = base + "/archive/roms/" + region;
        QString ram = base + "/archive/ram/" + region;
        QString stem = QString(g.file).section('.', 0, 0);
        ok &= writeImage(roms + g.file, g);
        for (const QString& ext : QString(g.companions).split(' ', Qt::SkipEmptyParts))
            ok &= writeFile(ram + stem + "." + ext, QByteArray(ext == "zcc" ? "Infinite lives\r\n8011A5D3 0009\r\n" : "\0\0\0\0", ext == "zcc" ? 31 : 4));
        if (*g.category)
            ok &= writeFile(ram + stem + ".cat", QByteArray(g.category) + "\r\n");
        ok &= writeFile(ram + stem + ".nfo", infoText(g));
        if (index % 4 != 3)
            ok &= boxArt(g, index).save(ram + "boxart/" + stem + ".bmp", "BMP");
        if (index % 3 != 2)
            ok &= screenshot(g, index).save(ram + "screens/" + stem + ".bmp", "BMP");
        if (g.onZip) {
            ok &= writeImage(base + "/zip/" + g.file, g);
            if (QString(g.companions).contains("eep"))
                ok &= writeFile(base + "/zip/" + stem + ".eep", QByteArray("\1\1\1\1", 4));
        }
        ++index;
    }
    ok &= writeFile(base + "/drives.ini",
        ("; Drive letters of the demo: r: the archive, z: the Zip disk.\n"
         "r=" + base + "/archive\n"
         "z=" + base + "/zip\n").toUtf8());
    ok &= writeFile(base + "/tavisco.ini", "z:\\\r\nr:\\roms\\\r\nr:\\ram\\\r\n-\r\n1\r\n");
    if (!ok) {
        std::fprintf(stderr, "make_demo: could not write the demo workspace in %s\n", argv[1]);
        return 1;
    }
    std::printf("Demo workspace ready in %s\n", qPrintable(base));
    return 0;
}
