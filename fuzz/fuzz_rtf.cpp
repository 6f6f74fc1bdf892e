// SPDX-License-Identifier: MIT
// Rich Text, any bytes, read into a document as the info editor reads a file and as a paste
// inserts it; what the writer makes of the result must read back to the same text.
#include "tests/support/qt_app.h"
#include "toolkit/rtf/rtf_reader.h"
#include "toolkit/rtf/rtf_writer.h"

#include <QTextCursor>
#include <QTextDocument>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ensureGuiApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    (void)tk::RtfReader::IsRtf(rtf);
    QTextDocument document;
    tk::RtfReader::Read(rtf, document);
    QTextDocument again;
    tk::RtfReader::Read(tk::RtfWriter::Write(document), again);
    if (again.toPlainText() != document.toPlainText())
        std::abort();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    tk::RtfReader::Insert(rtf, cursor);
    return 0;
}
