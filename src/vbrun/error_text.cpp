#include "vbrun/vb_error.h"

namespace korva::vbrun {

std::string ErrorDescription(int number) {
  switch (number) {
    case 3:
      return "Return sin GoSub";
    case 5:
      return "Llamada a procedimiento o argumento no válidos";
    case 6:
      return "Desbordamiento";
    case 7:
      return "Memoria insuficiente";
    case 9:
      return "El subíndice está fuera del intervalo";
    case 11:
      return "División por cero";
    case 13:
      return "No coinciden los tipos";
    case 20:
      return "Resume sin error";
    case 28:
      return "Espacio de pila insuficiente";
    case 52:
      return "Nombre o número de archivo incorrecto";
    case 53:
      return "No se ha encontrado el archivo";
    case 54:
      return "Modo de archivo incorrecto";
    case 55:
      return "El archivo ya está abierto";
    case 57:
      return "Error de E/S en el dispositivo";
    case 58:
      return "El archivo ya existe";
    case 59:
      return "Longitud de registro incorrecta";
    case 61:
      return "Disco lleno";
    case 62:
      return "La entrada ha sobrepasado el final del archivo";
    case 63:
      return "Número de registro incorrecto";
    case 67:
      return "Demasiados archivos";
    case 68:
      return "Dispositivo no disponible";
    case 70:
      return "Permiso denegado";
    case 71:
      return "El disco no está preparado";
    case 75:
      return "Error de acceso a ruta o archivo";
    case 76:
      return "No se ha encontrado la ruta de acceso";
    default:
      return "Error definido por la aplicación o el objeto";
  }
}

}  // namespace korva::vbrun
