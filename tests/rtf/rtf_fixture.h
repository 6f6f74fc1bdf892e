// SPDX-License-Identifier: MIT
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
public:
    void SetUp() override { ensureGuiApp(); }

    static std::unique_ptr<QTextDocument> read(std::string_view rtf)
    {
        auto document = std::make_unique<QTextDocument>();
        tk::RtfReader::Read(rtf, *document);
        return document;
    }

    // The text exactly as held: paragraphs joined by U+2029, line breaks U+2028, no-break spaces kept.
    static QString text(std::string_view rtf) { return read(rtf)->toRawText(); }

    // "bius family points foreground background", with "-" for what is off or unset.
    static std::string describe(const QTextCharFormat& f)
    {
        auto brush = [](const QBrush& b) { return b.style() == Qt::NoBrush ? std::string("-") : b.color().name().toStdString(); };
        QString families = f.fontFamilies().toStringList().join(',');
        char points[16];
        std::snprintf(points, sizeof points, "%g", f.fontPointSize());
        return std::string(f.fontWeight() >= QFont::DemiBold ? "b" : "-") + (f.fontItalic() ? "i" : "-")
            + (f.fontUnderline() ? "u" : "-") + (f.fontStrikeOut() ? "s" : "-") + " "
            + (families.isEmpty() ? "-" : families.toStdString()) + " " + points + " "
            + brush(f.foreground()) + " " + brush(f.background());
    }

    // "alignment left right first-line" in pixels.
    static std::string describe(const QTextBlockFormat& f)
    {
        Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        std::string name = a == Qt::AlignHCenter ? "centre" : a == Qt::AlignRight ? "right" : a == Qt::AlignJustify ? "justify" : a == Qt::AlignLeft ? "left" : "?";
        char margins[64];
        std::snprintf(margins, sizeof margins, " %g %g %g", f.leftMargin(), f.rightMargin(), f.textIndent());
        return name + margins;
    }

    static std::string look(const QTextDocument& document, const QString& word)
    {
        int at = document.toRawText().indexOf(word);
        if (at < 0)
            return "no " + word.toStdString();
        QTextBlock block = document.findBlock(at);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (at < it.fragment().position() + it.fragment().length())
                return describe(it.fragment().charFormat());
        }
        return "?";
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
