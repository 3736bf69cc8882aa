#pragma once
// Qt's own texts (dialog buttons, file dialogs, context menus) in Chinese.

class QCoreApplication;

namespace pyx {

// Loads Qt's Chinese translation into the application; false when it is not installed.
bool installChineseTranslation(QCoreApplication& app);

} // namespace pyx
