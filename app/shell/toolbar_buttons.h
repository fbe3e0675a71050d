#pragma once
// The nine toolbar buttons: which menu command each runs and which group of commands
// switches it on and off. Positions, tooltips and pictures live in the window's form
// description; this table only says what the program does with each button.
#include "menu_names.h"

#include <QString>
#include <array>

namespace folivo {

enum class ToolbarGroup {
    Scanner, // disabled for the whole run when no scanner is present
    Save,    // enabled only while a page is on display
    Always,
};

struct ToolbarCommand {
    const char* name;     // the control's name in the form description
    const char* menuItem; // the menu command the button runs
    ToolbarGroup group;
};

// Left to right, as the buttons stand in the strip.
inline constexpr std::array<ToolbarCommand, 9> kToolbarButtons{{
    {"zkSelect", menu::kSorce, ToolbarGroup::Scanner},
    {"zkScan", menu::kScan, ToolbarGroup::Scanner},
    {"zkClip", menu::kClip, ToolbarGroup::Scanner},
    {"zkBookPDF", menu::kBook, ToolbarGroup::Scanner},
    {"zkBMP", menu::kSaveBMP, ToolbarGroup::Save},
    {"zkJPEG", menu::kSaveJPEG, ToolbarGroup::Save},
    {"zkPDF", menu::kSavePDF, ToolbarGroup::Save},
    {"zkhelp", menu::kMokuji, ToolbarGroup::Always},
    {"zkExit", menu::kExit, ToolbarGroup::Always},
}};

// The entry of a button name; null for a name that is not a toolbar button.
const ToolbarCommand* FindToolbarButton(const QString& name);

} // namespace folivo
