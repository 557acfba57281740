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
    DocumentKind nKind;
    const char* pszDescription;  // the filter's description, before its patterns
    ExtensionPair extensions[2]; // the document, then the template: templates map to templates
};

// In type order, which is also direction-then-kind order. The LX description has always been
// followed by two blanks.
// clang-format off
constexpr ConvertTypeRow kConvertTypes[] = {
    {CT_QOR_TO_WORD, DIR_QOR_TO_OFFICE, KIND_DOCUMENT,    "Qor文件",   {{".qor", ".doc"}, {".qot", ".dot"}}},
    {CT_LX_TO_EXCEL, DIR_QOR_TO_OFFICE, KIND_SPREADSHEET, "LX文件 ",   {{".lx", ".xls"},  {".lxt", ".xlt"}}},
    {CT_WORD_TO_QOR, DIR_OFFICE_TO_QOR, KIND_DOCUMENT,    "Word文件",  {{".doc", ".qor"}, {".dot", ".qot"}}},
    {CT_EXCEL_TO_LX, DIR_OFFICE_TO_QOR, KIND_SPREADSHEET, "Excel文件", {{".xls", ".lx"},  {".xlt", ".lxt"}}},
};
// clang-format on

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
// but the document kind is the spreadsheet kind.
inline const ConvertTypeRow& ConvertRowOf(int nDirection, int nKind) {
    return kConvertTypes[(nDirection == DIR_QOR_TO_OFFICE ? 0 : 2) +
                         (nKind == KIND_DOCUMENT ? KIND_DOCUMENT : KIND_SPREADSHEET)];
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

// The row of a type; null for a value that is no type.
inline const ConvertTypeRow* ConvertRowOf(int nType) {
    return nType >= CT_QOR_TO_WORD && nType <= CT_EXCEL_TO_LX ? &kConvertTypes[nType - 1] : nullptr;
}

// The kind of a type, and so the application that converts it; -1 for a value that is no type.
inline int KindOfType(int nType) {
    const ConvertTypeRow* row = ConvertRowOf(nType);
    return row != nullptr ? row->nKind : -1;
}

// The extensions a file of the type has; none for a value that is no type.
inline CExtensionList SourceExtensionsOf(int nType) {
    const ConvertTypeRow* row = ConvertRowOf(nType);
    if (row == nullptr)
        return CExtensionList::FromList(nullptr);
    return CExtensionList::FromList(CString(row->extensions[0].source) + "|" +
                                    row->extensions[1].source);
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
