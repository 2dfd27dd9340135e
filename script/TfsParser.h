#pragma once

#include <QPoint>
#include <QSet>
#include <QString>

#include <bitset>
#include <vector>

// The script engine's character-level scanner. It produces no token stream: the grammar
// interpreter asks it for one kind of token at the current position and restores the position
// itself when the answer does not fit. Language differences are settings loaded from a grammar.
class TfsParser
{
public:
    TfsParser();

    // Empties the keywords and restores the default settings (case sensitivity and the second
    // line-comment marker are kept).
    void Clear();

    // Settings.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool on)
    {
        FCaseSensitive = on;
        ForgetSkips();
    }
    void SetCommentBlock1(const QString &value);
    void SetCommentBlock2(const QString &value);
    void SetCommentLine1(const QString &value)
    {
        FCommentLine1 = value;
        ForgetSkips();
    }
    void SetCommentLine2(const QString &value)
    {
        FCommentLine2 = value;
        ForgetSkips();
    }
    void SetHexSequence(const QString &value) { FHexSequence = value; }
    void SetStringQuotes(const QString &value) { FStringQuotes = value; }
    void SetSpecStrChar(bool on) { FSpecStrChar = on; }
    void SetSkipChar(const QString &value)
    {
        FSkiPChar = value;
        ForgetSkips();
    }
    void SetSkipEOL(bool on);
    void SetSkipSpace(bool on) { FSkipSpace = on; }
    void SetUseY(bool on) { FUseY = on; }
    void ConstructCharset(const QString &chars);
    // Adds character codes 128-255 to the identifier characters.
    void AddExtendedCharset();
    void AddKeyword(const QString &word);

    // Source and position.
    void SetText(const QString &text);
    const QString &Text() const { return FText; }
    int Size() const { return FSize; }
    int Position() const { return FPosition; }
    void SetPosition(int position);
    int LastPosition() const { return FLastPosition; }
    // The character at a 1-based position; 0 outside the source.
    char16_t CharAt(int position) const;

    // Token readers: the matched text, or an empty string with the position unchanged.
    QString Ident();
    // The identifier or keyword that Ident would read, without moving past it (white space before
    // it is skipped as Ident does).
    QStringView PeekWord();
    QString GetWord() { return Ident(); }
    QString GetIdent();
    bool IsKeyWord(const QString &s) const;
    QString GetChar();
    // The punctuation character GetChar would read, or 0; nothing is consumed.
    char16_t PeekChar() const;
    QString GetString();
    QString GetNumber();
    QString GetFRString();
    bool GetEOL();
    void SkipSpaces();

    // Positions as "line:column" text.
    QString GetXYPosition();
    QString XYPosition(int position);
    // The 1-based line and column of a position.
    void LineColumn(int position, int &line, int &column);
    int GetPlainPosition(QPoint columnLine);
    static QPoint PosToPoint(const QString &pos); // x = column, y = line; "" gives 0,0

    // A string literal with a character code above U+10FFFF sets this error (first one kept).
    const QString &ErrorMessage() const { return FErrorMessage; }
    int ErrorPosition() const { return FErrorPosition; }

private:
    bool IsSpace(char16_t c) const;
    bool IsIdentChar(char16_t c) const;
    bool At(int position, const QString &marker, bool ignoreCase = false) const;
    bool SkipComment();
    bool SkipLineComment(const QString &marker);
    bool SkipBlockComment(const QString &open, const QString &close);
    bool ReadQuotedPiece(QString &value);
    bool ReadCodePiece(QString &value);
    bool ReadUnsignedInteger();
    bool ReadUnsignedReal();
    void AppendCode(char32_t code, QString &value, int position);
    void BuildYList();
    void ForgetSkips();

    bool FCaseSensitive = false;
    QString FCommentBlock1, FCommentBlock11, FCommentBlock12;
    QString FCommentBlock2, FCommentBlock21, FCommentBlock22;
    QString FCommentLine1, FCommentLine2;
    QString FHexSequence;
    std::bitset<256> FIdentifierCharset;
    QSet<QString> FKeywords;      // as written
    QSet<QString> FKeywordsLower; // lower-cased, for case-insensitive languages
    QString FText;                // the source plus a terminating character 0
    int FSize = 0;
    int FPosition = 1;
    int FLastPosition = 1;
    QString FSkiPChar;
    bool FSkipEOL = true;
    bool FSkipSpace = true;
    QString FStringQuotes;
    bool FSpecStrChar = false;
    bool FUseY = true;
    std::vector<int> FYList;
    bool FYListValid = false;
    // SkipSpaces is a pure function of the position: the last answers are kept, because the grammar
    // tries many alternatives from the same few places.
    struct Skip
    {
        int from = -1;
        int to = -1;
    };
    Skip FSkips[4];
    int FSkipNext = 0;
    QString FErrorMessage;
    int FErrorPosition = 0;
};
