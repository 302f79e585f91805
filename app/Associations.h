// Makes Zemra the handler of ".sgf" and ".gib" files for the current user,
// and takes that back. Linux has no registry; the registry layout of the
// options menu maps onto the freedesktop.org files like this:
//
//   ".sgf" -> "zemra.sgf"        the default handler in $XDG_CONFIG_HOME/mimeapps.list
//   "zemra.sgf" + description    the type with its *.sgf pattern in
//                                $XDG_DATA_HOME/mime/packages/zemra.sgf.xml
//   "zemra.sgf\DefaultIcon"      PNGs of ProgramDir's SGF.ico in the user's hicolor theme
//   "zemra.sgf\shell\open\command"  $XDG_DATA_HOME/applications/zemra.sgf.desktop
//   the association-changed notice  update-mime-database, update-desktop-database
//
// GIB is the same with its own names.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

namespace zemra {

struct AssociatedFileType {
    QString extension;   // ".sgf"
    QString typeKey;     // "zemra.sgf": also the name of our package file and desktop entry
    QString description; // "SGF Format File"
    QString iconFile;    // "SGF.ico", beside the program
    QString mimeType;    // "application/x-go-sgf"
    QString iconName;    // "zemra-sgf", the icon's name in the theme
};

const AssociatedFileType& sgfFileType();
const AssociatedFileType& gibFileType();

// The user's base folders of the XDG base directory rules.
struct DesktopPaths {
    QString dataHome;   // $XDG_DATA_HOME, else $HOME/.local/share
    QString configHome; // $XDG_CONFIG_HOME, else $HOME/.config

    // Values that are empty or not absolute are ignored, as the rules say.
    static DesktopPaths fromEnvironment(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
};

class FileAssociations {
public:
    // programPath: the program's full path, for the open command.
    // locateDataFile: where a file named as "beside the program" really is
    // (an installed program keeps it in ../share/zemra/).
    FileAssociations(DesktopPaths paths, QString programPath, std::function<QString(const QString& name)> locateDataFile);

    // The write error; nothing else is ever reported.
    std::function<void(const QString& message)> onError;
    // Runs one refresh command of the notice with its arguments. The default
    // starts it when it is installed and does not wait; tests replace it.
    std::function<void(const QString& program, const QStringList& arguments)> runTool;

    // Writes every piece; the default handler comes last, so a failure never
    // leaves the user's default pointing at a half-made type. False after a
    // write error: the pieces written before stay, the notice is not sent.
    bool associate(const AssociatedFileType& type);

    // Deletes the pieces in the registry's order (icon, open command, type,
    // extension) and sends the notice when anything was there. Never reports:
    // what cannot be deleted is passed over. A default the user has since
    // given to another program is left alone.
    void remove(const AssociatedFileType& type);

    QString packageFile(const AssociatedFileType& type) const;
    QString desktopFile(const AssociatedFileType& type) const;
    QString iconFile(const AssociatedFileType& type, int size) const;
    QString mimeappsFile() const;
    static QString desktopId(const AssociatedFileType& type);

    static QString packageText(const AssociatedFileType& type);
    QString desktopEntryText(const AssociatedFileType& type) const;

    // The program as the first word of an Exec line: quoted and escaped as
    // the desktop entry rules want when it holds blanks or shell characters.
    static QString execProgram(const QString& programPath);

    // mimeapps.list bytes with the default of mimeType set to desktopId, and
    // with desktopId taken out of it again. Other lines keep their bytes.
    static QByteArray withDefault(const QByteArray& mimeapps, const QString& mimeType, const QString& desktopId);
    static QByteArray withoutDefault(const QByteArray& mimeapps, const QString& mimeType, const QString& desktopId);

private:
    bool writeFile(const QString& path, const QByteArray& data);
    void notifyChanged();
    void pruneEmptyFolders(const QString& folder, const QString& base);

    DesktopPaths m_paths;
    QString m_programPath;
    std::function<QString(const QString&)> m_locateDataFile;
};

// The menu items for the running program: the paths from the environment,
// the program's own path and files, errors to onError.
bool associateFileType(const AssociatedFileType& type, const std::function<void(const QString&)>& onError);
void removeFileType(const AssociatedFileType& type);

} // namespace zemra
