#pragma once
// The nine toolbar buttons: which menu command each runs and which group of commands
// switches it on and off. Positions, tooltips and pictures live in the window's form
// description; this table only says what the program does with each button.
#include <QString>
#include <array>

namespace folivo {

enum class ToolbarGroup {
    Scanner, // disabled for the whole run when no scanner is present
    Save,    // enabled only while a page is on display
    Always,
};

struct ToolbarButtonSpec {
    const char* name;     // the control's name in the form description
    const char* menuItem; // the menu command the button runs
    ToolbarGroup group;
};

// Left to right, as the buttons stand in the strip.
inline constexpr std::array<ToolbarButtonSpec, 9> kToolbarButtons{{
    {"zkSelect", "menuSorce", ToolbarGroup::Scanner},
    {"zkScan", "menuScan", ToolbarGroup::Scanner},
    {"zkClip", "menuClip", ToolbarGroup::Scanner},
    {"zkBookPDF", "menuBook", ToolbarGroup::Scanner},
    {"zkBMP", "menuSaveBMP", ToolbarGroup::Save},
    {"zkJPEG", "menuSaveJPEG", ToolbarGroup::Save},
    {"zkPDF", "menuSavePDF", ToolbarGroup::Save},
    {"zkhelp", "menuMokuji", ToolbarGroup::Always},
    {"zkExit", "menuExit", ToolbarGroup::Always},
}};

// The entry of a button name; null for a name that is not a toolbar button.
const ToolbarButtonSpec* FindToolbarButton(const QString& name);

} // namespace folivo
