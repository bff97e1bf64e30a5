#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace tallowin::ui {

// frmSplash: shown while the program starts; its timer runs the start-up step once.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    QLabel *status() const { return m_status; }
    QTimer *timer() const { return m_timer; }

Q_SIGNALS:
    void initialize();

private:
    QLabel *m_status;
    QTimer *m_timer;
};

} // namespace tallowin::ui
