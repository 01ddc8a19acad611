#pragma once
// One line of `tev-cli dump`: the record number, text[0..11] and the received and issued
// quantities of columns 1..15, separated by tabs and ended by a line feed.
#include <QString>

class ItemRecord;

QString DumpLine(int recordNo, const ItemRecord& record);
