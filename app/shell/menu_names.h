#pragma once
// The main window's menu item names: the menu table, the commands wired to the items, the
// toolbar buttons that run them and the start-up rules that enable them all refer to an
// item by one of these. The names are also the items' object names.
namespace folivo::menu {

inline constexpr char kFile[] = "menuFile";
inline constexpr char kTwain[] = "menuTwain";
inline constexpr char kSorce[] = "menuSorce";
inline constexpr char kScan[] = "menuScan";
inline constexpr char kClip[] = "menuClip";
inline constexpr char kBook[] = "menuBook";
inline constexpr char kSave[] = "menuSave";
inline constexpr char kSaveBMP[] = "menuSaveBMP";
inline constexpr char kSaveJPEG[] = "menuSaveJPEG";
inline constexpr char kSavePDF[] = "menuSavePDF";
inline constexpr char kExit[] = "menuExit";
inline constexpr char kView[] = "menuView";
inline constexpr char kDialogON[] = "menuDialogON";
inline constexpr char kDialogOFF[] = "menuDialogOFF";
inline constexpr char kToolbar[] = "menuToolbar";
inline constexpr char kSet[] = "menuSet";
inline constexpr char kAuto[] = "menuAuto";
inline constexpr char kBMP[] = "menuBMP";
inline constexpr char kJPEG[] = "menuJPEG";
inline constexpr char kPDF[] = "menuPDF";
inline constexpr char kCompress[] = "menuCompress";
inline constexpr char kJPEGSet[] = "menuJPEGSet";
inline constexpr char kPDFSet[] = "menuPDFSet";
inline constexpr char kHelp[] = "menuHelp";
inline constexpr char kMokuji[] = "menuMokuji";
inline constexpr char kVersion[] = "menuVersion";

} // namespace folivo::menu
