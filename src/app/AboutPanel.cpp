#include "app/AboutPanel.h"

#include "components/Palette.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace Dunmorra {

QString appVersionString()
{
    return QStringLiteral(HALVORIN_VERSION " (" HALVORIN_BUILD_NUMBER ")");
}

QString aboutCredits()
{
    return QCoreApplication::translate("HalvorinsApp",
        "Real-time system monitor for Linux.\n\nTrack CPU, memory, disk, network, battery, and audio \u2014 all in one place.");
}

QString aboutPanelText()
{
    // The credits in the small system size and the secondary label tone,
    // under the name and the version.
    const QString credits = aboutCredits().toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
    // Rich text takes no alpha: the tone as it shows on the window.
    const QColor secondary = compositeOver(secondaryText(), QApplication::palette().color(QPalette::Window));
    const qreal base = QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 10.0;
    const qreal small = std::max(7.0, base * 0.85);
    return QStringLiteral("<h3>Halvorin</h3><p>%1 %2</p><p style=\"font-size:%3pt; color:%4;\">%5</p>")
        .arg(QCoreApplication::translate("HalvorinsApp", "Version"), appVersionString(), QString::number(small, 'f', 1),
             secondary.name(), credits);
}

QWidget* showAboutPanel()
{
    // Not modal and of no window: the tray, the popup and the main window go
    // on working while it is open, and it outlives a closed main window.
    static QPointer<QMessageBox> panel;
    if (!panel) {
        panel = new QMessageBox(QMessageBox::NoIcon, QCoreApplication::translate("HalvorinsApp", "About Halvorin"),
                                aboutPanelText(), QMessageBox::Ok);
        panel->setObjectName(QStringLiteral("aboutPanel"));
        panel->setTextFormat(Qt::RichText);
        panel->setWindowModality(Qt::NonModal);
        panel->setAttribute(Qt::WA_DeleteOnClose);
        const QIcon icon = QApplication::windowIcon();
        if (!icon.isNull())
            panel->setIconPixmap(icon.pixmap(64, 64));
    }
    panel->show();
    panel->raise();
    panel->activateWindow();
    return panel;
}

} // namespace Dunmorra
