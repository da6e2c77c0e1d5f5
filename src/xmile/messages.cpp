#include "xmile/messages.h"

namespace korva::xmile {

const char* XmileUsage() {
  return "Uso: korva-xmile importar MODELO.xmile DIRECTORIO [-n NOMBRE] [-r N]\n"
         "     korva-xmile simular MODELO.xmile [-o RESULTADOS.csv] [-d DIRECTORIO]\n"
         "     korva-xmile exportar DIRECTORIO NOMBRE [-o MODELO.xmile]\n"
         "\n"
         "Lleva modelos en XMILE 1.0 (el formato de intercambio de la dinámica de\n"
         "sistemas) a korva y de korva a XMILE.\n"
         "\n"
         "  importar  escribe en DIRECTORIO los ficheros L, C y G del modelo, el fichero\n"
         "            de datos DATOS1.txt y el fichero de respuestas Modelo<N>.txt, que\n"
         "            korva -d DIRECTORIO -r N reproduce sin preguntar para escribir los\n"
         "            tres programas. Dice a qué identificador lleva cada variable.\n"
         "            -n NOMBRE: el nombre del modelo en korva (una palabra; por defecto,\n"
         "            las letras del nombre del fichero); -r N: el número del fichero de\n"
         "            respuestas, de 0 a 9 (1 por defecto).\n"
         "  simular   importa el modelo, construye sus programas con korva, los ejecuta\n"
         "            con el intérprete de korva-vbrun y escribe los resultados en CSV:\n"
         "            Time y una columna por variable, una fila por cada save_step (o dt)\n"
         "            desde start hasta stop. -o: el fichero CSV (por defecto, la salida\n"
         "            estándar); -d: el directorio de trabajo, que se conserva (por\n"
         "            defecto, uno temporal que se borra).\n"
         "  exportar  escribe el modelo NOMBRE de DIRECTORIO (sus ficheros L, C, G o F, M,\n"
         "            los datos y el control de una simulación si los hay) como XMILE 1.0.\n"
         "            -o: el fichero XMILE (por defecto, NOMBRE.xmile en DIRECTORIO).\n"
         "\n"
         "Opciones:\n"
         "  --help      muestra esta ayuda\n"
         "  --version   muestra la versión\n"
         "\n"
         "Estado de salida: 0 si todo ha ido bien; 1 si falla la escritura de un fichero\n"
         "o la ejecución de un programa; 2 si los argumentos no son válidos o el fichero\n"
         "no es un modelo que se pueda llevar (cada construcción que no se admite se\n"
         "nombra, con su variable, y no se deja ningún fichero).\n";
}

std::string XmileVersion() { return std::string("korva-xmile ") + KORVA_VERSION; }

std::vector<std::string> RefusalReport(const std::string& file, const std::vector<std::string>& problems) {
  std::vector<std::string> lines;
  lines.push_back("No se puede importar " + file + ":");
  for (const std::string& problem : problems) lines.push_back("  " + problem);
  return lines;
}

std::string MappingHead(const std::string& file, const std::string& directory, const std::string& modelName,
                        int idLength) {
  return "Modelo " + file + " importado en " + directory + " como " + modelName + " (identificadores de " +
         std::to_string(idLength) + " caracteres):";
}

}  // namespace korva::xmile
