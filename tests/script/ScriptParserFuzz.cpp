// Fuzz entry: the first byte chooses what reads the rest, by its value modulo 5: the parser of
// PascalScript (as 'P'), BasicScript ('B'), C++Script ('C') or JScript ('J'), or the IL loader ('I').
// Any input must end in IL or an error, never in a crash or a hang.
#include "TfsILContext.h"
#include "TfsILParser.h"

#include <QBuffer>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString languages[] = {QStringLiteral("PascalScript"), QStringLiteral("BasicScript"),
                                        QStringLiteral("C++Script"), QString(), QStringLiteral("JScript")};
    if (size == 0 || size > 65536)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const int choice = data[0] % 5;
    const bool loadIL = choice == 3;
    TfsILContext context;
    context.OnGetUnit = [&input](const QString &, QString &text) {
        text = QString::fromUtf8(input.left(64));
    };
    TfsILParser parser(context);
    parser.SelectLanguage(loadIL ? languages[0] : languages[choice]);
    if (!loadIL) {
        parser.MakeILScript(QString::fromUtf8(input));
    } else {
        QBuffer buffer;
        buffer.setData(input);
        buffer.open(QIODevice::ReadOnly);
        parser.SetILCode(buffer);
    }
    return 0;
}
