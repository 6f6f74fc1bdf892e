// SPDX-License-Identifier: MIT
#include "toolkit/rtf/rtf_reader.h"

#include "toolkit/win_text.h"

#include <QImage>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <utility>
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
constexpr qsizetype kMaxFieldText = 4096;
constexpr qsizetype kMaxListText = 64;
constexpr std::size_t kMaxLinks = 65536;
constexpr int kMaxColumns = 64;

enum Keyword : int {
    kwUnknown,
    // document
    kwAnsi, kwMac, kwPc, kwPca, kwAnsiCodePage, kwDefaultFont, kwUnicodeSkip, kwUnicode, kwBin,
    kwFontTable, kwColorTable, kwSkippedDestination,
    // font and colour tables
    kwFontCharset, kwRed, kwGreen, kwBlue,
    // characters
    kwPlain, kwBold, kwItalic, kwUnderline, kwUnderlineNone, kwStrike, kwFont, kwFontSize,
    kwForeground, kwBackground, kwHighlight, kwHidden, kwSuper, kwSub, kwNoSuperSub,
    // destinations read for what they say
    kwFieldInstruction, kwPicture, kwShapePicture, kwListText, kwPng, kwJpeg, kwPictureWidth,
    kwPictureHeight, kwPictureScaleX, kwPictureScaleY,
    // paragraphs
    kwPar, kwLine, kwTab, kwCell, kwPard, kwLeft, kwCentre, kwRight, kwJustify,
    kwLeftIndent, kwRightIndent, kwFirstIndent, kwSpaceBefore, kwSpaceAfter, kwLineSpacing,
    kwLineMultiple, kwInTable, kwRowDefaults, kwCellBoundary, kwRow,
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
            { "par", kwPar }, { "sect", kwPar }, { "page", kwPar }, { "column", kwPar }, { "row", kwRow },
            { "v", kwHidden }, { "super", kwSuper }, { "sub", kwSub }, { "nosupersub", kwNoSuperSub },
            { "fldinst", kwFieldInstruction }, { "pict", kwPicture }, { "shppict", kwShapePicture },
            { "pntext", kwListText }, { "listtext", kwListText }, { "pngblip", kwPng },
            { "jpegblip", kwJpeg }, { "picwgoal", kwPictureWidth }, { "pichgoal", kwPictureHeight },
            { "picscalex", kwPictureScaleX }, { "picscaley", kwPictureScaleY }, { "sb", kwSpaceBefore },
            { "sa", kwSpaceAfter }, { "sl", kwLineSpacing }, { "slmult", kwLineMultiple },
            { "intbl", kwInTable }, { "trowd", kwRowDefaults }, { "cellx", kwCellBoundary }, { "line", kwLine },
            { "tab", kwTab }, { "cell", kwCell }, { "nestcell", kwTab }, { "pard", kwPard },
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
        for (std::string_view skip : { "info", "stylesheet", "object", "header", "footer",
                 "headerl", "headerr", "headerf", "footerl", "footerr", "footerf", "footnote",
                 "themedata", "colorschememapping", "datastore", "latentstyles",
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

// The kind of list a paragraph's marker ("1.", "a)", a bullet) says it belongs to.
QTextListFormat::Style listStyleOf(const QString& marker)
{
    QChar first = marker.isEmpty() ? QChar() : marker[0];
    if (first.isDigit())
        return QTextListFormat::ListDecimal;
    if (marker.size() > 1 && first >= u'a' && first <= u'z')
        return QTextListFormat::ListLowerAlpha;
    if (marker.size() > 1 && first >= u'A' && first <= u'Z')
        return QTextListFormat::ListUpperAlpha;
    if (first == u'o')
        return QTextListFormat::ListCircle;
    if (first == u'\u25aa' || first == u'\u25a0' || first == u'\u00a7')
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

// The target a field's instruction links to: HYPERLINK "target", or \l "place" within the document.
QString hyperlinkOf(QString instruction)
{
    instruction = instruction.trimmed();
    if (!instruction.startsWith(QStringLiteral("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    QString rest = instruction.mid(9).trimmed();
    bool place = rest.startsWith(QStringLiteral("\\l"));
    if (place)
        rest = rest.mid(2).trimmed();
    QString target;
    if (rest.startsWith(u'"'))
        target = rest.mid(1).section(u'"', 0, 0);
    else
        target = rest.section(u' ', 0, 0);
    return place && !target.isEmpty() ? u'#' + target : target;
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
    while (m_pos < m_rtf.size()) {
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
    if (!m_stack.empty())
        Finish();
}

void RtfReader::OpenGroup()
{
    FlushBytes();
    m_starred = false;
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
    m_starred = false;
    m_fallback = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    // A stray brace that closes the document early: what follows is still the document's.
    if (m_stack.size() == 1)
        return;
    Destination leaving = Top().destination;
    m_stack.pop_back();
    // A font entry may end with its group instead of a semicolon.
    if (leaving == Destination::FontTable)
        CommitFont();
    else if (leaving != Top().destination)
        LeaveDestination(leaving);
}

void RtfReader::LeaveDestination(Destination left)
{
    if (left == Destination::FieldInstruction)
        CommitField();
    if (left == Destination::Picture) {
        if (Top().destination == Destination::Text)
            InsertPicture();
        m_picture = Picture {};
    }
}

// The field's result (its other group) shows as a link when the instruction is a hyperlink.
void RtfReader::CommitField()
{
    QString target = hyperlinkOf(m_fieldText);
    m_fieldText.clear();
    if (target.isEmpty() || Top().destination != Destination::Text)
        return;
    if (m_links.size() < kMaxLinks)
        m_links.push_back(target);
    Top().chars.link = int(m_links.size());
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
        // An ignorable destination: skipped, unless its word names one read here.
        if (m_stack.size() > 1) {
            m_starred = true;
            m_starredFrom = Top().destination;
            Top().destination = Destination::Skip;
        }
        return;
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

// A length that runs past the end is a damaged one: the bytes after it are read as RTF again.
void RtfReader::SkipBinary(int count)
{
    if (count > 0 && std::size_t(count) <= m_rtf.size() - m_pos)
        m_pos += std::size_t(count);
}

bool RtfReader::Starred(int kw)
{
    if (!std::exchange(m_starred, false))
        return false;
    if (kw == kwFieldInstruction || kw == kwShapePicture)
        Top().destination = m_starredFrom;
    return true;
}

void RtfReader::HandleKeyword(std::string_view word, bool hasParam, int param)
{
    Keyword kw = lookUp(word);
    Starred(kw);
    if (kw == kwBin) {
        // A picture's data may come as raw bytes.
        if (Top().destination == Destination::Picture && param > 0 && std::size_t(param) <= m_rtf.size() - m_pos)
            m_picture.bytes.append(m_rtf.substr(m_pos, std::size_t(param)));
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
    case kwFieldInstruction:
        if (inner) {
            state.destination = Destination::FieldInstruction;
            m_fieldText.clear();
        }
        return;
    case kwPicture:
        if (inner) {
            state.destination = Destination::Picture;
            m_picture = Picture {};
        }
        return;
    case kwListText:
        if (inner) {
            state.destination = Destination::ListText;
            m_listText.clear();
        }
        return;
    case kwShapePicture: return;
    default: break;
    }

    if (state.destination == Destination::Picture)
        return PictureKeyword(kw, param);
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
    case kwHidden: chars.hidden = on; break;
    case kwSuper: chars.vertical = on ? 1 : 0; break;
    case kwSub: chars.vertical = on ? 2 : 0; break;
    case kwNoSuperSub: chars.vertical = 0; break;

    case kwPar: ParagraphBreak(); break;
    case kwCell: EndCell(); break;
    case kwRow: EndRow(); break;
    case kwInTable: para.inTable = true; break;
    case kwRowDefaults: m_rowColumns = 0; break;
    case kwCellBoundary: m_rowColumns = std::min(m_rowColumns + 1, kMaxColumns); break;
    case kwSpaceBefore: para.beforeTwips = std::clamp(param, 0, kMaxIndentTwips); break;
    case kwSpaceAfter: para.afterTwips = std::clamp(param, 0, kMaxIndentTwips); break;
    case kwLineSpacing: para.lineSpacing = twips; break;
    case kwLineMultiple: para.lineMultiple = on; break;
    case kwLine: TextUnit(QChar::LineSeparator); break;
    case kwTab: TextUnit('\t'); break;
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

void RtfReader::PictureKeyword(int kw, int param)
{
    switch (kw) {
    case kwPng:
    case kwJpeg: m_picture.shown = true; break;
    case kwPictureWidth: m_picture.widthTwips = std::clamp(param, 0, kMaxIndentTwips); break;
    case kwPictureHeight: m_picture.heightTwips = std::clamp(param, 0, kMaxIndentTwips); break;
    case kwPictureScaleX: m_picture.scaleX = std::clamp(param, 1, 1000); break;
    case kwPictureScaleY: m_picture.scaleY = std::clamp(param, 1, 1000); break;
    default: break;
    }
}

// The picture goes into the text as an image whose bytes (PNG or JPEG, as they came) the document
// keeps as its resource, so that they are written back unchanged.
void RtfReader::InsertPicture()
{
    if (!m_picture.shown || Top().chars.hidden)
        return;
    QByteArray bytes = m_picture.bytes.empty()
        ? QByteArray::fromHex(QByteArray::fromStdString(m_picture.hex))
        : QByteArray::fromStdString(m_picture.bytes);
    QImage image;
    if (!image.loadFromData(bytes))
        return;
    QTextDocument* document = m_cursor.document();
    QUrl name;
    do
        name = QUrl(QStringLiteral("rtfpicture:%1").arg(++m_pictures));
    while (document->resource(QTextDocument::ImageResource, name).isValid());
    document->addResource(QTextDocument::ImageResource, name, bytes);
    QTextImageFormat format;
    format.setName(name.toString());
    double width = m_picture.widthTwips > 0 ? m_picture.widthTwips / 15.0 : image.width();
    double height = m_picture.heightTwips > 0 ? m_picture.heightTwips / 15.0 : image.height();
    format.setWidth(width * m_picture.scaleX / 100.0);
    format.setHeight(height * m_picture.scaleY / 100.0);
    EnterText();
    FlushRun();
    m_cursor.insertImage(format);
}

// Text

void RtfReader::TextByte(unsigned char byte)
{
    m_starred = false;
    if (ConsumeFallback())
        return;
    Destination destination = Top().destination;
    if (destination == Destination::Skip)
        return;
    if (destination == Destination::Picture) {
        if (hexValue(char(byte)) >= 0)
            m_picture.hex += char(byte);
        return;
    }
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
    if (destination != Destination::Skip && destination != Destination::ColorTable && destination != Destination::Picture) {
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
    if (m_bytesDestination == Destination::FieldInstruction) {
        m_fieldText += text.left(kMaxFieldText - m_fieldText.size());
        return;
    }
    if (m_bytesDestination == Destination::ListText) {
        m_listText += text.left(kMaxListText - m_listText.size());
        return;
    }
    text.removeIf([](QChar c) { return !isInsertable(c); });
    if (text.isEmpty() || Top().chars.hidden)
        return;
    EnterText();
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
    if (Top().destination != Destination::Text || Top().chars.hidden)
        return;
    if (m_table && !Top().para.inTable)
        LeaveTable();
    MaterialiseBreak();
    FlushRun();
    m_pendingPara = Top().para;
    m_pendingMarker = std::exchange(m_listText, {});
    m_breakPending = true;
}

void RtfReader::MaterialiseBreak()
{
    if (!m_breakPending)
        return;
    m_breakPending = false;
    FlushRun();
    ApplyParagraph(m_pendingPara, m_pendingMarker);
    m_cursor.insertBlock(m_tailFormat, CharFormat(Top().chars));
}

// Text or a picture is about to be inserted: its paragraph begins, in its table cell if it has one.
void RtfReader::EnterText()
{
    if (Top().para.inTable)
        EnsureTable();
    else if (m_table)
        LeaveTable();
    MaterialiseBreak();
}

void RtfReader::ApplyParagraph(const ParaState& para, const QString& marker)
{
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLeftMargin(para.leftTwips / 15.0);
    format.setRightMargin(para.rightTwips / 15.0);
    format.setTextIndent(para.firstTwips / 15.0);
    if (para.beforeTwips)
        format.setTopMargin(para.beforeTwips / 15.0);
    if (para.afterTwips)
        format.setBottomMargin(para.afterTwips / 15.0);
    if (para.lineSpacing > 0 && para.lineMultiple)
        format.setLineHeight(para.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (para.lineSpacing > 0)
        format.setLineHeight(para.lineSpacing / 15.0, QTextBlockFormat::MinimumHeight);
    else if (para.lineSpacing < 0)
        format.setLineHeight(-para.lineSpacing / 15.0, QTextBlockFormat::FixedHeight);
    m_cursor.mergeBlockFormat(format);
    if (!marker.trimmed().isEmpty())
        ApplyList(marker.trimmed());
}

// A list item joins the list of the paragraph before it when that one is an item of the same kind.
void RtfReader::ApplyList(const QString& marker)
{
    QTextListFormat::Style style = listStyleOf(marker);
    QTextBlock block = m_cursor.block();
    if (m_list && m_listBlock == block.blockNumber() - 1 && m_list->format().style() == style) {
        m_list->add(block);
    } else {
        QTextListFormat format;
        format.setStyle(style);
        m_list = m_cursor.createList(format);
    }
    m_listBlock = block.blockNumber();
}

// Tables: a table begins with the first text of a table paragraph; each \cell moves on to the
// next cell of the row (a column more where a row has more cells), each \row to a new row.
void RtfReader::EnsureTable()
{
    if (!m_table) {
        // The paragraph a break ended is the one the table follows.
        if (m_breakPending) {
            m_breakPending = false;
            FlushRun();
            ApplyParagraph(m_pendingPara, m_pendingMarker);
        }
        FlushRun();
        QTextTableFormat format;
        format.setBorder(1);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        m_table = m_cursor.insertTable(1, std::max(1, m_rowColumns), format);
        m_cell = 0;
        m_rowEnded = false;
        return;
    }
    FlushRun();
    if (m_rowEnded) {
        m_table->appendRows(1);
        m_cell = 0;
        m_rowEnded = false;
    }
    if (m_cell >= m_table->columns()) {
        if (m_table->columns() >= kMaxColumns)
            m_cell = m_table->columns() - 1;
        else
            m_table->appendColumns(m_cell - m_table->columns() + 1);
    }
    QTextTableCell cell = m_table->cellAt(m_table->rows() - 1, m_cell);
    if (m_cursor.currentTable() != m_table || m_table->cellAt(m_cursor) != cell) {
        m_breakPending = false;
        m_cursor = cell.lastCursorPosition();
    }
}

void RtfReader::LeaveTable()
{
    FlushRun();
    m_breakPending = false;
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
}

void RtfReader::EndCell()
{
    if (Top().destination != Destination::Text || Top().chars.hidden)
        return;
    if (!Top().para.inTable && !m_table)
        return TextUnit('\t');
    EnsureTable();
    MaterialiseBreak();
    FlushRun();
    ApplyParagraph(Top().para, std::exchange(m_listText, {}));
    ++m_cell;
}

void RtfReader::EndRow()
{
    if (Top().destination != Destination::Text || !m_table)
        return;
    FlushRun();
    m_breakPending = false;
    m_rowEnded = true;
    m_cell = 0;
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
    if (m_table)
        return;
    if (!m_inserting)
        ApplyParagraph(m_breakPending ? m_pendingPara : Top().para, m_breakPending ? m_pendingMarker : m_listText);
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
    if (chars.vertical)
        format.setVerticalAlignment(chars.vertical == 1 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (chars.link > 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_links[std::size_t(chars.link - 1)]);
    }
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
