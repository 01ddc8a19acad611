#pragma once
// The cell formats of a workbook (xl/styles.xml). A format the program asks for is derived from
// the cell's own format: a copy of its font, fill or border with the change, appended to the
// table, so the formats already in the workbook stay as they are.
#include "workbook/cell_format.h"

#include <pugixml.hpp>
#include <map>
#include <string>

class StyleTable {
public:
    // Parses styles.xml; an empty text starts a minimal table. False for malformed XML.
    bool load(const std::string& xml);
    // The cell format index for `base` with `change` applied (base when the change is empty).
    int resolve(int base, const CellFormat& change);
    bool changed() const { return m_changed; }
    std::string save() const;

private:
    pugi::xml_node section(const char* name);
    int append(pugi::xml_node list, pugi::xml_node item);
    int derivedFont(int base, const CellFormat& change);
    int derivedFill(int base, const CellFormat& change);
    int derivedBorder(int base, const CellFormat& change);
    int numberFormatId(const std::string& code);

    pugi::xml_document m_doc;
    std::map<std::string, int> m_cache;
    bool m_changed = false;
};

// "FFRRGGBB" for a Windows colour value (red + 256 × green + 65536 × blue).
std::string ArgbForWindowsColour(long long colour);
