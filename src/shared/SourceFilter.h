#pragma once
#include "shared/ConvertType.h"

// The source filter of a direction and kind (0 word processor, 1 spreadsheet), in
// open-file-dialog form: what the source tree lists and what counting an entry counts.
inline const char* SourceFilterOf(int nDirection, int nKind) {
    if (nDirection == DIR_QOR_TO_OFFICE)
        return nKind == 0 ? "Qor文件 (*.qor;*.qot)|*.qor;*.qot||"
                          : "LX文件  (*.lx;*.lxt)|*.lx;*.lxt||";
    return nKind == 0 ? "Word文件 (*.doc;*.dot)|*.doc;*.dot||"
                      : "Excel文件 (*.xls;*.xlt)|*.xls;*.xlt||";
}

// What an entry added under a direction and kind converts.
inline int ConvertTypeOf(int nDirection, int nKind) {
    if (nDirection == DIR_QOR_TO_OFFICE)
        return nKind == 0 ? CT_QOR_TO_WORD : CT_LX_TO_EXCEL;
    return nKind == 0 ? CT_WORD_TO_QOR : CT_EXCEL_TO_LX;
}
