#pragma once
// What each direction and kind converts, written once: the type an entry gets, its source
// extensions and the result of each. The source tree's filter, the source test and the result
// names all come from this table.
#include "framework/CExtensionList.h"
#include "framework/CString.h"
#include "framework/MbcsText.h"
#include "shared/ConvertType.h"

struct ExtensionPair {
    const char* source;
    const char* result;
};

struct ConvertTypeRow {
    ConvertType nType;
    ConvertDirection nDirection;
    int nKind;                   // 0 word processor, 1 spreadsheet
    const char* pszDescription;  // the filter's description, before its patterns
    ExtensionPair extensions[2]; // the document, then the template: templates map to templates
};

// In type order, which is also direction-then-kind order.
constexpr ConvertTypeRow kConvertTypes[] = {
    {CT_QOR_TO_WORD, DIR_QOR_TO_OFFICE, 0, "Qor文件", {{".qor", ".doc"}, {".qot", ".dot"}}},
    // The LX description has always been followed by two blanks.
    {CT_LX_TO_EXCEL, DIR_QOR_TO_OFFICE, 1, "LX文件 ", {{".lx", ".xls"}, {".lxt", ".xlt"}}},
    {CT_WORD_TO_QOR, DIR_OFFICE_TO_QOR, 0, "Word文件", {{".doc", ".qor"}, {".dot", ".qot"}}},
    {CT_EXCEL_TO_LX, DIR_OFFICE_TO_QOR, 1, "Excel文件", {{".xls", ".lx"}, {".xlt", ".lxt"}}},
};

constexpr bool RowsInTypeOrder() {
    for (int i = 0; i < 4; ++i) {
        const ConvertTypeRow& row = kConvertTypes[i];
        if (row.nType != i + 1 ||
            row.nDirection != (i < 2 ? DIR_QOR_TO_OFFICE : DIR_OFFICE_TO_QOR) || row.nKind != i % 2)
            return false;
    }
    return true;
}
static_assert(RowsInTypeOrder(), "kConvertTypes is looked up by position");

// As the window reads its buttons: any direction but Qor-to-Office is Office-to-Qor, any kind
// but 0 is 1.
inline const ConvertTypeRow& ConvertRowOf(int nDirection, int nKind) {
    return kConvertTypes[(nDirection == DIR_QOR_TO_OFFICE ? 0 : 2) + (nKind == 0 ? 0 : 1)];
}

// What an entry added under a direction and kind converts.
inline int ConvertTypeOf(int nDirection, int nKind) {
    return ConvertRowOf(nDirection, nKind).nType;
}

// In open-file-dialog form: what the source tree lists and what counting an entry counts.
inline CString SourceFilterOf(int nDirection, int nKind) {
    const ConvertTypeRow& row = ConvertRowOf(nDirection, nKind);
    CString patterns = CString("*") + row.extensions[0].source + ";*" + row.extensions[1].source;
    return row.pszDescription + (" (" + patterns + ")|" + patterns + "||");
}

// The extensions a file of the type has; none for a value that is no type.
inline CExtensionList SourceExtensionsOf(int nType) {
    if (nType < CT_QOR_TO_WORD || nType > CT_EXCEL_TO_LX)
        return CExtensionList::FromList(nullptr);
    const ConvertTypeRow& row = kConvertTypes[nType - 1];
    return CExtensionList::FromList(CString(row.extensions[0].source) + "|" +
                                    row.extensions[1].source);
}

// The result extension of a source extension, whatever its type and case; "" for any other.
inline const char* ResultExtensionOf(const char* ext) {
    for (const ConvertTypeRow& row : kConvertTypes) {
        for (const ExtensionPair& pair : row.extensions) {
            if (mbcs::CompareNoCase(ext, pair.source) == 0)
                return pair.result;
        }
    }
    return "";
}
