#pragma once
// Where a client keeps its program folder, and the first-run seeding of that folder from the
// shipped resources.
#include "storage/io_result.h"

#include <QDate>
#include <QString>

// The client folder: `override` (TEV_CLIENT_FOLDER or --client-folder) when given; else the
// executable's folder when it holds the client settings file (a portable install); else the
// per-user data folder. Normalised, absolute.
QString ResolveClientFolder(const QString& override, const QString& executableFolder);

// The shipped program-folder content: beside the executable (build tree) or in the installed
// data folder. Empty when none is found.
QString FindResourcesFolder(const QString& executableFolder);

// Fills a client folder with what it lacks: the shipped files and folders are copied where
// missing; a missing client settings file is written with the folder itself as data folder;
// the shipped shared settings get the first month of the current fiscal year (April).
IoResult SeedClientFolder(const QString& clientFolder, const QString& resourcesFolder, const QDate& today);

// "yyyy/04" of the fiscal year (April to March) that holds `today`.
QString FiscalYearStartMonth(const QDate& today);
