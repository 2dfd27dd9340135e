// Compiles and runs any text as a script: the first byte chooses the language (by its value
// modulo 4: PascalScript, BasicScript, C++Script, JScript; the seeds start with "0" to "3"). Within the script limits, and with a
// budget of statements after which the script is stopped as the preview's Stop would, every input
// ends in a result or an error, never in a crash, a hang or a leak.
#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <new>

namespace {

constexpr int kStatementBudget = 20000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString languages[] = {QStringLiteral("PascalScript"), QStringLiteral("BasicScript"),
                                        QStringLiteral("C++Script"), QStringLiteral("JScript")};
    if (size == 0 || size > 16384)
        return 0;
    TfsScript script;
    script.SetSyntaxType(languages[data[0] % 4]);
    script.SetLines(QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1)));
    if (!script.Compile())
        return 0;
    int statements = 0;
    script.OnRunLine = [&statements](TfsScript &running, const QString &, const QString &) {
        if (++statements > kStatementBudget)
            running.Terminate();
    };
    try {
        script.Execute();
    } catch (const TfsRuntimeError &) {
    } catch (const std::bad_alloc &) {
    }
    return 0;
}
