#pragma once
// The commands of the main window that open the dialogs and the raw data window.

class QWidget;

namespace pyx {

class Dialogs;
class MainWindow;

// Registers "miPprojectInfo", "miPparameterSetup", "miCyssj" and "miHabout". The windows
// open over `parent`, which must outlive `window`'s commands.
void installDialogCommands(MainWindow& window, Dialogs& dialogs, QWidget* parent);

} // namespace pyx
