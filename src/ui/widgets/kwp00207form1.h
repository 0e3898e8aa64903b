#pragma once

#include <QMainWindow>
#include <memory>

class TAddressConfig;
class TDBAdressViewFrame1;
class TIniFile;

// Main window of the address manager.
class TKWP00207Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TKWP00207Form1(const QString& tenant, QWidget* parent = nullptr);
    ~TKWP00207Form1() override;

    static QString CaptionFor(const QString& tenant);

    TDBAdressViewFrame1* AdressViewFrame() const { return m_frame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<TAddressConfig> m_config;
    // "KWP00207.INI" of the user, written back on close.
    std::unique_ptr<TIniFile> m_layout;
    TDBAdressViewFrame1* m_frame = nullptr;
};
