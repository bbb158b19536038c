// Cofrelo's control and command ids and its window titles: the windows build
// themselves from these, and the end-to-end tests find them by the same names.
#pragma once

namespace cofrelo {

// Main window
inline constexpr int LedgerListId = 1001;

inline constexpr int ReadCommand = 1030;
inline constexpr int SaveCommand = 1031;
inline constexpr int InsertCommand = 1032;
inline constexpr int AboutCommand = 1033;
inline constexpr int ExitCommand = 1034;
inline constexpr int NewCommand = 1035;
inline constexpr int ConfigurationCommand = 1036;
inline constexpr int ExportTextCommand = 1040;
inline constexpr int ExportRtfCommand = 1050;
inline constexpr int AmericanFormatCommand = 1051;

// "Insertar Datos"
inline constexpr int DateLabelId = 1002;
inline constexpr int DatePickerId = 1003;
inline constexpr int DescriptionLabelId = 1004;
inline constexpr int DescriptionBoxId = 1005;
inline constexpr int AmountBoxId = 1006;
inline constexpr int AmountLabelId = 1007;
inline constexpr int SavingOptionId = 1008;
inline constexpr int ExpenseOptionId = 1009;
inline constexpr int KindGroupId = 1010;
inline constexpr int InsertCancelButtonId = 1011;
inline constexpr int InsertAcceptButtonId = 1012;
inline constexpr int CommentOptionId = 1047;

// "Nombre del fichero"
inline constexpr int NameBoxId = 1037;
inline constexpr int NameLabelId = 1038;
inline constexpr int NameAcceptButtonId = 1039;

// "Configuracion": the six colors as label, swatch and "..." button
inline constexpr int ExpenseTextLabelId = 1013;
inline constexpr int ExpenseTextSwatchId = 1014;
inline constexpr int ExpenseTextButtonId = 1015;
inline constexpr int ExpenseBackLabelId = 1016;
inline constexpr int ExpenseBackSwatchId = 1017;
inline constexpr int ExpenseBackButtonId = 1018;
inline constexpr int SavingTextButtonId = 1024;
inline constexpr int SavingTextLabelId = 1025;
inline constexpr int SavingTextSwatchId = 1026;
inline constexpr int SavingBackLabelId = 1027;
inline constexpr int SavingBackSwatchId = 1028;
inline constexpr int SavingBackButtonId = 1029;
inline constexpr int CommentTextButtonId = 1041;
inline constexpr int CommentTextLabelId = 1042;
inline constexpr int CommentTextSwatchId = 1043;
inline constexpr int CommentBackLabelId = 1044;
inline constexpr int CommentBackSwatchId = 1045;
inline constexpr int CommentBackButtonId = 1046;
inline constexpr int FolderLabelId = 1019;
inline constexpr int FolderButtonId = 1020;
inline constexpr int FolderBoxId = 1021;
inline constexpr int ConfigCancelButtonId = 1022;
inline constexpr int ConfigAcceptButtonId = 1023;

inline constexpr int IconResourceId = 200;

inline constexpr const wchar_t* MainWindowTitle = L"Cofrelo";
inline constexpr const wchar_t* InsertDialogTitle = L"Insertar Datos";
inline constexpr const wchar_t* FileNameDialogTitle = L"Nombre del fichero";
inline constexpr const wchar_t* ConfigDialogTitle = L"Configuracion";
inline constexpr const wchar_t* MessageTitle = L"Programador";
inline constexpr const wchar_t* AboutTitle = L"Programador ...";

}  // namespace cofrelo
