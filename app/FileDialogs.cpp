#include "app/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include <exception>

#include <sys/stat.h>

#include "app/ProgramFiles.h"

namespace zemra {

namespace {

// Qt's own dialog refuses a chosen file that it cannot find by the text it
// shows, and that is every name that is not UTF-8 (an archive unpacked from
// Windows). Such a choice is let through when the entry is there by its real
// bytes; the caller opens it by those (systemPath).
class FileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (fileMode() == ExistingFile && files.size() == 1 && !QFileInfo::exists(files.first())) {
            bool present = true; // several look-alikes: the caller names them
            try {
                struct stat st {};
                present = ::stat(systemPath(files.first()).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
            } catch (const std::exception&) {
            }
            if (present) {
                QDialog::accept();
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString run(QWidget* parent, const FileDialogSettings& settings, QFileDialog::AcceptMode mode)
{
    FileDialog dialog(parent, settings.title, QString(), settings.filter);
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
