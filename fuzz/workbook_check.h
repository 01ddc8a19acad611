#pragma once
// The whole life of an Office Open XML workbook the program reads: load from bytes, read every
// cell, give some cells a format, save, load the saved file again and compare.
#include <QByteArray>

void CheckXlsxBytes(const QByteArray& bytes);
