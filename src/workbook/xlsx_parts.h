#pragma once
// Where the parts of an Office Open XML workbook are: the workbook part, its first worksheet,
// the shared strings and the styles, found through the package relationships as a spreadsheet
// program finds them (part names are never guessed).
#include "workbook/workbook_errors.h"

#include <string>

class ZipPackage;
namespace pugi {
class xml_document;
}

struct XlsxParts {
    std::string workbook;
    std::string sheet;          // the first worksheet
    std::string sharedStrings;  // empty when the workbook has none
    std::string styles;         // empty when the workbook has none
};

// NotAWorkbook when a relationship, the workbook part or the first worksheet is missing or damaged.
WorkbookStatus FindXlsxParts(const ZipPackage& package, XlsxParts& parts);

// Parses a small part. A DOCTYPE is skipped and never expanded: no external or recursive
// entities reach the reader.
bool ParseXlsxXml(pugi::xml_document& doc, const std::string& xml);
