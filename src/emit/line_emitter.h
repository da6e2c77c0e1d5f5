#pragma once
// The one place that knows how generated Visual Basic lines are made: the
// double quote, the numbered lines (the number-to-text rule gives " 140";
// lines of the fixed parts carry the number without blank: "230"), and the
// writing of fixed templates.
#include <string>
#include <string_view>

#include "emit/templates.h"
#include "files/file_system.h"

namespace korva {

constexpr char QuoteChar = '"';

// The text between double quotes.
std::string Quoted(std::string_view text);

// " 140" + text: a line numbered by the number-to-text rule.
std::string NumberedLine(long long number, std::string_view text);
// "230" + text: a line numbered without leading blank.
std::string PlainNumberedLine(long long number, std::string_view text);

// Writes every line of a template, its "$NAME$" markers replaced.
void EmitTemplate(OutputFile& out, std::string_view name, const TemplateValues& values = {});

}  // namespace korva
