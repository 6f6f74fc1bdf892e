// SPDX-License-Identifier: MIT
#include "toolkit/rich_edit.h"

#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/file_errors.h"
#include "toolkit/rtf/rtf_reader.h"
#include "toolkit/rtf/rtf_writer.h"
#include "toolkit/text_layout.h"
#include "toolkit/win_text.h"

#include <QTextDocumentFragment>

namespace tk {

TRichEdit::TRichEdit(TWinControl* parent, std::string name)
    : TTextEdit(parent, std::move(name))
{
}

void TRichEdit::LoadFromStream(std::string_view bytes)
{
    QTextDocument& document = Document();
    if (RtfReader::IsRtf(bytes)) {
        RtfReader::Read(bytes, document);
    } else {
        QString text = fromWinText(std::string(bytes));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
        // A final line break ends the last line; it opens no empty paragraph.
        if (text.endsWith(QChar('\n')))
            text.chop(1);
        document.setPlainText(text);
    }
    DocumentReplaced();
}

std::string TRichEdit::SaveToStream()
{
    return RtfWriter::Write(Document());
}

void TRichEdit::LoadFromFile(const std::string& winPath)
{
    auto bytes = platform::FileSystem::instance().readFile(winPath);
    if (!bytes)
        throw EFOpenError(openFailure(winPath, bytes.error()));
    LoadFromStream(*bytes);
}

void TRichEdit::SaveToFile(const std::string& winPath)
{
    if (!platform::FileSystem::instance().writeFileAtomic(winPath, SaveToStream()))
        throw EFCreateError("Cannot create file \"" + winPath + "\".");
}

void TRichEdit::Clear()
{
    Document().clear();
    DocumentReplaced();
}

void TRichEdit::CopyToClipboard() const
{
    const QTextCursor& cursor = TextCursor();
    std::string html = QTextDocumentFragment(cursor).toHtml().toStdString();
    Application().Clipboard().SetAsFormats(SelText(), RtfWriter::WriteSelection(cursor), html);
}

void TRichEdit::PasteFromClipboard()
{
    if (ReadOnly())
        return;
    auto& clipboard = Application().Clipboard();
    QTextCursor cursor = TextCursor();
    if (std::string rtf = clipboard.AsRtf(); !rtf.empty())
        RtfReader::Insert(rtf, cursor);
    else if (std::string html = clipboard.AsHtml(); !html.empty())
        cursor.insertHtml(QString::fromStdString(html));
    else
        return TTextEdit::PasteFromClipboard();
    SetTextCursor(cursor);
}

}
