// Replays the fuzzing corpus through the fuzz entry, so that the sanitizer build checks every seed
// (and every crash found by fuzzing and added to the corpus) on each test run.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

TEST(FuzzCorpus, EverySeedParsesWithoutFault)
{
    const QDir corpus(QStringLiteral(SCRIPT_FUZZ_CORPUS));
    const QStringList seeds = corpus.entryList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QString &seed : seeds) {
        QFile file(corpus.filePath(seed));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size())),
            0)
            << seed.toStdString();
    }
}
