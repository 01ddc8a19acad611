#include "workbook/style_table.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {
// The order of the sections of a style sheet; a missing one goes in before the next present.
const char* const SectionOrder[] = {"numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs",
                                    "cellStyles", "dxfs", "tableStyles", "colors", "extLst"};
const char* const FontOrder[] = {"b", "i", "strike", "condense", "extend", "outline", "shadow", "u",
                                 "vertAlign", "sz", "color", "name", "family", "charset", "scheme"};
const char* const EdgeNames[] = {"left", "top", "bottom", "right"};
const char* const BorderOrder[] = {"start", "left", "end", "right", "top", "bottom", "diagonal", "vertical", "horizontal"};

template <size_t N>
pugi::xml_node insertInOrder(pugi::xml_node parent, const char* name, const char* const (&order)[N])
{
    size_t position = 0;
    while (position < N && std::string(order[position]) != name)
        ++position;
    for (size_t later = position + 1; later < N; ++later) {
        if (pugi::xml_node next = parent.child(order[later]))
            return parent.insert_child_before(name, next);
    }
    return parent.append_child(name);
}

pugi::xml_node nth(pugi::xml_node list, int index)
{
    int i = 0;
    for (pugi::xml_node item = list.first_child(); item; item = item.next_sibling()) {
        if (item.type() != pugi::node_element)
            continue;
        if (i++ == index)
            return item;
    }
    return {};
}

void setAttribute(pugi::xml_node node, const char* name, const char* value)
{
    pugi::xml_attribute a = node.attribute(name);
    if (!a)
        a = node.append_attribute(name);
    a.set_value(value);
}
} // namespace

std::string ArgbForWindowsColour(long long colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "FF%02X%02X%02X", unsigned(colour & 0xFF), unsigned((colour >> 8) & 0xFF),
                  unsigned((colour >> 16) & 0xFF));
    return text;
}

bool StyleTable::load(const std::string& xml)
{
    if (xml.empty()) {
        m_doc.load_string(
            "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
            "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
            "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
            "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
            "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
            "</styleSheet>");
        m_changed = true;
        return true;
    }
    return bool(m_doc.load_buffer(xml.data(), xml.size(), pugi::parse_default)) && m_doc.child("styleSheet");
}

pugi::xml_node StyleTable::section(const char* name)
{
    pugi::xml_node sheet = m_doc.child("styleSheet");
    if (pugi::xml_node found = sheet.child(name))
        return found;
    return insertInOrder(sheet, name, SectionOrder);
}

int StyleTable::append(pugi::xml_node list, pugi::xml_node item)
{
    int count = 0;
    for (pugi::xml_node n = list.first_child(); n; n = n.next_sibling())
        count += n.type() == pugi::node_element;
    list.append_copy(item);
    setAttribute(list, "count", std::to_string(count + 1).c_str());
    m_changed = true;
    return count;
}

int StyleTable::derivedFont(int base, const CellFormat& change)
{
    pugi::xml_document scratch;
    pugi::xml_node font = scratch.append_copy(nth(section("fonts"), base));
    if (!font)
        font = scratch.append_child("font");
    if (change.bold >= 0) {
        font.remove_child("b");
        if (change.bold > 0)
            insertInOrder(font, "b", FontOrder);
    }
    if (change.fontSize > 0) {
        pugi::xml_node sz = font.child("sz");
        if (!sz)
            sz = insertInOrder(font, "sz", FontOrder);
        std::ostringstream size;
        size << change.fontSize;
        setAttribute(sz, "val", size.str().c_str());
    }
    return append(section("fonts"), font);
}

int StyleTable::derivedFill(int base, const CellFormat& change)
{
    (void)base;
    pugi::xml_document scratch;
    pugi::xml_node pattern = scratch.append_child("fill").append_child("patternFill");
    if (change.hatching != Hatching::Keep) {
        pattern.append_attribute("patternType") = change.hatching == Hatching::Dark ? "darkUp" : "lightUp";
        pattern.append_child("fgColor").append_attribute("rgb") = "FF000000";
        if (change.fillColour >= 0)
            pattern.append_child("bgColor").append_attribute("rgb") = ArgbForWindowsColour(change.fillColour).c_str();
    } else {
        pattern.append_attribute("patternType") = "solid";
        pattern.append_child("fgColor").append_attribute("rgb") = ArgbForWindowsColour(change.fillColour).c_str();
        pattern.append_child("bgColor").append_attribute("indexed") = "64";
    }
    return append(section("fills"), scratch.first_child());
}

int StyleTable::derivedBorder(int base, const CellFormat& change)
{
    pugi::xml_document scratch;
    pugi::xml_node border = scratch.append_copy(nth(section("borders"), base));
    if (!border)
        border = scratch.append_child("border");
    for (int edge = 0; edge < 4; ++edge) {
        if (change.edges[edge] == CellFormat::Unchanged)
            continue;
        pugi::xml_node side = border.child(EdgeNames[edge]);
        if (!side)
            side = insertInOrder(border, EdgeNames[edge], BorderOrder);
        side.remove_attribute("style");
        side.remove_children();
        if (change.edges[edge] == CellFormat::Thin) {
            side.append_attribute("style") = "thin";
            side.append_child("color").append_attribute("indexed") = "64";
        }
    }
    return append(section("borders"), border);
}

int StyleTable::numberFormatId(const std::string& code)
{
    pugi::xml_node list = section("numFmts");
    int highest = 163; // ids from 164 on are the workbook's own
    for (pugi::xml_node format : list.children("numFmt")) {
        if (code == format.attribute("formatCode").value())
            return format.attribute("numFmtId").as_int();
        highest = std::max(highest, format.attribute("numFmtId").as_int());
    }
    pugi::xml_node format = list.append_child("numFmt");
    format.append_attribute("numFmtId") = highest + 1;
    format.append_attribute("formatCode") = code.c_str();
    int count = 0;
    for (pugi::xml_node n : list.children("numFmt"))
        count += bool(n);
    setAttribute(list, "count", std::to_string(count).c_str());
    m_changed = true;
    return highest + 1;
}

int StyleTable::resolve(int base, const CellFormat& change)
{
    if (change.empty())
        return base;
    const std::string key = std::to_string(base) + '#' + change.key();
    if (auto it = m_cache.find(key); it != m_cache.end())
        return it->second;

    pugi::xml_document scratch;
    pugi::xml_node xf = scratch.append_copy(nth(section("cellXfs"), base));
    if (!xf) {
        xf = scratch.append_child("xf");
        for (const char* name : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
            xf.append_attribute(name) = "0";
    }
    if (change.fontSize > 0 || change.bold >= 0) {
        setAttribute(xf, "fontId", std::to_string(derivedFont(xf.attribute("fontId").as_int(), change)).c_str());
        setAttribute(xf, "applyFont", "1");
    }
    if (change.fillColour >= 0 || change.hatching != Hatching::Keep) {
        setAttribute(xf, "fillId", std::to_string(derivedFill(xf.attribute("fillId").as_int(), change)).c_str());
        setAttribute(xf, "applyFill", "1");
    }
    bool edges = false;
    for (int8_t edge : change.edges)
        edges = edges || edge != CellFormat::Unchanged;
    if (edges) {
        setAttribute(xf, "borderId", std::to_string(derivedBorder(xf.attribute("borderId").as_int(), change)).c_str());
        setAttribute(xf, "applyBorder", "1");
    }
    if (change.textNumberFormat) {
        setAttribute(xf, "numFmtId", "49");
        setAttribute(xf, "applyNumberFormat", "1");
    } else if (!change.numberFormat.empty()) {
        setAttribute(xf, "numFmtId", std::to_string(numberFormatId(change.numberFormat)).c_str());
        setAttribute(xf, "applyNumberFormat", "1");
    }
    const int index = append(section("cellXfs"), xf);
    m_cache.emplace(key, index);
    return index;
}

std::string StyleTable::save() const
{
    std::ostringstream out;
    m_doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + out.str();
}
