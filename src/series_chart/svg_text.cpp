#include "series_chart/svg_text.h"

#include <pugixml.hpp>

namespace korva {

std::optional<std::string> KeepTextAsCharacters(const std::string& hostPath, const std::string& title) {
  pugi::xml_document document;
  pugi::xml_parse_result parsed = document.load_file(hostPath.c_str(), pugi::parse_default | pugi::parse_doctype);
  if (!parsed) return "El gráfico que ha escrito PLplot no es un SVG legible: " + std::string(parsed.description());
  pugi::xml_node svg = document.child("svg");
  if (!svg) return std::string("El gráfico que ha escrito PLplot no tiene elemento svg.");
  svg.prepend_child("title").text().set(title.c_str());
  if (!document.save_file(hostPath.c_str(), "  ", pugi::format_default, pugi::encoding_utf8)) {
    return "No puedo reescribir el gráfico " + hostPath + ".";
  }
  return std::nullopt;
}

}  // namespace korva
