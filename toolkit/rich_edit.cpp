// SPDX-License-Identifier: MIT
#include "toolkit/rich_edit.h"

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
    m_loadedRtf.clear();
    if (!RtfReader::IsRtf(bytes)) {
        m_loaded = Loaded::Plain;
        return LoadPlainText(bytes);
    }
    m_loaded = Loaded::Rich;
    m_loadedRtf = bytes;
    RtfReader::Read(bytes, Document());
    DocumentReplaced();
}

// Only what our own writer wrote reads back to the same bytes; anything else may hold more.
bool TRichEdit::SavingKeepsOriginal() const
{
    if (m_loaded != Loaded::Rich)
        return true;
    QTextDocument again;
    again.setDefaultFont(Font().toQFont());
    RtfReader::Read(m_loadedRtf, again);
    return RtfWriter::Write(again, Face()) == m_loadedRtf;
}

std::string TRichEdit::SaveToStream()
{
    return RtfWriter::Write(Document(), Face());
}

void TRichEdit::LoadFromFile(const std::string& winPath)
{
    LoadFromStream(readWholeFile(winPath));
}

void TRichEdit::SaveToFile(const std::string& winPath)
{
    writeWholeFile(winPath, SaveToStream());
}

void TRichEdit::Clear()
{
    m_loaded = Loaded::Nothing;
    m_loadedRtf.clear();
    Document().clear();
    DocumentReplaced();
}

QString TRichEdit::Face() const
{
    return fromWinText(Font().Name());
}

void TRichEdit::CopyToClipboard() const
{
    const QTextCursor& cursor = TextCursor();
    std::string html = QTextDocumentFragment(cursor).toHtml().toStdString();
    std::string rtf = RtfWriter::WriteSelection(cursor, Face());
    Application().Clipboard().SetAsFormats(SelUnicodeText().toStdString(), rtf, html);
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
