#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// Small always-on-top window shown while a file lock is busy; "Abbrechen" cancels the wait.
class TWaitForm : public QDialog {
    Q_OBJECT
public:
    explicit TWaitForm(const QString& text, std::function<void()> cancel,
                       QWidget* parent = nullptr);
    QString text() const;

private:
    QLabel* m_label;
    QPushButton* m_cancel;
    std::function<void()> m_cancelAction;
};

// Makes TDateischutzWF show a TWaitForm while it waits.
void InstallWaitForm();
