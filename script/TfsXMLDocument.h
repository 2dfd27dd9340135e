#pragma once

#include <QByteArray>

#include <memory>

class QIODevice;
class TfsXMLItem;

// The engine's XML document: grammars and IL are read and written through it. Reading fails with
// TfsError("Invalid file format") on malformed text or nesting deeper than MaxDepth.
class TfsXMLDocument
{
public:
    static constexpr int MaxDepth = 1024;

    TfsXMLDocument();
    ~TfsXMLDocument();

    TfsXMLItem *Root() const { return FRoot.get(); }
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool on) { FAutoIndent = on; }

    void LoadFromBytes(const QByteArray &data);
    void LoadFromStream(QIODevice &stream);
    QByteArray SaveToBytes() const;
    void SaveToStream(QIODevice &stream) const;

private:
    std::unique_ptr<TfsXMLItem> FRoot;
    bool FAutoIndent = false;
};
