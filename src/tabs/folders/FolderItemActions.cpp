#include "tabs/folders/FolderItemActions.h"

#include "components/Symbols.h"
#include "folders/FolderPath.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace Dunmorra {

FolderItemActions::FolderItemActions(Platform::FileManager fileManager, Opener openUrl, QObject* parent)
    : QObject(parent)
    , m_fileManager(std::move(fileManager))
    , m_openUrl(openUrl ? std::move(openUrl) : Opener([](const QUrl& url) { QDesktopServices::openUrl(url); }))
{
}

QUrl FolderItemActions::urlOf(const QByteArray& path)
{
    return QUrl::fromEncoded(FolderPath::fileUri(path), QUrl::StrictMode);
}

QMenu* FolderItemActions::menuFor(const FolderItem& item, QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("folderItemMenu"));
    const QByteArray path = item.path;
    if (item.isDirectory) {
        QAction* open = menu->addAction(symbolIcon(QStringLiteral("folder")), tr("Open in File Manager"));
        open->setObjectName(QStringLiteral("openItem"));
        connect(open, &QAction::triggered, this, [this, path] { this->open(path); });
    } else {
        QAction* show = menu->addAction(symbolIcon(QStringLiteral("arrow.right.circle")), tr("Show in File Manager"));
        show->setObjectName(QStringLiteral("showItem"));
        connect(show, &QAction::triggered, this, [this, path] { showInFileManager(path); });
    }
    menu->addSeparator();
    QAction* copy = menu->addAction(symbolIcon(QStringLiteral("doc.on.clipboard")), tr("Copy Path"));
    copy->setObjectName(QStringLiteral("copyPath"));
    connect(copy, &QAction::triggered, this, [path] { copyPath(path); });
    return menu;
}

void FolderItemActions::open(const QByteArray& path) const
{
    m_openUrl(urlOf(path));
}

void FolderItemActions::showInFileManager(const QByteArray& path) const
{
    // Answered later; the application outlives any tab that asked.
    const QByteArray folder = FolderPath::parent(path);
    m_fileManager.showItems({QString::fromLatin1(FolderPath::fileUri(path))}, QString(), QCoreApplication::instance(),
                            [folder, openUrl = m_openUrl](bool shown) {
                                if (!shown)
                                    openUrl(urlOf(folder));
                            });
}

void FolderItemActions::copyPath(const QByteArray& path)
{
    // Raw bytes rather than a decoded text: a name that is not valid UTF-8
    // still pastes as the file's real name.
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), path);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), path);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
}

} // namespace Dunmorra
