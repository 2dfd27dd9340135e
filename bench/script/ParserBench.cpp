// Parsing speed: a program of about 5,000 lines in each language turned into IL.
#include "TfsILContext.h"
#include "TfsILParser.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

// One routine of ordinary report code per language, repeated with numbered names.
const char *kPascalRoutine = R"(procedure Band%1OnBeforePrint(Sender: TfrxComponent);
var
  i, total: Integer;
  s: String;
begin
  total := 0;
  for i := 1 to 10 do
  begin
    if (i mod 2 = 0) and (i <> 4) then
      total := total + i * 2
    else
      total := total - 1;
  end;
  case total of
    1, 3..5: s := 'small';
    10: s := 'ten';
  else
    s := 'It''s ' + IntToStr(total);
  end;
  while total > 0 do total := total div 2;
  Memo%1.Text := s + <Data."Name"> + #13#10;
  try
    Memo%1.Visible := total >= 0;
  finally
    Inc(total);
  end;
end;

)";

const char *kCppRoutine = R"(void Band%1OnBeforePrint(TfrxComponent Sender)
{
  int i, total = 0;
  string s;
  for (i = 1; i <= 10; i++)
  {
    if ((i % 2 == 0) && (i != 4))
      total += i * 2;
    else
      total = total - 1;
  }
  switch (total)
  {
    case 1, 3..5: s = "small";
    case 10: s = "ten";
    default: s = "It's " + IntToStr(total);
  }
  while (total > 0) total = total / 2;
  Memo%1.Text = s + <Data."Name"> + "\r\n";
  try
  {
    Memo%1.Visible = total >= 0;
  }
  finally
  {
    total++;
  }
}

)";

const char *kBasicRoutine = "Sub Band%1OnBeforePrint(Sender)\r\n"
                            "  Dim i, total As Integer, s As String\r\n"
                            "  total = 0\r\n"
                            "  For i = 1 To 10\r\n"
                            "    If (i Mod 2 = 0) And (i <> 4) Then\r\n"
                            "      total = total + i * 2\r\n"
                            "    Else\r\n"
                            "      total = total - 1\r\n"
                            "    End If\r\n"
                            "  Next\r\n"
                            "  Select Case total\r\n"
                            "  Case 1, 3..5:\r\n"
                            "    s = \"small\"\r\n"
                            "  Case 10:\r\n"
                            "    s = \"ten\"\r\n"
                            "  Case Else:\r\n"
                            "    s = \"It's \" & IntToStr(total)\r\n"
                            "  End Select\r\n"
                            "  While total > 0\r\n"
                            "    total = total \\ 2\r\n"
                            "  Wend\r\n"
                            "  Memo%1.Text = s & <Data.\"Name\"> ' the data field\r\n"
                            "  Try\r\n"
                            "    Memo%1.Visible = total >= 0\r\n"
                            "  Finally\r\n"
                            "    total += 1\r\n"
                            "  End Try\r\n"
                            "End Sub\r\n"
                            "\r\n";

const char *kJsRoutine = R"(function Band%1OnBeforePrint(Sender)
{
  var i, total = 0, s;
  for (i = 1; i <= 10; i++)
  {
    if ((i % 2 == 0) && (i != 4))
      total += i * 2;
    else
      total = total - 1;
  }
  switch (total)
  {
    case 1, 3..5: s = "small";
    case 10: s = "ten";
    default: s = "It's " + IntToStr(total);
  }
  while (total > 0) total = total / 2;
  Memo%1.Text = s + <Data."Name"> + "\r\n";
  try
  {
    Memo%1.Visible = total >= 0;
  }
  finally
  {
    total++;
  }
}

)";

struct Language
{
    const char *name;
    const char *routine;
    const char *main; // the program's main part after the routines
};

const Language kLanguages[] = {
    {"PascalScript", kPascalRoutine, "begin\nend.\n"},
    {"C++Script", kCppRoutine, "{\n}\n"},
    {"BasicScript", kBasicRoutine, "\r\n"},
    {"JScript", kJsRoutine, "\n"},
};

QString makeProgram(const Language &language, int lines, int &actualLines)
{
    const QString routine = QString::fromUtf8(language.routine);
    QString program;
    int n = 0;
    while (program.count(u'\n') < lines)
        program += QString(routine).replace(QStringLiteral("%1"), QString::number(++n));
    program += QString::fromUtf8(language.main);
    actualLines = int(program.count(u'\n'));
    return program;
}

void BM_Parse(benchmark::State &state, int languageIndex)
{
    const Language &language = kLanguages[languageIndex];
    int lines = 0;
    const QString program = makeProgram(language, 5000, lines);
    for (auto _ : state) {
        TfsILContext context;
        TfsILParser parser(context);
        parser.SelectLanguage(QString::fromUtf8(language.name));
        if (!parser.MakeILScript(program)) {
            state.SkipWithError((context.ErrorMsg + u' ' + context.ErrorPos).toUtf8().constData());
            break;
        }
    }
    state.counters["lines"] = lines;
    state.counters["lines/s"] =
        benchmark::Counter(double(lines) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(program.size()) * 2 * int64_t(state.iterations()));
}

BENCHMARK_CAPTURE(BM_Parse, PascalScript, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Parse, CppScript, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Parse, BasicScript, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Parse, JScript, 3)->Unit(benchmark::kMillisecond);

} // namespace
