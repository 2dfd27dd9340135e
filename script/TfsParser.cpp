#include "TfsParser.h"

#include <algorithm>

namespace {

constexpr char32_t kMaxCode = 0x10FFFF;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c)
{
    return isDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

int hexValue(char16_t c)
{
    return isDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
}

bool isLineEnd(char16_t c)
{
    return c == 10 || c == 13;
}

// Characters that end a string literal unclosed: controls other than tab, and the terminator.
bool isStringBreaker(char16_t c)
{
    return c <= 8 || (c >= 10 && c <= 31);
}

bool isPunctuation(char16_t c)
{
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}

} // namespace

TfsParser::TfsParser()
{
    FUseY = true;
    Clear();
}

void TfsParser::Clear()
{
    FKeywords.clear();
    FKeywordsLower.clear();
    SetCommentBlock1(QStringLiteral("{,}"));
    SetCommentBlock2(QStringLiteral("(*,*)"));
    FCommentLine1 = QStringLiteral("//");
    FHexSequence = QStringLiteral("$");
    ConstructCharset(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"));
    FSkiPChar.clear();
    FSkipEOL = true;
    FSkipSpace = true;
    FStringQuotes = QStringLiteral("'");
    FSpecStrChar = false;
    ForgetSkips();
}

void TfsParser::SetCommentBlock1(const QString &value)
{
    FCommentBlock1 = value;
    FCommentBlock11 = value.section(u',', 0, 0);
    FCommentBlock12 = value.section(u',', 1, 1);
    ForgetSkips();
}

void TfsParser::SetCommentBlock2(const QString &value)
{
    FCommentBlock2 = value;
    FCommentBlock21 = value.section(u',', 0, 0);
    FCommentBlock22 = value.section(u',', 1, 1);
    ForgetSkips();
}

void TfsParser::SetSkipEOL(bool on)
{
    FSkipEOL = on;
    ForgetSkips();
}

void TfsParser::ConstructCharset(const QString &chars)
{
    FIdentifierCharset.reset();
    for (QChar c : chars)
        FIdentifierCharset.set(c.unicode() & 0xFF);
    ForgetSkips();
}

void TfsParser::AddExtendedCharset()
{
    for (int c = 128; c < 256; ++c)
        FIdentifierCharset.set(size_t(c));
}

void TfsParser::AddKeyword(const QString &word)
{
    FKeywords.insert(word);
    FKeywordsLower.insert(word.toLower());
}

void TfsParser::SetText(const QString &text)
{
    FText = text + QChar(0);
    FSize = int(text.size());
    FPosition = FLastPosition = 1;
    ForgetSkips();
    FYListValid = false;
    FErrorMessage.clear();
    FErrorPosition = 0;
    if (FUseY)
        BuildYList();
}

void TfsParser::SetPosition(int position)
{
    FPosition = FLastPosition = position;
}

char16_t TfsParser::CharAt(int position) const
{
    return position >= 1 && position <= FSize ? FText[position - 1].unicode() : 0;
}

bool TfsParser::IsSpace(char16_t c) const
{
    if (c > 32)
        return false;
    // With significant line ends both CR and LF are line ends, never white space.
    return FSkipEOL || !isLineEnd(c);
}

bool TfsParser::IsIdentChar(char16_t c) const
{
    return c < 256 && FIdentifierCharset.test(c);
}

bool TfsParser::At(int position, const QString &marker, bool ignoreCase) const
{
    if (marker.isEmpty() || position < 1 || position + marker.size() - 1 > FSize)
        return false;
    return QStringView(FText)
               .mid(position - 1, marker.size())
               .compare(marker, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

// White space, continuation characters and comments, in any order and number.
void TfsParser::SkipSpaces()
{
    for (const Skip &skip : FSkips) {
        if (skip.from == FPosition) {
            FPosition = FLastPosition = skip.to;
            return;
        }
    }
    const int from = FPosition;
    bool pendingEol = false; // after a continuation character: its line end is skipped too
    for (;;) {
        while (FPosition <= FSize && IsSpace(CharAt(FPosition)))
            ++FPosition;
        if (FPosition > FSize)
            break;
        const char16_t c = CharAt(FPosition);
        if (pendingEol && isLineEnd(c)) {
            while (FPosition <= FSize && isLineEnd(CharAt(FPosition)))
                ++FPosition;
            pendingEol = false;
            continue;
        }
        if (!FSkiPChar.isEmpty() && c == FSkiPChar[0].unicode()) {
            ++FPosition;
            pendingEol = true;
            continue;
        }
        if (!SkipComment())
            break;
    }
    FLastPosition = FPosition;
    FSkips[FSkipNext] = {from, FPosition};
    FSkipNext = (FSkipNext + 1) % 4;
}

void TfsParser::ForgetSkips()
{
    for (Skip &skip : FSkips)
        skip = Skip();
}

bool TfsParser::SkipComment()
{
    return SkipLineComment(FCommentLine1) || SkipLineComment(FCommentLine2) ||
           SkipBlockComment(FCommentBlock11, FCommentBlock12) ||
           SkipBlockComment(FCommentBlock21, FCommentBlock22);
}

// rule: line comment -> marker text-up-to-line-end. An alphabetic marker ("rem") is a whole word.
bool TfsParser::SkipLineComment(const QString &marker)
{
    if (marker.isEmpty())
        return false;
    const bool word = marker[0].isLetter();
    if (!At(FPosition, marker, word && !FCaseSensitive))
        return false;
    const char16_t before = CharAt(FPosition - 1);
    if (word) {
        const auto wordChar = [this](char16_t c) { return IsIdentChar(c) || c >= 127; };
        if (wordChar(before) || wordChar(CharAt(FPosition + int(marker.size()))))
            return false;
    }
    // With significant line ends, a comment after code leaves its line end in place; a comment
    // that starts a line vanishes together with its line end.
    const bool keepLineEnd = !FSkipEOL && FPosition > 1 && !isLineEnd(before);
    FPosition += int(marker.size());
    while (FPosition <= FSize && !isLineEnd(CharAt(FPosition)))
        ++FPosition;
    if (!keepLineEnd && FPosition <= FSize) {
        const bool crlf = CharAt(FPosition) == 13 && CharAt(FPosition + 1) == 10;
        FPosition += crlf ? 2 : 1;
    }
    return true;
}

// rule: block comment -> open text close; no nesting, an unclosed one runs to the end.
bool TfsParser::SkipBlockComment(const QString &open, const QString &close)
{
    if (!At(FPosition, open))
        return false;
    FPosition += int(open.size());
    while (FPosition <= FSize && !At(FPosition, close))
        ++FPosition;
    if (FPosition <= FSize)
        FPosition += int(close.size());
    return true;
}

QString TfsParser::Ident()
{
    const QStringView word = PeekWord();
    FPosition += int(word.size());
    return word.toString();
}

QStringView TfsParser::PeekWord()
{
    if (FSkipSpace)
        SkipSpaces();
    const int start = FPosition;
    const char16_t first = CharAt(start);
    if (start > FSize || !((IsIdentChar(first) && !isDigit(first)) || first >= 127))
        return {};
    int end = start;
    while (end <= FSize && (IsIdentChar(CharAt(end)) || CharAt(end) >= 127))
        ++end;
    return QStringView(FText).mid(start - 1, end - start);
}

QString TfsParser::GetIdent()
{
    const int saved = FPosition;
    QString word = Ident();
    if (!word.isEmpty() && IsKeyWord(word)) {
        FPosition = saved;
        return {};
    }
    return word;
}

bool TfsParser::IsKeyWord(const QString &s) const
{
    return FCaseSensitive ? FKeywords.contains(s) : FKeywordsLower.contains(s.toLower());
}

QString TfsParser::GetChar()
{
    const char16_t c = PeekChar();
    if (c == 0)
        return {};
    ++FPosition;
    return QString(QChar(c));
}

char16_t TfsParser::PeekChar() const
{
    const char16_t c = CharAt(FPosition);
    return FPosition <= FSize && isPunctuation(c) ? c : 0;
}

// rule: string -> (quoted-piece | '#' unsigned-integer)+
QString TfsParser::GetString()
{
    if (FSkipSpace)
        SkipSpaces();
    QString value;
    int pieces = 0;
    while (ReadQuotedPiece(value) || ReadCodePiece(value))
        ++pieces;
    if (pieces == 0)
        return {};
    return u'\'' + value + u'\'';
}

bool TfsParser::ReadQuotedPiece(QString &value)
{
    if (FStringQuotes.isEmpty() || FPosition > FSize || CharAt(FPosition) != FStringQuotes[0].unicode())
        return false;
    const char16_t quote = FStringQuotes[0].unicode();
    QString piece;
    int p = FPosition + 1;
    for (;;) {
        const char16_t c = CharAt(p);
        if (p > FSize || isStringBreaker(c))
            return false;
        if (FSpecStrChar && c == u'\\') {
            const char16_t next = CharAt(p + 1);
            if (p + 1 > FSize || isStringBreaker(next))
                return false;
            p += 2;
            switch (next | 0x20) {
            case u'n':
                piece += QChar(10);
                break;
            case u'r':
                piece += QChar(13);
                break;
            case u'x': {
                const int digitsAt = p;
                char32_t code = 0;
                while (p <= FSize && isHexDigit(CharAt(p))) {
                    code = std::min<char32_t>(code * 16 + char32_t(hexValue(CharAt(p))), kMaxCode + 1);
                    ++p;
                }
                if (p > digitsAt)
                    AppendCode(code, piece, digitsAt - 2);
                break;
            }
            default:
                piece += QChar(next);
            }
            continue;
        }
        if (c == quote) {
            if (!FSpecStrChar && CharAt(p + 1) == quote) {
                piece += QChar(quote);
                p += 2;
                continue;
            }
            FPosition = p + 1;
            value += piece;
            return true;
        }
        piece += QChar(c);
        ++p;
    }
}

bool TfsParser::ReadCodePiece(QString &value)
{
    if (FPosition > FSize || CharAt(FPosition) != u'#')
        return false;
    const int hash = FPosition;
    FPosition = hash + 1;
    if (!ReadUnsignedInteger()) {
        FPosition = hash;
        return false;
    }
    const bool hex = At(hash + 1, FHexSequence);
    char32_t code = 0;
    for (int p = hash + 1 + (hex ? int(FHexSequence.size()) : 0); p < FPosition; ++p) {
        const int digit = hex ? hexValue(CharAt(p)) : CharAt(p) - u'0';
        code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(digit), kMaxCode + 1);
    }
    AppendCode(code, value, hash);
    return true;
}

void TfsParser::AppendCode(char32_t code, QString &value, int position)
{
    if (code > kMaxCode) {
        if (FErrorMessage.isEmpty()) {
            FErrorMessage = QStringLiteral("Invalid character code");
            FErrorPosition = position;
        }
        return;
    }
    value += QString::fromUcs4(&code, 1);
}

// rule: unsigned-integer -> hex-prefix hex-digit+ | digit+
bool TfsParser::ReadUnsignedInteger()
{
    if (At(FPosition, FHexSequence)) {
        const int digits = FPosition + int(FHexSequence.size());
        int p = digits;
        while (p <= FSize && isHexDigit(CharAt(p)))
            ++p;
        if (p == digits)
            return false;
        FPosition = p;
        return true;
    }
    const int start = FPosition;
    while (FPosition <= FSize && isDigit(CharAt(FPosition)))
        ++FPosition;
    return FPosition > start;
}

// rule: unsigned-real -> unsigned-integer ['.' digit+] [('E'|'e') ['+'|'-'] digit+]
bool TfsParser::ReadUnsignedReal()
{
    if (!ReadUnsignedInteger())
        return false;
    if (CharAt(FPosition) == u'.') {
        if (!isDigit(CharAt(FPosition + 1)))
            return false;
        ++FPosition;
        while (FPosition <= FSize && isDigit(CharAt(FPosition)))
            ++FPosition;
    }
    if ((CharAt(FPosition) | 0x20) == u'e') {
        int p = FPosition + 1;
        if (CharAt(p) == u'+' || CharAt(p) == u'-')
            ++p;
        if (isDigit(CharAt(p))) {
            FPosition = p;
            while (FPosition <= FSize && isDigit(CharAt(FPosition)))
                ++FPosition;
        }
    }
    return true;
}

QString TfsParser::GetNumber()
{
    if (FSkipSpace)
        SkipSpaces();
    const int start = FPosition;
    if (!ReadUnsignedReal()) {
        FPosition = start;
        if (!ReadUnsignedInteger()) {
            FPosition = start;
            return {};
        }
    }
    QString number = FText.mid(start - 1, FPosition - start);
    if (!FHexSequence.isEmpty() && FHexSequence != u"$")
        number.replace(FHexSequence, QStringLiteral("$"));
    return number;
}

// rule: report field -> '<' text-with-balanced-brackets-outside-quotes '>'
QString TfsParser::GetFRString()
{
    int depth = 1;
    bool inDouble = false;
    bool inSingle = false;
    int p = FPosition;
    for (; p <= FSize; ++p) {
        const char16_t c = CharAt(p);
        if (c == u'"' && !inSingle)
            inDouble = !inDouble;
        else if (c == u'\'' && !inDouble)
            inSingle = !inSingle;
        else if (!inDouble && !inSingle) {
            if (c == u'<' || c == u'[')
                ++depth;
            else if ((c == u'>' || c == u']') && --depth == 0)
                break;
        }
    }
    QString result = FText.mid(FPosition - 1, p - FPosition);
    FPosition = p;
    return result;
}

// Several line ends count as one, also when the lines between them hold only white space or
// comments (an indented blank line inside "Select Case" must not end the statement list).
bool TfsParser::GetEOL()
{
    SkipSpaces();
    if (FPosition > FSize)
        return true; // the end of the text ends the last line
    if (!isLineEnd(CharAt(FPosition)))
        return false;
    for (;;) {
        while (FPosition <= FSize && isLineEnd(CharAt(FPosition)))
            ++FPosition;
        const int afterLineEnds = FPosition;
        SkipSpaces();
        if (FPosition > FSize || !isLineEnd(CharAt(FPosition))) {
            SetPosition(afterLineEnds);
            return true;
        }
    }
}

void TfsParser::BuildYList()
{
    FYList.assign(1, 0);
    for (int p = 1; p <= FSize; ++p)
        if (FText[p - 1] == QChar(10))
            FYList.push_back(p);
    FYListValid = true;
}

QString TfsParser::GetXYPosition()
{
    return XYPosition(FPosition);
}

QString TfsParser::XYPosition(int position)
{
    int line = 0;
    int column = 0;
    LineColumn(position, line, column);
    return QString::number(line) + u':' + QString::number(column);
}

// The line is the number of line feeds before the position plus one; a line feed belongs to the
// line it ends.
void TfsParser::LineColumn(int position, int &line, int &column)
{
    if (!FYListValid)
        BuildYList();
    position = std::max(position, 1);
    const auto below = std::lower_bound(FYList.begin(), FYList.end(), position);
    line = int(below - FYList.begin());
    column = position - FYList[size_t(line - 1)];
}

int TfsParser::GetPlainPosition(QPoint columnLine)
{
    if (!FYListValid)
        BuildYList();
    const int line = columnLine.y();
    if (line < 1 || line > int(FYList.size()))
        return -1;
    return FYList[size_t(line - 1)] + columnLine.x();
}

QPoint TfsParser::PosToPoint(const QString &pos)
{
    if (pos.isEmpty())
        return {0, 0};
    const qsizetype colon = pos.indexOf(u':');
    const int line = pos.left(colon).toInt();
    const int column = colon < 0 ? 0 : pos.mid(colon + 1).toInt();
    return {column, line};
}
