// korva-vbrun: runs the Visual Basic modules korva writes (simulator,
// data-entry program, results program) without their compiler.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialogue/terminal_dialogue.h"
#include "files/file_system.h"
#include "files/temporaries.h"
#include "text/cp1252.h"
#include "vbrun/runner.h"

namespace {

const char* kUsage =
    "Uso: korva-vbrun [--seed N] MODULO.bas [MODULO.bas ...]\n"
    "\n"
    "Ejecuta el procedimiento Sub Main de los módulos de Visual Basic que escribe\n"
    "korva (simulador S<modelo>.bas, entrada de datos D<modelo>.bas, resultados\n"
    "R<modelo>.bas) en el directorio actual, sin su compilador.\n"
    "\n"
    "Las cajas de entrada y de mensaje se muestran en el terminal como en korva:\n"
    "cada respuesta es una línea de la entrada estándar, que puede venir de una\n"
    "tubería. Debug.Print escribe en la salida de errores. En un terminal, \"?\"\n"
    "o \"ayuda\" muestra la ayuda de la pregunta y la hace de nuevo.\n"
    "\n"
    "Opciones:\n"
    "  --seed N    Randomize sin argumento toma la semilla N en vez del reloj,\n"
    "              de modo que una ejecución se puede repetir\n"
    "  --help      muestra esta ayuda\n"
    "  --version   muestra la versión\n"
    "\n"
    "Estado de salida: 0 si el programa termina, 1 si se detiene por un error de\n"
    "ejecución o porque la entrada se acaba, 2 si no puede empezar (uso, módulo\n"
    "ilegible, error de sintaxis o de compilación).\n";

void Print(std::FILE* out, const std::string& cp1252) {
  std::string utf8 = korva::Cp1252ToUtf8(cp1252);
  std::fwrite(utf8.data(), 1, utf8.size(), out);
}

}  // namespace

int main(int argc, char** argv) {
  korva::vbrun::RunRequest request;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      Print(stdout, kUsage);
      return 0;
    } else if (options && arg == "--version") {
      std::printf("korva-vbrun %s\n", KORVA_VERSION);
      return 0;
    } else if (options && (arg == "--seed" || arg.starts_with("--seed="))) {
      std::string value = arg == "--seed" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(7);
      char* end = nullptr;
      double seed = std::strtod(value.c_str(), &end);
      if (value.empty() || end == nullptr || *end != '\0') {
        Print(stderr, "korva-vbrun: --seed necesita un número\n");
        return korva::vbrun::kExitNotStarted;
      }
      request.seed = seed;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      Print(stderr, "korva-vbrun: opción desconocida: " + korva::Utf8ToCp1252(arg) + " (pruebe --help)\n");
      return korva::vbrun::kExitNotStarted;
    } else {
      request.modules.push_back(korva::Utf8ToCp1252(arg));
    }
  }
  korva::TerminalDialogue dialogue = korva::TerminalDialogue::Standard();
  korva::RemoveTemporariesOnSignal();
  korva::FileSystem files;
  return korva::vbrun::RunModules(request, dialogue, files, stderr, stderr);
}
