#include "TfrxFontFace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

#include <cmath>
#include <memory>

namespace {

struct FaceKey
{
    QString Family;
    int PixelSize;
    int Style;
    bool operator==(const FaceKey &) const = default;
};

size_t qHash(const FaceKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.Family, key.PixelSize, key.Style);
}

using FaceCache = QHash<FaceKey, std::shared_ptr<TfrxFontFace>>;

// Faces hold platform font engines, which must go before the application object does.
FaceCache *faceCache()
{
    static FaceCache *cache = nullptr;
    if (!cache) {
        cache = new FaceCache;
        // The templates name Windows fonts; where the system's font configuration does not map
        // them, fall back to the metric-compatible free faces.
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma")) && QFile::exists(tahoma))
            QFontDatabase::addApplicationFont(tahoma);
        qAddPostRoutine([] {
            delete cache;
            cache = nullptr;
        });
    }
    return cache;
}

constexpr int kMaxFaces = 256;

} // namespace

TfrxFontFace::TfrxFontFace(const QString &family, int pixelSize, int style)
{
    QFont font(family);
    font.setPixelSize(qMax(1, pixelSize));
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    FRaw = QRawFont::fromFont(font);
    FAscent = int(std::nearbyint(FRaw.ascent()));
}

TfrxFontFace::Entry &TfrxFontFace::entry(char32_t code)
{
    Entry &e = code < FLow.size() ? FLow[code] : FHigh[code];
    if (e.Advance < 0) {
        const char32_t ucs[1] = {code};
        const QString text = QString::fromUcs4(ucs, 1);
        quint32 glyphs[2] = {0, 0};
        int count = 2;
        if (!FRaw.glyphIndexesForChars(text.constData(), int(text.size()), glyphs, &count) || count < 1)
            glyphs[0] = 0;
        QPointF advance;
        FRaw.advancesForGlyphIndexes(glyphs, &advance, 1, QRawFont::UseDesignMetrics);
        e.Glyph = glyphs[0];
        e.Advance = qMax(0, int(std::nearbyint(advance.x())));
    }
    return e;
}

int TfrxFontFace::advance(char32_t code)
{
    return entry(code).Advance;
}

quint32 TfrxFontFace::glyph(char32_t code)
{
    return entry(code).Glyph;
}

std::shared_ptr<TfrxFontFace> TfrxFontFace::get(const QString &family, int pixelSize, int style)
{
    FaceCache *cache = faceCache();
    const FaceKey key{family, pixelSize, style & 3};
    auto found = cache->constFind(key);
    if (found != cache->constEnd())
        return *found;
    if (cache->size() >= kMaxFaces)
        cache->clear();
    auto face = std::make_shared<TfrxFontFace>(family, pixelSize, style & 3);
    cache->insert(key, face);
    return face;
}
