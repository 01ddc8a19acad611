#pragma once
// Messages shared by the settings panels that store typed values: the refusal of a character
// the settings-file format cannot hold, and a write that failed.
#include "storage/io_result.h"

#include <QString>

// Title of the panels' confirmations and notices.
QString SettingsConfirmTitle();
// Title of a failed write.
QString SettingsErrorTitle();

// `what` (the kind of value) may not contain a double quote: it would end the quoted value of
// its line in the file.
QString DoubleQuoteRefusedMessage(const QString& what);
// The failing file and the reason, with the note that nothing was registered.
QString SettingsWriteFailedMessage(const IoResult& io);
