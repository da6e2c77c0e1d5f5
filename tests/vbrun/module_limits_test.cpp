// What korva-vbrun does with modules at the edge of what it can take: module
// arrays that cannot be sized, long lines with an early error, expressions
// nested too deep, and the memory a large generated module takes to read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "vbrun/vb_program.h"

namespace korva {
namespace {

using testing::RunVb;
using testing::TempDir;

TEST(ModuleLimits, AnArrayThatCannotBeSizedIsReportedAtItsDeclarationInAModuleOrAProcedure) {
  const struct {
    const char* bounds;
    const char* error;
  } cases[] = {{"99999999999999999999", "error 6 en tiempo de ejecución: Desbordamiento"},
               {"-5", "error 9 en tiempo de ejecución: El subíndice está fuera del intervalo"},
               {"40000, 40000", "error 7 en tiempo de ejecución: Memoria insuficiente"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bounds);
    const std::string dim = std::string(" dim zz(") + c.bounds + ")";
    TempDir dir;
    // At module level, before Main runs: nothing of Main is done.
    auto out = RunVb(dir, dim + "\r\n Sub Main()\r\n MsgBox \"x\"\r\n End Sub\r\n");
    EXPECT_EQ(out.status, vbrun::kExitRunFailed);
    EXPECT_EQ(out.messages, "korva-vbrun: " + dir / "m.bas" + ", línea 1: " + c.error + "\n" +
                                "korva-vbrun:   en la instrucción: " + dim.substr(1) + "\n")
        << out.messages;
    EXPECT_TRUE(out.boxes.empty());
    // In a procedure called from Main, on the line of its Dim.
    out = RunVb(dir, " Sub Main()\r\n Helper\r\n End Sub\r\n Sub Helper()\r\n x = 1\r\n" + dim + "\r\n End Sub\r\n");
    EXPECT_EQ(out.status, vbrun::kExitRunFailed);
    EXPECT_EQ(out.messages.find("korva-vbrun: " + dir / "m.bas" + ", línea 6: " + c.error), 0u) << out.messages;
  }
  // An error handler of the caller takes the error of a procedure's array.
  TempDir dir;
  auto out = RunVb(dir,
                   " Sub Main()\r\n on error goto 10\r\n Helper\r\n end\r\n10 debug.print \"atrapado\"; err\r\n End Sub\r\n"
                   " Sub Helper()\r\n dim zz(-1)\r\n End Sub\r\n");
  EXPECT_EQ(out.status, vbrun::kExitFinished) << out.messages;
  EXPECT_EQ(out.debug, "atrapado 9 \n");
}

TEST(ModuleLimits, TheFirstErrorOfALongLineIsReportedWithoutReadingTheRest) {
  TempDir dir;
  // A misplaced token at column 8, then a text never closed and a character
  // that is no token: the first error is the one named.
  std::string line = " x = 1 2" + std::string(100000, '+') + " \"sin cerrar ?";
  auto out = RunVb(dir, " Sub Main()\r\n" + line + "\r\n End Sub\r\n");
  EXPECT_EQ(out.status, vbrun::kExitNotStarted);
  const std::string m = "korva-vbrun: " + dir / "m.bas";
  EXPECT_EQ(out.messages, m + ", línea 2, columna 8: error de sintaxis: se esperaba \":\" o el final de "
                          "la línea y hay \"2\"\n");
  // The errors further on are still found where they are first.
  out = RunVb(dir, " Sub Main()\r\n x = 1 + \"sin cerrar\r\n End Sub\r\n");
  EXPECT_EQ(out.messages, m + ", línea 2, columna 10: error de sintaxis: texto sin comillas de cierre\n");
  out = RunVb(dir, " Sub Main()\r\n x = 1 + y ? 2\r\n End Sub\r\n");
  EXPECT_EQ(out.messages, m + ", línea 2, columna 12: error de sintaxis: carácter no válido \"?\"\n");
}

TEST(ModuleLimits, AssignmentsAndCallsThatLookAlikeAreToldApart) {
  // "name(args)" starts an assignment or a call: it is read once and read again.
  TempDir dir;
  auto out = RunVb(dir,
                   " dim a(3)\r\n Sub Main()\r\n a(1 + 1) = 5: debug.print a(2): Sub2: Helper\r\n End Sub\r\n"
                   " Sub Helper()\r\n debug.print \"h\"\r\n End Sub\r\n Sub Sub2()\r\n debug.print \"s\"\r\n End Sub\r\n");
  EXPECT_EQ(out.status, vbrun::kExitFinished) << out.messages;
  EXPECT_EQ(out.debug, " 5 \ns\nh\n");
}

// A module run by korva-vbrun as a process of its own, reading nothing; the
// peak of its resident memory, in bytes. GNU time starts it and measures it:
// a child forked straight from this test process would count the pages it
// shares with it until its exec, so the peak would grow with whatever the
// tests before this one left in memory.
long PeakMemory(const std::string& module, std::string& said) {
  const std::string out = module + ".out";
  const std::string peakFile = module + ".peak";
  pid_t child = ::fork();
  if (child == 0) {
    int null = ::open("/dev/null", O_RDONLY);
    int file = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(null, 0);
    ::dup2(file, 1);
    ::dup2(file, 2);
    ::execl("/usr/bin/time", "/usr/bin/time", "-f", "%M", "-o", peakFile.c_str(), KORVA_VBRUN_BINARY, module.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  std::ifstream in(out, std::ios::binary);
  said = Utf8ToCp1252(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  // GNU time writes "Command exited with non-zero status N" first when it did.
  long kilobytes = -1;
  std::ifstream peak(peakFile);
  for (std::string line; std::getline(peak, line);) {
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) != 0) kilobytes = std::stol(line);
  }
  return kilobytes < 0 ? -1 : kilobytes * 1024L;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST(ModuleLimits, AGeneratedModuleIsReadInUnder40BytesPerByte) {
  if (kSanitized) GTEST_SKIP() << "the sanitizer's own memory hides the figure";
  TempDir dir;
  // Lines as a data-entry program writes them for each input, for 5,000 inputs (4 MB).
  std::string module = " defsng a-h, o-t, x-z:deflng i-n:defstr u-w\r\n Sub Main()\r\n ua = inputbox(\"?\")\r\n";
  for (int i = 1; i <= 5000; ++i) {
    const std::string id = "E" + std::to_string(10000 + i);
    const std::string n = std::to_string(1000000 + 60 * i);
    module += " " + n + "0 ub=\"" + id + " entrada numero " + std::to_string(i) + " [cval=0;ndim=0;\"\r\n";
    module += " " + n + "1 if nn<3 or ua=\"n\" then msgbox(ub)\r\n";
    module += " " + n + "2 if nn=1 or ua=\"n\" then " + id +
              "=inputbox(ub) else if nn<5 and uns<>\"\" and ua<>\"p\" and (uns<>unsa or nx=0) then line input "
              "#1,uc:input #1," + id + "\r\n";
    module += " " + n + "3 if nn=3 and uvc<>\"" + id + "\" goto " + n + "6\r\n";
    module += " " + n + "4 if nn=5 then print #2,ub: write #2," + id + ":goto " + n + "6\r\n";
    module += " " + n + "5 ua=inputbox(" + id +
              " & \"¿Desea seguir (), corregir (n), o volver al principio (p)?\"):if ua=\"p\" then nn=3:uvc=\"\" "
              "else if ua=\"n\" goto " + n + "0\r\n";
    module += " " + n + "6 " + id + " = " + id + " + 1\r\n";
  }
  module += " End Sub\r\n";
  dir.Write("big.bas", module);
  dir.Write("small.bas", " Sub Main()\r\n ua = inputbox(\"?\")\r\n End Sub\r\n");
  std::string said;
  const long base = PeakMemory(dir / "small.bas", said);
  const long peak = PeakMemory(dir / "big.bas", said);
  ASSERT_GT(base, 0);
  EXPECT_NE(said.find("la entrada se ha terminado"), std::string::npos) << said;
  EXPECT_LT(peak - base, 40L * static_cast<long>(module.size()))
      << (peak - base) / static_cast<double>(module.size()) << " bytes per byte of " << module.size();
}

TEST(ModuleLimits, NestingTooDeepIsASyntaxErrorFoundEarlyInTheLine) {
  TempDir dir;
  // 4 MB of "(": the error is found at the limit, reading no further.
  dir.Write("deep.bas", " Sub Main()\r\n x = " + std::string(4 << 20, '(') + "\r\n End Sub\r\n");
  std::string said;
  const long peak = PeakMemory(dir / "deep.bas", said);
  EXPECT_EQ(said, "korva-vbrun: " + dir / "deep.bas" + ", línea 2, columna 339: error de sintaxis: expresión demasiado compleja "
                  "(demasiados niveles anidados)\n");
  if (!kSanitized) {
    EXPECT_LT(peak, 64L << 20);
  }
}

}  // namespace
}  // namespace korva
