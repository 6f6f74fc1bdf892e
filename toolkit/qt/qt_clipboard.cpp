#include "toolkit/qt/qt_clipboard.h"

#include "platform/codepage.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tk {

void TQtClipboard::SetAsText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(platform::cp1252ToUtf8(text)));
}

std::string TQtClipboard::AsText() const
{
    return platform::utf8ToCp1252(QGuiApplication::clipboard()->text().toStdString());
}

}
