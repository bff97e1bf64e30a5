#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;

namespace tallowin {
class SettingsStore;
}

namespace tallowin::ui {

class PictureButton;

// frmToolTips: one of the ten usage tips, chosen at random when the window is made and by Next.
// Its box keeps "Show Tips At Startup" in the settings.
class TipWindow : public QWidget {
    Q_OBJECT
public:
    explicit TipWindow(SettingsStore &settings, QWidget *parent = nullptr);

    // Puts the stored choice into the box without storing it again.
    void setShowAtStartUp(bool on);
    bool showAtStartUp() const;
    // Shows a tip chosen at random; the same tip may come again.
    void chooseTip();
    // The number (1..10) of the tip shown.
    int tipNumber() const { return m_tip; }

Q_SIGNALS:
    // F1: a page of the help.
    void helpPageRequested(const QString &page);

private:
    SettingsStore &m_settings;
    QPlainTextEdit *m_text;
    QCheckBox *m_show;
    PictureButton *m_next;
    PictureButton *m_close;
    int m_tip = 0;
};

} // namespace tallowin::ui
