// SPDX-License-Identifier: MIT
#include "toolkit/win_text.h"

#include "platform/codepage.h"

#include <QStringDecoder>

#include <algorithm>

namespace tk {

QString fromWinText(std::string_view cp1252)
{
    return QString::fromStdString(platform::cp1252ToUtf8(cp1252));
}

std::string toWinText(const QString& text)
{
    return platform::utf8ToCp1252(text.toStdString());
}

QString fromPlainText(std::string_view bytes, bool* utf8)
{
    bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    QString text;
    bool isUtf8 = false;
    if (!ascii) {
        QStringDecoder decoder(QStringConverter::Utf8);
        text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        isUtf8 = !decoder.hasError();
    }
    if (!isUtf8)
        text = fromWinText(bytes);
    if (utf8)
        *utf8 = isUtf8;
    return text;
}

bool fitsWinText(const QString& text)
{
    return fromWinText(toWinText(text)) == text;
}

}
