#pragma once
// The escapes of the workbook format for characters that XML text cannot carry as they are:
// "_xHHHH_" stands for the UTF-16 code unit HHHH (a carriage return is "_x000D_", a character
// outside the basic plane two escapes), and "_x005F_" for an underscore that would otherwise begin
// such an escape. Spreadsheet programs write them in shared strings, inline strings and string
// results; a reader that keeps them shows "_x000D_" where the line break was.
#include <string>
#include <string_view>

// The text with every escape decoded (UTF-8 in and out). An escape of a lone surrogate half stays
// as it is written.
std::string DecodeXlsxEscapes(std::string_view text);

// Appends the text as XML character data: markup characters as entities, a carriage return and the
// other control characters except tab and line feed as escapes, and an underscore that begins what
// reads as an escape as "_x005F_", so that DecodeXlsxEscapes gives the text back.
void AppendXlsxText(std::string& out, std::string_view text);
