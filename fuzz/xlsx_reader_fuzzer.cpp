// The Office Open XML reader on whole files: the zip container, the parts and the sheet.
#include "fuzz_support.h"
#include "workbook_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckXlsxBytes(FuzzBytes(data, size));
    return 0;
}
