#include "dialogs/qt/dialog_commands.h"

#include "dialogs/qt/about_dialog.h"
#include "dialogs/qt/parameter_setup_widget.h"
#include "dialogs/qt/project_info_widget.h"
#include "mainwin/main_window.h"
#include "rawview/qt/raw_view_widget.h"
#include "reports/qt/preview_dialog.h"
#include "reports/qt/print_options_widget.h"

namespace pyx {

void installDialogCommands(MainWindow& window, Dialogs& dialogs, QWidget* parent)
{
    window.commands["miPprojectInfo"] = [&window, &dialogs, parent] {
        ProjectInfoWidget dialog(window, dialogs, parent);
        // After a new test's project information the parameters follow, without blocking.
        dialog.logic().showParameterSetup = [&window, parent] {
            auto* setup = new ParameterSetupWidget(window, parent);
            setup->setAttribute(Qt::WA_DeleteOnClose);
            setup->show();
        };
        dialog.exec();
    };
    window.commands["miPparameterSetup"] = [&window, parent] {
        ParameterSetupWidget dialog(window, parent);
        dialog.exec();
    };
    window.commands["miCyssj"] = [&window, parent] {
        RawViewWidget dialog(window.data(), parent);
        dialog.exec();
    };
    window.commands["miPsz"] = [&window, &dialogs, parent] {
        PrintOptionsWidget dialog(window.data(), dialogs, window.files.settingsPath(), parent);
        dialog.exec();
    };
    const auto preview = [&window, &dialogs, parent] {
        PreviewDialog dialog(window.data(), window.grid.rows(), dialogs, parent);
        dialog.exec();
    };
    window.commands["miFPrintPreview"] = preview;
    window.commands["miPyulan"] = preview;
    window.commands["miHabout"] = [parent] {
        AboutDialog dialog(parent);
        dialog.exec();
    };
}

} // namespace pyx
