#pragma once
// The four shapes of a workbook operation: a new output from the template, a reused output,
// reading an import workbook and opening one for the user, and the two ways to finish.
#include "workbook/workbook.h"

#include <memory>

class DesktopHandover;

// 0 when `path` may be written: its folder exists (else PathNotFound), no spreadsheet program
// holds it ("~$NAME" or ".~lock.NAME#" beside it) and it is not read-only (else InUse).
WorkbookStatus CheckOutputTarget(const QString& path);

// The template's content as a new workbook to be saved at `outputPath` (replacing a file of
// that name when finished). FileNotFound when the template is missing.
WorkbookStatus OpenOutputFromTemplate(const QString& templatePath, const QString& outputPath,
                                      std::unique_ptr<Workbook>& workbook);
// An existing output is opened as it is; otherwise as OpenOutputFromTemplate.
WorkbookStatus OpenReusableOutput(const QString& templatePath, const QString& outputPath,
                                  std::unique_ptr<Workbook>& workbook);
WorkbookStatus OpenForReading(const QString& path, std::unique_ptr<Workbook>& workbook);
// Hands the workbook file to the user's spreadsheet program as it is.
WorkbookStatus OpenForEditing(const QString& path, DesktopHandover& desktop);

// Saves the workbook and hands it to the user's spreadsheet program; the workbook is released.
WorkbookStatus FinishForUser(std::unique_ptr<Workbook>& workbook, DesktopHandover& desktop);
// Releases a workbook that was only read.
void FinishAfterReading(std::unique_ptr<Workbook>& workbook);
