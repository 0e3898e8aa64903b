#pragma once

#include <QDialog>

class QButtonGroup;

// Lets the user choose one entry of a short list by mouse or by its key: 0 to 9, then a, b, ...
class TAuswahlbox : public QDialog {
    Q_OBJECT
public:
    // entries: comma list; an entry starting with "&" brings its own accelerator and gets no key.
    TAuswahlbox(const QString& caption, const QString& entries, QWidget* parent = nullptr);

    // The key character of the chosen entry; a blank when cancelled.
    static QChar Execute(const QString& caption, const QString& entries, QWidget* parent = nullptr);

    // "&" + key + " " + entry for a keyed entry, else the entry itself.
    static QString EntryLabel(int index, const QString& entry);
    // The index of the entry a key character stands for (0 to 9, then a, b, ...); -1 for a
    // blank.
    static int IndexOfKey(QChar key);
    // The key character of the checked entry (the one after its "&"); a blank when none.
    QChar chosenKey() const;

protected:
    // A key character checks its entry, as on the suite's other systems.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QButtonGroup* m_buttons = nullptr;
};
