#pragma once

// What an entry converts; 1 and 3 go through the word processor, 2 and 4 the spreadsheet.
enum ConvertType : int {
    CT_QOR_TO_WORD = 1, // .qor/.qot to .doc/.dot
    CT_LX_TO_EXCEL = 2, // .lx/.lxt to .xls/.xlt
    CT_WORD_TO_QOR = 3, // .doc/.dot to .qor/.qot
    CT_EXCEL_TO_LX = 4, // .xls/.xlt to .lx/.lxt
};

// Document kinds, chosen with the two radio buttons; also the application that serves a kind.
enum DocumentKind : int {
    KIND_DOCUMENT = 0,    // the Qor word processor
    KIND_SPREADSHEET = 1, // the LX spreadsheet
};

// Conversion directions, chosen with the two toolbar buttons.
enum ConvertDirection : int {
    DIR_QOR_TO_OFFICE = 1,
    DIR_OFFICE_TO_QOR = 2,
};
