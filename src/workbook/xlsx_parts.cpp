#include "workbook/xlsx_parts.h"

#include "workbook/package_relations.h"
#include "workbook/zip_package.h"

#include <cstring>
#include <pugixml.hpp>

namespace {

WorkbookStatus damaged(const char* what)
{
    return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
}

bool endsWith(const char* text, const char* suffix)
{
    const size_t a = std::strlen(text), b = std::strlen(suffix);
    return a >= b && std::strcmp(text + a - b, suffix) == 0;
}

// Target of the first relationship of `part` whose type ends with `typeSuffix` (or has `id`).
std::string relationTarget(const pugi::xml_document& rels, const std::string& part, const char* typeSuffix,
                           const char* id = nullptr)
{
    for (pugi::xml_node rel : ChildNamed(rels, "Relationships").children()) {
        if (std::strcmp(LocalName(rel), "Relationship") != 0)
            continue;
        const bool match = id ? std::strcmp(rel.attribute("Id").value(), id) == 0
                              : endsWith(rel.attribute("Type").value(), typeSuffix);
        if (match && std::strcmp(rel.attribute("TargetMode").value(), "External") != 0)
            return ResolvePartName(part, rel.attribute("Target").value());
    }
    return {};
}

} // namespace

bool ParseXlsxXml(pugi::xml_document& doc, const std::string& xml)
{
    return bool(doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single));
}

WorkbookStatus FindXlsxParts(const ZipPackage& package, XlsxParts& parts)
{
    WorkbookStatus status;
    auto readXml = [&](const std::string& name, pugi::xml_document& doc) {
        const auto text = package.read(name, status);
        return text && ParseXlsxXml(doc, *text);
    };
    pugi::xml_document rootRels, workbookXml, workbookRels;
    if (!readXml("_rels/.rels", rootRels))
        return status ? damaged("package relations") : status;
    parts.workbook = relationTarget(rootRels, std::string(), "/officeDocument");
    if (parts.workbook.empty() || !readXml(parts.workbook, workbookXml))
        return status ? damaged("workbook part") : status;
    if (!readXml(RelationsPartName(parts.workbook), workbookRels))
        return status ? damaged("workbook relations") : status;

    pugi::xml_node firstSheet = ChildNamed(ChildNamed(ChildNamed(workbookXml, "workbook"), "sheets"), "sheet");
    std::string sheetId;
    for (pugi::xml_attribute a : firstSheet.attributes()) {
        if (endsWith(a.name(), ":id"))
            sheetId = a.value();
    }
    parts.sheet = sheetId.empty() ? std::string() : relationTarget(workbookRels, parts.workbook, "", sheetId.c_str());
    if (parts.sheet.empty() || !package.has(parts.sheet))
        return damaged("first worksheet");
    parts.sharedStrings = relationTarget(workbookRels, parts.workbook, "/sharedStrings");
    if (!package.has(parts.sharedStrings))
        parts.sharedStrings.clear();
    parts.styles = relationTarget(workbookRels, parts.workbook, "/styles");
    return WorkbookStatus::success();
}
