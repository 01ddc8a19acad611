#pragma once
// Windows colour values (red + 256 × green + 65536 × blue) of the ledger screen's grids and
// marks. The screens turn them into colours with colourFromWindows().
#include <QString>
#include <QtGlobal>

namespace LedgerColour {
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 CaptionBlue = 15128749;     // RGB 173, 216, 230: captions and every second row
inline constexpr quint32 TotalBlush = 16118015;      // RGB 255, 240, 245: the totals of the month table
inline constexpr quint32 ZeroStock = 13353215;       // RGB 255, 192, 203: stock 0 (or far below it)
inline constexpr quint32 BelowProper = 16764108;     // RGB 204, 204, 255: stock below the proper stock
inline constexpr quint32 ModeCaption = 12632319;     // RGB 255, 192, 192: mode caption and backup mark
}

// The colour of a stock cell from its stored texts, as a list page or a freshly filled edit
// frame shows it: no stock, the window background; stock 0 or below -1, light pink; otherwise
// light blue-violet when below the proper stock, else the window background. (-1 itself is
// compared with the proper stock like any other value.)
quint32 StockCellColour(const QString& stock, const QString& properStock);
