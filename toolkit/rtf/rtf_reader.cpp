// SPDX-License-Identifier: MIT
#include "toolkit/rtf/rtf_reader.h"

#include "toolkit/win_text.h"

#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace tk {

namespace {

// Deeper groups are read as if their braces were not there; real files nest a few dozen deep.
constexpr std::size_t kMaxDepth = 1000;
constexpr std::size_t kMaxWordLength = 32;
constexpr int kMaxParamDigits = 10;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColors = 4096;
constexpr qsizetype kMaxFontName = 256;
constexpr int kMaxIndentTwips = 31680; // 22 inches
constexpr int kMaxHalfPoints = 3276;

enum Keyword : int {
    kwUnknown,
    // document
    kwAnsi, kwMac, kwPc, kwPca, kwAnsiCodePage, kwDefaultFont, kwUnicodeSkip, kwUnicode, kwBin,
    kwFontTable, kwColorTable, kwSkippedDestination,
    // font and colour tables
    kwFontCharset, kwRed, kwGreen, kwBlue,
    // characters
    kwPlain, kwBold, kwItalic, kwUnderline, kwUnderlineNone, kwStrike, kwFont, kwFontSize,
    kwForeground, kwBackground, kwHighlight,
    // paragraphs
    kwPar, kwLine, kwTab, kwCell, kwPard, kwLeft, kwCentre, kwRight, kwJustify,
    kwLeftIndent, kwRightIndent, kwFirstIndent,
    // characters spelled as words
    kwEmDash, kwEnDash, kwLeftQuote, kwRightQuote, kwLeftDoubleQuote, kwRightDoubleQuote, kwBullet,
    kwEmSpace, kwEnSpace, kwQuarterEmSpace, kwZeroWidthJoiner, kwZeroWidthNonJoiner,
};

const std::unordered_map<std::string_view, Keyword>& keywords()
{
    static const std::unordered_map<std::string_view, Keyword> table = [] {
        std::unordered_map<std::string_view, Keyword> t {
            { "ansi", kwAnsi }, { "mac", kwMac }, { "pc", kwPc }, { "pca", kwPca },
            { "ansicpg", kwAnsiCodePage }, { "deff", kwDefaultFont }, { "uc", kwUnicodeSkip },
            { "u", kwUnicode }, { "bin", kwBin }, { "fonttbl", kwFontTable },
            { "colortbl", kwColorTable }, { "fcharset", kwFontCharset }, { "red", kwRed },
            { "green", kwGreen }, { "blue", kwBlue }, { "plain", kwPlain }, { "b", kwBold },
            { "i", kwItalic }, { "ulnone", kwUnderlineNone }, { "strike", kwStrike },
            { "striked", kwStrike }, { "f", kwFont }, { "fs", kwFontSize }, { "cf", kwForeground },
            { "cb", kwBackground }, { "chcbpat", kwBackground }, { "highlight", kwHighlight },
            { "par", kwPar }, { "sect", kwPar }, { "row", kwPar }, { "line", kwLine },
            { "tab", kwTab }, { "cell", kwCell }, { "nestcell", kwCell }, { "pard", kwPard },
            { "ql", kwLeft }, { "qc", kwCentre }, { "qr", kwRight }, { "qj", kwJustify },
            { "li", kwLeftIndent }, { "lin", kwLeftIndent }, { "ri", kwRightIndent },
            { "rin", kwRightIndent }, { "fi", kwFirstIndent }, { "emdash", kwEmDash },
            { "endash", kwEnDash }, { "lquote", kwLeftQuote }, { "rquote", kwRightQuote },
            { "ldblquote", kwLeftDoubleQuote }, { "rdblquote", kwRightDoubleQuote },
            { "bullet", kwBullet }, { "emspace", kwEmSpace }, { "enspace", kwEnSpace },
            { "qmspace", kwQuarterEmSpace }, { "zwj", kwZeroWidthJoiner },
            { "zwnj", kwZeroWidthNonJoiner },
        };
        // Every kind of underline shows as the one underline a QTextDocument run has.
        for (std::string_view ul : { "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                 "ululdbwave", "ulw", "ulwave" })
            t.emplace(ul, kwUnderline);
        // Destinations with nothing to show; their groups are skipped whole.
        for (std::string_view skip : { "info", "stylesheet", "pict", "object", "header", "footer",
                 "headerl", "headerr", "headerf", "footerl", "footerr", "footerf", "footnote",
                 "fldinst", "themedata", "colorschememapping", "datastore", "latentstyles",
                 "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "filetbl",
                 "revtbl", "annotation", "atnid", "atnauthor", "bkmkstart", "bkmkend", "xe", "tc",
                 "txe", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "template",
                 "userprops", "docvar", "private", "pn", "pntxta", "pntxtb", "shp", "shpinst",
                 "nonshppict", "objdata", "mmathPr", "pgdsctbl", "protusertbl", "passwordhash",
                 "wgrffmtfilter", "mailmerge", "author", "operator", "title", "subject",
                 "keywords", "comment", "doccomm", "company", "manager", "category", "hlinkbase",
                 "fchars", "lchars", "defchp", "defpap", "fontemb", "fontfile", "falt", "panose" })
            t.emplace(skip, kwSkippedDestination);
        return t;
    }();
    return table;
}

Keyword lookUp(std::string_view word)
{
    const auto& table = keywords();
    auto found = table.find(word);
    return found == table.end() ? kwUnknown : found->second;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The code page a font's \fcharset stands for; -1 leaves the document's.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return -1;
    }
}

// Characters QTextCursor::insertText would turn into paragraph or frame breaks, and other control
// characters, have no place inside a run.
bool isInsertable(QChar c)
{
    char16_t u = c.unicode();
    return u == '\t' || (u >= 0x20 && u != QChar::ParagraphSeparator && u != 0xFDD0 && u != 0xFDD1);
}

}

bool RtfReader::IsRtf(std::string_view bytes)
{
    return bytes.starts_with("{\\rtf");
}

void RtfReader::Read(std::string_view rtf, QTextDocument& document)
{
    // Loading is not an edit: nothing to undo, and no undo stack to build.
    bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    // One edit, so the cursor does not lay its paragraph out again after every run.
    cursor.beginEditBlock();
    RtfReader(rtf, cursor, false).Run();
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

void RtfReader::Insert(std::string_view rtf, QTextCursor& cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    RtfReader(rtf, cursor, true).Run();
    cursor.endEditBlock();
}

RtfReader::RtfReader(std::string_view rtf, QTextCursor& cursor, bool inserting)
    : m_rtf(rtf)
    , m_cursor(cursor)
    , m_inserting(inserting)
{
    // Pasted text ends in the paragraph that was there, which keeps its own format.
    if (inserting)
        m_tailFormat = cursor.blockFormat();
    m_stack.reserve(64);
}

RtfReader::~RtfReader() = default;

void RtfReader::Run()
{
    while (m_pos < m_rtf.size() && !m_done) {
        char c = m_rtf[m_pos++];
        // Nothing counts before the document's group opens.
        if (m_stack.empty() && c != '{')
            continue;
        switch (c) {
        case '{': OpenGroup(); break;
        case '}': CloseGroup(); break;
        case '\\': ControlSymbol(); break;
        case '\r':
        case '\n':
        case '\0': break;
        case '\t': TextUnit('\t'); break;
        default: TextByte(static_cast<unsigned char>(c)); break;
        }
    }
    if (!m_done && !m_stack.empty())
        Finish();
}

void RtfReader::OpenGroup()
{
    FlushBytes();
    m_fallback = 0;
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    if (m_stack.size() >= kMaxDepth || m_overflowDepth > 0) {
        if (m_overflowDepth < INT_MAX)
            ++m_overflowDepth;
        return;
    }
    m_stack.push_back(Top());
}

void RtfReader::CloseGroup()
{
    FlushBytes();
    m_fallback = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() == 1) {
        Finish();
        m_done = true;
        return;
    }
    Destination leaving = Top().destination;
    m_stack.pop_back();
    // A font entry may end with its group instead of a semicolon.
    if (leaving == Destination::FontTable)
        CommitFont();
}

void RtfReader::ControlSymbol()
{
    if (m_pos >= m_rtf.size())
        return;
    char c = m_rtf[m_pos];
    if (isLetter(c))
        return ControlWord();
    ++m_pos;
    if (c == '\'') {
        int value = 0, digits = 0;
        for (; digits < 2 && m_pos < m_rtf.size() && hexValue(m_rtf[m_pos]) >= 0; ++digits)
            value = value * 16 + hexValue(m_rtf[m_pos++]);
        if (digits > 0)
            TextByte(static_cast<unsigned char>(value));
        return;
    }
    FlushBytes();
    if (ConsumeFallback())
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}': TextByte(static_cast<unsigned char>(c)); break;
    case '~': TextUnit(0x00A0); break;
    case '_': TextUnit(0x2011); break;
    case '-': break; // an optional hyphen: the layout hyphenates by itself
    case '*':
        // An ignorable destination: we know none worth reading.
        if (m_stack.size() > 1)
            Top().destination = Destination::Skip;
        break;
    case '\r':
    case '\n': ParagraphBreak(); break;
    default: break;
    }
}

void RtfReader::ControlWord()
{
    FlushBytes();
    std::size_t start = m_pos;
    while (m_pos < m_rtf.size() && isLetter(m_rtf[m_pos]))
        ++m_pos;
    std::string_view word = m_rtf.substr(start, m_pos - start);
    if (word.size() > kMaxWordLength)
        word = {};

    bool negative = m_pos + 1 < m_rtf.size() && m_rtf[m_pos] == '-' && isDigit(m_rtf[m_pos + 1]);
    if (negative)
        ++m_pos;
    long long value = 0;
    int digits = 0;
    for (; m_pos < m_rtf.size() && isDigit(m_rtf[m_pos]); ++m_pos, ++digits) {
        if (digits < kMaxParamDigits)
            value = value * 10 + (m_rtf[m_pos] - '0');
    }
    if (negative)
        value = -value;
    value = std::clamp<long long>(value, INT_MIN, INT_MAX);
    if (m_pos < m_rtf.size() && m_rtf[m_pos] == ' ')
        ++m_pos;
    HandleKeyword(word, digits > 0, int(value));
}

bool RtfReader::ConsumeFallback()
{
    if (m_fallback <= 0)
        return false;
    --m_fallback;
    return true;
}

void RtfReader::SkipBinary(int count)
{
    if (count > 0)
        m_pos += std::min<std::size_t>(std::size_t(count), m_rtf.size() - m_pos);
}

void RtfReader::HandleKeyword(std::string_view word, bool hasParam, int param)
{
    Keyword kw = lookUp(word);
    if (kw == kwBin) {
        SkipBinary(param);
        ConsumeFallback();
        return;
    }
    // Writers that leave out the fallback of a \u still get their next \u read.
    if (kw == kwUnicode)
        m_fallback = 0;
    if (ConsumeFallback())
        return;
    State& state = Top();
    if (state.destination == Destination::Skip)
        return;
    bool inner = m_stack.size() > 1;

    switch (kw) {
    case kwAnsi: m_ansiCodePage = 1252; return;
    case kwMac: m_ansiCodePage = 10000; return;
    case kwPc: m_ansiCodePage = 437; return;
    case kwPca: m_ansiCodePage = 850; return;
    case kwAnsiCodePage:
        if (param > 0 && param <= 65535)
            m_ansiCodePage = param;
        return;
    case kwDefaultFont: m_defaultFont = param; return;
    case kwUnicodeSkip: state.unicodeSkip = std::clamp(param, 0, 16); return;
    case kwUnicode:
        TextUnit(char16_t(param < 0 ? param + 65536 : param));
        m_fallback = state.unicodeSkip;
        return;
    case kwFontTable:
        if (inner)
            state.destination = Destination::FontTable;
        return;
    case kwColorTable:
        if (inner) {
            state.destination = Destination::ColorTable;
            m_colorGiven = false;
            m_red = m_green = m_blue = 0;
        }
        return;
    case kwSkippedDestination:
        if (inner)
            state.destination = Destination::Skip;
        return;
    default: break;
    }

    if (state.destination != Destination::Text)
        return TableKeyword(kw, param);
    CharKeyword(kw, !hasParam || param != 0, param);
}

void RtfReader::TableKeyword(int kw, int param)
{
    State& state = Top();
    if (state.destination == Destination::FontTable) {
        if (kw == kwFont)
            StartFont(param);
        else if (kw == kwFontCharset)
            m_fontCodePage = codePageOfCharset(param);
    } else if (state.destination == Destination::ColorTable) {
        int component = std::clamp(param, 0, 255);
        if (kw == kwRed)
            m_red = component;
        else if (kw == kwGreen)
            m_green = component;
        else if (kw == kwBlue)
            m_blue = component;
        else
            return;
        m_colorGiven = true;
    }
}

void RtfReader::CharKeyword(int kw, bool on, int param)
{
    State& state = Top();
    CharState& chars = state.chars;
    ParaState& para = state.para;
    int index = std::clamp(param, 0, int(kMaxColors));
    int twips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
    switch (kw) {
    case kwPlain:
        chars = CharState {};
        state.codePage = -1;
        break;
    case kwBold: chars.bold = on; break;
    case kwItalic: chars.italic = on; break;
    case kwUnderline: chars.underline = on; break;
    case kwUnderlineNone: chars.underline = false; break;
    case kwStrike: chars.strike = on; break;
    case kwFont: {
        chars.font = param;
        auto font = m_fonts.find(param);
        state.codePage = font == m_fonts.end() ? -1 : font->second.codePage;
        break;
    }
    case kwFontSize: chars.halfPoints = param > 0 ? std::clamp(param, 2, kMaxHalfPoints) : 24; break;
    case kwForeground: chars.foreground = index; break;
    case kwBackground: chars.background = index; break;
    case kwHighlight: chars.highlight = index; break;

    case kwPar: ParagraphBreak(); break;
    case kwLine: TextUnit(QChar::LineSeparator); break;
    case kwTab:
    case kwCell: TextUnit('\t'); break;
    case kwPard: para = ParaState {}; break;
    case kwLeft: para.alignment = Qt::AlignLeft; break;
    case kwCentre: para.alignment = Qt::AlignHCenter; break;
    case kwRight: para.alignment = Qt::AlignRight; break;
    case kwJustify: para.alignment = Qt::AlignJustify; break;
    case kwLeftIndent: para.leftTwips = twips; break;
    case kwRightIndent: para.rightTwips = twips; break;
    case kwFirstIndent: para.firstTwips = twips; break;

    case kwEmDash: TextUnit(0x2014); break;
    case kwEnDash: TextUnit(0x2013); break;
    case kwLeftQuote: TextUnit(0x2018); break;
    case kwRightQuote: TextUnit(0x2019); break;
    case kwLeftDoubleQuote: TextUnit(0x201C); break;
    case kwRightDoubleQuote: TextUnit(0x201D); break;
    case kwBullet: TextUnit(0x2022); break;
    case kwEmSpace: TextUnit(0x2003); break;
    case kwEnSpace: TextUnit(0x2002); break;
    case kwQuarterEmSpace: TextUnit(0x2005); break;
    case kwZeroWidthJoiner: TextUnit(0x200D); break;
    case kwZeroWidthNonJoiner: TextUnit(0x200C); break;
    default: break;
    }
}

// Text

void RtfReader::TextByte(unsigned char byte)
{
    if (ConsumeFallback())
        return;
    Destination destination = Top().destination;
    if (destination == Destination::Skip)
        return;
    if (destination == Destination::ColorTable) {
        if (byte == ';')
            CommitColor();
        return;
    }
    if (destination == Destination::FontTable && byte == ';') {
        FlushBytes();
        return CommitFont();
    }
    int page = CodePage();
    if (!m_bytes.empty() && (page != m_bytesCodePage || destination != m_bytesDestination))
        FlushBytes();
    m_bytesCodePage = page;
    m_bytesDestination = destination;
    m_bytes += char(byte);
}

void RtfReader::TextUnit(char16_t unit)
{
    FlushBytes();
    Destination destination = Top().destination;
    if (destination == Destination::Text || destination == Destination::FontTable) {
        m_bytesDestination = destination;
        AppendText(QString(QChar(unit)));
    }
}

int RtfReader::CodePage()
{
    int page = Top().codePage;
    return page > 0 ? page : m_ansiCodePage;
}

void RtfReader::FlushBytes()
{
    if (m_bytes.empty())
        return;
    QString text = Decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    AppendText(std::move(text));
}

// Goes where the bytes or unit came from: the body or the name of the font being defined.
void RtfReader::AppendText(QString text)
{
    if (m_bytesDestination == Destination::FontTable) {
        if (m_fontName.size() < kMaxFontName)
            m_fontName += text.left(kMaxFontName - m_fontName.size());
        return;
    }
    text.removeIf([](QChar c) { return !isInsertable(c); });
    if (text.isEmpty())
        return;
    MaterialiseBreak();
    const CharState& chars = Top().chars;
    if (!m_run.isEmpty() && !(chars == m_runChars))
        FlushRun();
    m_runChars = chars;
    m_run += text;
}

QString RtfReader::Decode(std::string_view bytes, int codePage)
{
    switch (codePage) {
    case 1252: return fromWinText(bytes);
    case 65001: return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    case 28591: return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    default: break;
    }
    if (QStringDecoder* decoder = DecoderFor(codePage))
        return decoder->decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (char c : bytes)
        text += static_cast<unsigned char>(c) < 0x80 ? QChar(c) : QChar('?');
    return text;
}

// Qt decodes other code pages by name when it has them; without one, their upper half reads as "?".
QStringDecoder* RtfReader::DecoderFor(int codePage)
{
    if (codePage == m_decoderCodePage)
        return m_decoder.get();
    m_decoderCodePage = codePage;
    m_decoder.reset();
    std::vector<std::string> names;
    if (codePage == 10000)
        names.push_back("macintosh");
    names.push_back("windows-" + std::to_string(codePage));
    names.push_back("cp" + std::to_string(codePage));
    names.push_back("ibm-" + std::to_string(codePage));
    for (const std::string& name : names) {
        auto decoder = std::make_unique<QStringDecoder>(name.c_str(), QStringConverter::Flag::Stateless);
        if (decoder->isValid()) {
            m_decoder = std::move(decoder);
            break;
        }
    }
    return m_decoder.get();
}

// Paragraphs

// A \par ends its paragraph; the next one begins only when something comes to fill it, so the
// \par that ends a file does not leave an empty paragraph after it. A pasted paragraph that never
// began (the break was the last thing) leaves the paragraph it ends in as it was.
void RtfReader::ParagraphBreak()
{
    if (Top().destination != Destination::Text)
        return;
    MaterialiseBreak();
    FlushRun();
    m_pendingPara = Top().para;
    m_breakPending = true;
}

void RtfReader::MaterialiseBreak()
{
    if (!m_breakPending)
        return;
    m_breakPending = false;
    FlushRun();
    ApplyParagraph(m_pendingPara);
    m_cursor.insertBlock(m_tailFormat, CharFormat(Top().chars));
}

void RtfReader::ApplyParagraph(const ParaState& para)
{
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLeftMargin(para.leftTwips / 15.0);
    format.setRightMargin(para.rightTwips / 15.0);
    format.setTextIndent(para.firstTwips / 15.0);
    m_cursor.mergeBlockFormat(format);
}

void RtfReader::FlushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, CharFormat(m_runChars));
    m_run.clear();
}

void RtfReader::Finish()
{
    FlushBytes();
    FlushRun();
    if (!m_inserting)
        ApplyParagraph(m_breakPending ? m_pendingPara : Top().para);
}

QTextCharFormat RtfReader::CharFormat(const CharState& chars) const
{
    QTextCharFormat format;
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList { font->second.name });
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (QColor foreground = Color(chars.foreground); foreground.isValid())
        format.setForeground(foreground);
    if (QColor background = Color(chars.highlight ? chars.highlight : chars.background); background.isValid())
        format.setBackground(background);
    return format;
}

// Entry 0 is usually the empty one that means "auto"; an invalid colour leaves the run's default.
QColor RtfReader::Color(int index) const
{
    if (index < 0 || std::size_t(index) >= m_colors.size())
        return {};
    return m_colors[std::size_t(index)];
}

// Tables

void RtfReader::StartFont(int number)
{
    CommitFont();
    m_fontNumber = number;
    m_fontCodePage = -1;
}

void RtfReader::CommitFont()
{
    QString name = m_fontName.trimmed();
    m_fontName.clear();
    if (m_fontNumber < 0 || name.isEmpty())
        return;
    if (m_fonts.size() < kMaxFonts || m_fonts.count(m_fontNumber))
        m_fonts[m_fontNumber] = Font { name, m_fontCodePage };
}

void RtfReader::CommitColor()
{
    if (m_colors.size() < kMaxColors)
        m_colors.push_back(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
    m_colorGiven = false;
    m_red = m_green = m_blue = 0;
}

}
