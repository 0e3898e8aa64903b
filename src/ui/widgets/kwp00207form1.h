#pragma once

#include <QMainWindow>

// Main window of the address manager.
class TKWP00207Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TKWP00207Form1(const QString& tenant, QWidget* parent = nullptr);

    static QString CaptionFor(const QString& tenant);
};
