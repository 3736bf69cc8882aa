#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <vector>

namespace pyx {
namespace {

QString patternsOf(const QString& windowsPatterns)
{
    QStringList patterns;
    for (const QString& p : windowsPatterns.split(';', Qt::SkipEmptyParts)) {
        const QString trimmed = p.trimmed();
        if (!trimmed.isEmpty())
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns.join(' ');
}

struct DialogSetup
{
    QStringList filters;
    QString selected;
};

DialogSetup setupFor(const FileDialogRequest& request)
{
    DialogSetup setup;
    setup.filters = qtFileFilters(request.filter);
    const int i = request.filterIndex - 1;
    if (i >= 0 && i < setup.filters.size())
        setup.selected = setup.filters[i];
    else if (!setup.filters.isEmpty())
        setup.selected = setup.filters.front();
    return setup;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

std::vector<QMessageBox::StandardButton> buttonsOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case MsgButtons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MsgButtons::Ok:
        break;
    }
    return {QMessageBox::Ok};
}

} // namespace

QStringList qtFileFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = patternsOf(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        const QString desc = parts[i].trimmed();
        filters << (desc.isEmpty() ? patterns : desc) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::string QtDialogs::openFile(const FileDialogRequest& request)
{
    DialogSetup setup = setupFor(request);
    return QFileDialog::getOpenFileName(parent_, QString::fromStdString(request.title),
                                        QString::fromStdString(request.fileName), setup.filters.join(";;"),
                                        &setup.selected)
        .toStdString();
}

std::string QtDialogs::saveFile(const FileDialogRequest& request)
{
    DialogSetup setup = setupFor(request);
    return QFileDialog::getSaveFileName(
               parent_, QString::fromStdString(request.title), QString::fromStdString(request.fileName),
               setup.filters.join(";;"), &setup.selected,
               request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite)
        .toStdString();
}

MsgAnswer QtDialogs::message(const MessageRequest& request)
{
    QMessageBox box(qtIcon(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text), QMessageBox::NoButton, parent_);
    const std::vector<QMessageBox::StandardButton> buttons = buttonsOf(request.buttons);
    for (const QMessageBox::StandardButton b : buttons)
        box.addButton(b);
    const int def = request.defaultButton - 1;
    box.setDefaultButton(
        buttons[def >= 0 && static_cast<std::size_t>(def) < buttons.size() ? static_cast<std::size_t>(def)
                                                                           : 0]);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        break;
    }
    // Closed without a button: the answer that stands for "no decision".
    return request.buttons == MsgButtons::Ok      ? MsgAnswer::Ok
           : request.buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                  : MsgAnswer::Cancel;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace pyx
