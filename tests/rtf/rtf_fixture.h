#pragma once

#include "tests/support/qt_app.h"
#include "toolkit/rtf/rtf_reader.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class RtfTest : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }

    static std::unique_ptr<QTextDocument> read(std::string_view rtf)
    {
        auto document = std::make_unique<QTextDocument>();
        tk::RtfReader::Read(rtf, *document);
        return document;
    }

    // The text exactly as held: paragraphs joined by U+2029, line breaks U+2028, no-break spaces kept.
    static QString text(std::string_view rtf) { return read(rtf)->toRawText(); }

    static QTextCharFormat formatAt(const QTextDocument& document, int position)
    {
        QTextBlock block = document.findBlock(position);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (position >= fragment.position() && position < fragment.position() + fragment.length())
                return fragment.charFormat();
        }
        ADD_FAILURE() << "no character at " << position;
        return {};
    }

    static QTextCharFormat formatOf(const QTextDocument& document, const QString& word)
    {
        int at = document.toRawText().indexOf(word);
        EXPECT_GE(at, 0) << word.toStdString();
        return formatAt(document, at < 0 ? 0 : at);
    }

    // What a command prints on its standard output; empty when it could not run.
    static std::string run(const std::string& command)
    {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
                out.append(buffer, n);
            pclose(pipe);
        }
        return out;
    }
};
