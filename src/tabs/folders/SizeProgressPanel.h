#pragma once

#include <QVariantAnimation>
#include <QWidget>

namespace Dunmorra {

// Floats over the folder list while folder sizes are computed: a progress
// bar of the folders sized so far and a line that counts them. Fades in and
// out over 0.25 s.
class SizeProgressPanel : public QWidget {
    Q_OBJECT
public:
    explicit SizeProgressPanel(QWidget* parent = nullptr);

    void setProgress(int sizedFolders, int folders);
    // Fades in (true) or out and then hides (false).
    void setShown(bool shown);
    bool isShown() const { return m_shown; }

    // The bar's share: sized over the larger of folders and 1.
    double progress() const;
    QString statusText() const;
    static QString statusText(int sizedFolders, int folders);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_sized = 0;
    int m_folders = 0;
    bool m_shown = false;
    double m_opacity = 0;
    QVariantAnimation m_fade;
};

} // namespace Dunmorra
