#include "dispatch/command_line.h"

#include <charconv>

#ifndef KORVA_VERSION
#define KORVA_VERSION "0.0"
#endif

namespace korva {
namespace {

// The value of an option given as "--name=value", "--name value" or "-x value".
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& longName,
               const std::string& shortName, std::string& value, bool& matched) {
  const std::string& arg = args[i];
  matched = false;
  if (arg.starts_with(longName + "=")) {
    matched = true;
    value = arg.substr(longName.size() + 1);
    return true;
  }
  if (arg != longName && arg != shortName) return true;
  matched = true;
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (size_t i = 0; i < args.size() && line.Error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help" || arg == "--ayuda") {
      line.Help = true;
      continue;
    }
    if (arg == "--version") {
      line.Version = true;
      continue;
    }
    std::string value;
    bool matched = false;
    if (!TakeValue(args, i, "--directorio", "-d", value, matched)) {
      line.Error = "la opción " + arg + " necesita un directorio";
      break;
    }
    if (matched) {
      line.WorkDir = value;
      continue;
    }
    if (!TakeValue(args, i, "--respuestas", "-r", value, matched)) {
      line.Error = "la opción " + arg + " necesita un número de 0 a 9";
      break;
    }
    if (matched) {
      int number = -1;
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (ec != std::errc() || end != value.data() + value.size() || number < 0 || number > 9) {
        line.Error = "el número del fichero de respuestas debe ir de 0 a 9, no «" + value + "»";
        break;
      }
      line.LogNumber = number;
      continue;
    }
    line.Error = arg.starts_with("-") ? "opción desconocida: " + arg : "argumento de más: " + arg;
  }
  return line;
}

const char* KorvaUsage() {
  return "Uso: korva [-d DIRECTORIO] [-r N]\n"
         "\n"
         "Le guía con preguntas, en castellano, en la construcción de un modelo de\n"
         "simulación: lista de elementos, matriz de conexiones, orden de cálculo,\n"
         "ecuaciones y los programas en Visual Basic 6 del simulador, de la entrada de\n"
         "datos y de los resultados (korva-vbrun los ejecuta). Cada respuesta queda en\n"
         "el fichero de respuestas MODELO<N>.txt del directorio de trabajo, que otra\n"
         "sesión puede repetir.\n"
         "\n"
         "Opciones:\n"
         "  -d, --directorio DIR  directorio de trabajo: no se pregunta\n"
         "  -r, --respuestas N    número (0 a 9) del fichero de respuestas del primer\n"
         "                        ciclo: no se pregunta (los ciclos siguientes, sí)\n"
         "  -h, --help            muestra esta ayuda\n"
         "      --version         muestra la versión\n"
         "\n"
         "Sin opciones, korva pregunta ambas cosas al empezar. Las preguntas se\n"
         "contestan con una línea; una línea vacía es la respuesta vacía."
#ifdef KORVA_HAVE_LIBEDIT
         " En un\n"
         "terminal las respuestas se pueden editar y recuperar con las flechas."
#endif
         "\n"
         "En un terminal, \"?\" o \"ayuda\" muestra qué pide una pregunta y cómo\n"
         "contestarla, y la hace de nuevo.\n"
         "\n"
         "Estado de salida: 0 si el diálogo termina por sí mismo o con una respuesta\n"
         "\"t\"; 1 si se detiene por un error del que ha avisado o porque la entrada se\n"
         "acaba; 2 si las opciones no son válidas.\n";
}

std::string KorvaVersion() { return std::string("korva ") + KORVA_VERSION; }

}  // namespace korva
