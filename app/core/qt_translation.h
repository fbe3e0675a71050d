#pragma once
// Loads Qt's own Japanese texts (standard dialogs: file and folder pickers, colour
// dialog, message box buttons) so they match the program's Japanese user interface.
namespace folivo {

// Installs the translation on the application; answers whether it was found.
// Call once, after the QCoreApplication exists.
bool InstallQtTranslation();

} // namespace folivo
