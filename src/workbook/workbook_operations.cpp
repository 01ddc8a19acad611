#include "workbook/workbook_operations.h"

#include "storage/desktop_handover.h"

#include <QDir>
#include <QFileInfo>

WorkbookStatus CheckOutputTarget(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.dir();
    if (!folder.exists())
        return WorkbookStatus::failure(WorkbookError::PathNotFound, QStringLiteral("output folder missing"));
    const QString name = info.fileName();
    for (const QString& lock : {QStringLiteral("~$") + name, QStringLiteral(".~lock.") + name + u'#'}) {
        if (QFileInfo::exists(folder.filePath(lock)))
            return WorkbookStatus::failure(WorkbookError::InUse, QStringLiteral("open in a spreadsheet program"));
    }
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return WorkbookStatus::failure(WorkbookError::AccessDenied, QStringLiteral("target is read-only or not a file"));
    // The workbook is written beside its target first: the folder must take new files.
    if (!QFileInfo(folder.path()).isWritable())
        return WorkbookStatus::failure(WorkbookError::AccessDenied, QStringLiteral("output folder is read-only"));
    return WorkbookStatus::success();
}

WorkbookStatus OpenOutputFromTemplate(const QString& templatePath, const QString& outputPath,
                                      std::unique_ptr<Workbook>& workbook)
{
    workbook.reset();
    const QFileInfo templateInfo(templatePath);
    if (!templateInfo.dir().exists())
        return WorkbookStatus::failure(WorkbookError::PathNotFound, QStringLiteral("template folder missing"));
    if (!templateInfo.exists())
        return WorkbookStatus::failure(WorkbookError::FileNotFound, QStringLiteral("template missing"));
    if (WorkbookStatus target = CheckOutputTarget(outputPath); !target)
        return target;
    WorkbookStatus status;
    workbook = Workbook::load(templatePath, status);
    if (!status)
        return status;
    if (workbook->format() != Workbook::Format::Xlsx) {
        workbook.reset();
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("template is not .xlsx"));
    }
    workbook->setPath(outputPath);
    return status;
}

WorkbookStatus OpenReusableOutput(const QString& templatePath, const QString& outputPath,
                                  std::unique_ptr<Workbook>& workbook)
{
    if (!QFileInfo::exists(outputPath))
        return OpenOutputFromTemplate(templatePath, outputPath, workbook);
    workbook.reset();
    if (WorkbookStatus target = CheckOutputTarget(outputPath); !target)
        return target;
    WorkbookStatus status;
    workbook = Workbook::load(outputPath, status);
    if (status && workbook->format() != Workbook::Format::Xlsx) {
        workbook.reset();
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("output is not .xlsx"));
    }
    return status;
}

WorkbookStatus OpenForReading(const QString& path, std::unique_ptr<Workbook>& workbook)
{
    WorkbookStatus status;
    workbook = Workbook::load(path, status);
    if (workbook)
        workbook->ScreenUpdating = false;
    return status;
}

WorkbookStatus OpenForEditing(const QString& path, DesktopHandover& desktop)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return WorkbookStatus::failure(WorkbookError::PathNotFound, QStringLiteral("folder missing"));
    if (!info.exists())
        return WorkbookStatus::failure(WorkbookError::FileNotFound, QStringLiteral("workbook missing"));
    if (!desktop.open(info.absoluteFilePath()))
        return WorkbookStatus::failure(WorkbookError::DesktopRefused, QStringLiteral("no program took the workbook"));
    return WorkbookStatus::success();
}

WorkbookStatus FinishForUser(std::unique_ptr<Workbook>& workbook, DesktopHandover& desktop)
{
    if (!workbook)
        return WorkbookStatus::failure(WorkbookError::Internal, QStringLiteral("no workbook"));
    workbook->ScreenUpdating = true;
    workbook->EnableEvents = true;
    workbook->Visible = true;
    const QString path = workbook->path();
    WorkbookStatus status = workbook->save();
    workbook.reset();
    if (!status)
        return status;
    if (!desktop.open(QFileInfo(path).absoluteFilePath()))
        return WorkbookStatus::failure(WorkbookError::DesktopRefused, QStringLiteral("no program took the workbook"));
    return status;
}

void FinishAfterReading(std::unique_ptr<Workbook>& workbook)
{
    if (workbook) {
        workbook->ScreenUpdating = true;
        workbook->Visible = false;
    }
    workbook.reset();
}
