#pragma once

#include <QPointer>
#include <QWidget>

class QScreen;

// The small window of a desktop notice at the bottom right of the work area. It fades in, stays,
// fades out and deletes itself; several notices stack upwards. It never takes the focus.
class TDesktopNotice : public QWidget {
    Q_OBJECT
public:
    TDesktopNotice(const QString& header, const QString& text, int fadeMs, int showMs,
                   QScreen* screen);
    ~TDesktopNotice() override;

    // Shows a notice on the screen of the active window (else the primary screen).
    static TDesktopNotice* Show(const QString& header, const QString& text, int fadeMs, int showMs);
    // The notices on screen, oldest (lowest) first.
    static QList<TDesktopNotice*> Notices();
    static void CloseAll();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    static void restack();
    QPointer<QScreen> m_screen;
};
