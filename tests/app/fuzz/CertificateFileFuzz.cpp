// Certificate files come from anywhere: read any bytes as one, write it back, and read that again.
#include "CertificateRecord.h"
#include "zorCodePage.h"
#include "TIniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TIniFile ini = TIniFile::fromBytes(bytes);
    const QDate today(2026, 1, 1);
    const CertificateRecord record = CertificateRecord::readFrom(ini, today);
    record.writeTo(ini);
    const TIniFile reread = TIniFile::fromBytes(zorToSingleByte(ini.text()));
    const CertificateRecord again = CertificateRecord::readFrom(reread, today);
    // What was written is read back the same, apart from characters the code page cannot hold.
    if (again.marks != record.marks || again.gearbox != record.gearbox || again.dates != record.dates)
        std::abort();
    return 0;
}
