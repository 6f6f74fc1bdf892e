// SPDX-License-Identifier: MIT
#include "toolkit/memo.h"

#include "toolkit/file_errors.h"
#include "toolkit/win_text.h"

namespace tk {

TMemo::TMemo(TWinControl* parent, std::string name)
    : TTextEdit(parent, std::move(name))
{
}

void TMemo::LoadFromFile(const std::string& winPath)
{
    LoadPlainText(readWholeFile(winPath));
}

void TMemo::SaveToFile(const std::string& winPath)
{
    QTextDocument& document = Document();
    // Raw, so that no-break spaces stay what they are.
    QString text = document.isEmpty() ? QString() : document.toRawText() + QChar::ParagraphSeparator;
    text.replace(QChar::LineSeparator, QChar::ParagraphSeparator);
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    bool utf8 = LoadedAsUtf8() || !fitsWinText(text);
    writeWholeFile(winPath, utf8 ? text.toStdString() : toWinText(text));
}

}
