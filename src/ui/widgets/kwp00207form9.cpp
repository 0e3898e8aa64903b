#include "ui/widgets/kwp00207form9.h"

#include <QListWidget>

TKWP00207Form9::TKWP00207Form9(const QString& caption, const QString& prompt,
                               const QStringList& groups, const QString& group, const QString& text,
                               int maxLength, bool upperCase, bool checkChars, QWidget* parent)
    : TInputBoxForm(caption, prompt, text, maxLength, upperCase, checkChars, &groups, parent) {
    const QList<QListWidgetItem*> found = groupList()->findItems(group, Qt::MatchExactly);
    if (!found.isEmpty()) groupList()->setCurrentItem(found.first());
}

QString TKWP00207Form9::Execute(const QString& caption, const QString& prompt,
                                const QStringList& groups, QString& group, const QString& text,
                                int maxLength, bool upperCase, bool checkChars, QWidget* parent) {
    TKWP00207Form9 dialog(caption, prompt, groups, group, text, maxLength, upperCase, checkChars,
                          parent);
    if (dialog.exec() != QDialog::Accepted) return QString();
    if (!dialog.group().isEmpty()) group = dialog.group();
    return dialog.text();
}

QString TKWP00207Form9::group() const {
    const QList<QListWidgetItem*> selected = groupList()->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
