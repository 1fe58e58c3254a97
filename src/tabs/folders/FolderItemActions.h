#pragma once

#include "folders/FolderItem.h"
#include "platform/FileManager.h"

#include <QObject>
#include <QUrl>

#include <functional>

class QMenu;
class QWidget;

namespace Dunmorra {

// What a row's context menu does with its item. Opening goes to the
// desktop's default application for the folder; showing a file asks the
// desktop's file manager to select it in its folder, and opens the folder
// itself where no file manager answers. No shell is ever involved.
class FolderItemActions : public QObject {
    Q_OBJECT
public:
    // Opens a URL with the desktop's default application.
    using Opener = std::function<void(const QUrl&)>;

    // Empty opener: QDesktopServices::openUrl.
    explicit FolderItemActions(Platform::FileManager fileManager = Platform::FileManager(), Opener openUrl = {},
                               QObject* parent = nullptr);

    // "Open in File Manager" for a folder or "Show in File Manager" for
    // anything else, a separator, then "Copy Path". The caller shows it.
    QMenu* menuFor(const FolderItem& item, QWidget* parent) const;

    // The URL the desktop is asked to open for a path.
    static QUrl urlOf(const QByteArray& path);

    void open(const QByteArray& path) const;
    void showInFileManager(const QByteArray& path) const;
    // The path exactly as the file system spells it, as plain text.
    static void copyPath(const QByteArray& path);

private:
    Platform::FileManager m_fileManager;
    Opener m_openUrl;
};

} // namespace Dunmorra
