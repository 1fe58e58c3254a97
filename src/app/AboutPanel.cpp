#include "app/AboutPanel.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

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

void showAboutPanel(QWidget* parent)
{
    // Rich text so the credits can sit in small, secondary type under the name.
    const QString credits = aboutCredits().toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
    const QString secondary = QApplication::palette().color(QPalette::PlaceholderText).name();
    const QString text = QStringLiteral("<h3>Halvorin</h3><p>%1 %2</p><p style=\"font-size:small; color:%3;\">%4</p>")
        .arg(QCoreApplication::translate("HalvorinsApp", "Version"), appVersionString(), secondary, credits);
    QMessageBox::about(parent, QCoreApplication::translate("HalvorinsApp", "About Halvorin"), text);
}

} // namespace Dunmorra
