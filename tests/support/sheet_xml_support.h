#pragma once
// Workbooks as other programs write them: a fixture saved by a spreadsheet program with its first
// worksheet replaced by the XML a test gives (formulas without results, error values, …).
#include <QString>
#include <string>

// The item form fixture with `sheetXml` as its first worksheet, saved at `path`.
bool SaveWorkbookWithSheet(const QString& path, const std::string& sheetXml);

// "<worksheet …><sheetData>" + rows + "</sheetData></worksheet>".
std::string SheetXml(const std::string& rows);
