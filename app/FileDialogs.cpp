#include "app/FileDialogs.h"

#include <QFileDialog>

namespace zemra {

namespace {

QString run(QWidget* parent, const FileDialogSettings& settings, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, settings.title, QString(), settings.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    if (settings.executablesOnly) {
        // Programs have no extension here to filter on; the model filters by
        // the execute permission, which a platform's own dialog would ignore.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDot);
    }
    if (!settings.proposedName.isEmpty()) dialog.selectFile(settings.proposedName);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString askOpenFile(QWidget* parent, const FileDialogSettings& settings)
{
    return run(parent, settings, QFileDialog::AcceptOpen);
}

QString askSaveFile(QWidget* parent, const FileDialogSettings& settings)
{
    return run(parent, settings, QFileDialog::AcceptSave);
}

} // namespace zemra
