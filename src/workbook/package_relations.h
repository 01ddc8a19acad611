#pragma once
// Finding the parts of an Office Open XML package through its relationships.
#include <string>

namespace pugi {
class xml_node;
}

// The part name a relationship target points to, seen from the part `source`.
std::string ResolvePartName(const std::string& source, const std::string& target);
// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationsPartName(const std::string& part);
// The element name without its namespace prefix.
const char* LocalName(const pugi::xml_node& node);
// The first child element with the local name.
pugi::xml_node ChildNamed(const pugi::xml_node& node, const char* localName);
