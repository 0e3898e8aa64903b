#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Edits a list of texts: add ("Neu"), delete ("Loeschen"), sort (popup "Liste sortieren").
class TEditStringList : public QDialog {
    Q_OBJECT
public:
    explicit TEditStringList(const QStringList& list, QWidget* parent = nullptr);

    // On OK the list is replaced by the edited one and the result is true.
    static bool Execute(QStringList& list, QWidget* parent = nullptr);

    QStringList list() const;
    // Appends the trimmed text unless it is empty or present already; selects it.
    bool addEntry(const QString& text);
    // Deletes the selected entries and selects the first remaining one.
    void deleteSelected();
    void sortList();

private:
    void askNewEntry();

    QListWidget* m_list = nullptr;
};
