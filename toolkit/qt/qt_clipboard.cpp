// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_clipboard.h"


#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tk {

namespace {
const char* const rtfTypes[] = { "text/rtf", "application/rtf", "text/richtext" };
}

QMimeData* TQtClipboard::MimeData(const std::string& utf8Text, const std::string& rtf, const std::string& html)
{
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(utf8Text));
    if (!rtf.empty()) {
        data->setData(rtfTypes[0], QByteArray::fromStdString(rtf));
        data->setData(rtfTypes[1], QByteArray::fromStdString(rtf));
    }
    if (!html.empty())
        data->setHtml(QString::fromStdString(html));
    return data;
}

std::string TQtClipboard::RtfOf(const QMimeData* data)
{
    if (!data)
        return {};
    for (const char* type : rtfTypes)
        if (data->hasFormat(type))
            return data->data(type).toStdString();
    return {};
}

void TQtClipboard::SetAsFormats(const std::string& utf8Text, const std::string& rtf, const std::string& html)
{
    QGuiApplication::clipboard()->setMimeData(MimeData(utf8Text, rtf, html));
}

std::string TQtClipboard::AsUtf8Text() const
{
    return QGuiApplication::clipboard()->text().toStdString();
}

std::string TQtClipboard::AsRtf() const
{
    return RtfOf(QGuiApplication::clipboard()->mimeData());
}

std::string TQtClipboard::AsHtml() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasHtml() ? data->html().toStdString() : std::string();
}

}
