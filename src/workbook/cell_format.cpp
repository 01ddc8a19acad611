#include "workbook/cell_format.h"

bool CellFormat::empty() const
{
    return fontSize == 0 && bold < 0 && fillColour < 0 && hatching == Hatching::Keep && edges[0] == Unchanged
        && edges[1] == Unchanged && edges[2] == Unchanged && edges[3] == Unchanged && !textNumberFormat
        && numberFormat.empty();
}

void CellFormat::merge(const CellFormat& later)
{
    if (later.fontSize > 0)
        fontSize = later.fontSize;
    if (later.bold >= 0)
        bold = later.bold;
    if (later.fillColour >= 0)
        fillColour = later.fillColour;
    if (later.hatching != Hatching::Keep)
        hatching = later.hatching;
    for (int i = 0; i < 4; ++i) {
        if (later.edges[i] != Unchanged)
            edges[i] = later.edges[i];
    }
    textNumberFormat = textNumberFormat || later.textNumberFormat;
    if (!later.numberFormat.empty())
        numberFormat = later.numberFormat;
}

std::string CellFormat::key() const
{
    std::string k = std::to_string(fontSize) + '|' + std::to_string(bold) + '|' + std::to_string(fillColour) + '|'
        + std::to_string(int(hatching)) + '|';
    for (int8_t edge : edges)
        k += char('0' + edge);
    k += textNumberFormat ? 'T' : '-';
    k += numberFormat;
    return k;
}
