// Start-up of the certificate window and the certificate file's reading and writing.
#include "CertificateRecord.h"
#include "zorCodePage.h"
#include "TIniFile.h"
#include "TOperatorDialogs.h"
#include "TfmMain.h"


#include <benchmark/benchmark.h>

namespace {

QByteArray sampleFile()
{
    CertificateRecord record = CertificateRecord::blank(QDate(2015, 9, 20));
    for (int i = 0; i < CertificateRecord::textCount; ++i)
        record.texts[i] = QStringLiteral("Автономная некоммерческая организация %1").arg(i);
    TIniFile ini;
    record.writeTo(ini);
    return zorToSingleByte(ini.text());
}

void CreateMainWindow(benchmark::State &state)
{
    TWidgetDialogs dialogs;
    for (auto _ : state) {
        TfmMain window(dialogs);
        benchmark::DoNotOptimize(window.blank());
    }
}
BENCHMARK(CreateMainWindow)->Unit(benchmark::kMillisecond);

void ReadCertificateFile(benchmark::State &state)
{
    const QByteArray bytes = sampleFile();
    for (auto _ : state) {
        const TIniFile ini = TIniFile::fromBytes(bytes);
        benchmark::DoNotOptimize(CertificateRecord::readFrom(ini, QDate(2026, 1, 1)));
    }
}
BENCHMARK(ReadCertificateFile)->Unit(benchmark::kMicrosecond);

void WriteCertificateFile(benchmark::State &state)
{
    const CertificateRecord record = CertificateRecord::readFrom(TIniFile::fromBytes(sampleFile()), QDate(2026, 1, 1));
    for (auto _ : state) {
        TIniFile ini;
        record.writeTo(ini);
        benchmark::DoNotOptimize(zorToSingleByte(ini.text()));
    }
}
BENCHMARK(WriteCertificateFile)->Unit(benchmark::kMicrosecond);

} // namespace
