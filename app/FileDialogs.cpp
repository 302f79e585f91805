#include "app/FileDialogs.h"

#include <QFileDialog>

namespace zemra {

namespace {

QString run(QWidget* parent, const FileDialogSpec& spec, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title, QString(), spec.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    if (spec.executablesOnly) {
        // Programs have no extension here to filter on; the model filters by
        // the execute permission, which a platform's own dialog would ignore.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDot);
    }
    if (!spec.proposedName.isEmpty()) dialog.selectFile(spec.proposedName);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString askOpenFile(QWidget* parent, const FileDialogSpec& spec)
{
    return run(parent, spec, QFileDialog::AcceptOpen);
}

QString askSaveFile(QWidget* parent, const FileDialogSpec& spec)
{
    return run(parent, spec, QFileDialog::AcceptSave);
}

} // namespace zemra
