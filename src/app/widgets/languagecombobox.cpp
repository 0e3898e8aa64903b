#include "app/widgets/languagecombobox.h"

#include "app/translation.h"

TLanguageComboBox::TLanguageComboBox(QWidget* parent) : QComboBox(parent) {
    // Each name is written in its own language, never translated.
    ExcludePropertyFromTranslation(QStringLiteral("TLanguageComboBox"), QStringLiteral("items"));
    for (const TLanguage& language : AvailableLanguages()) addItem(language.name, language.code);
}

QString TLanguageComboBox::language() const {
    return currentData().toString();
}

void TLanguageComboBox::setLanguage(const QString& code) {
    QString wanted = code.trimmed();
    wanted.replace(QLatin1Char('-'), QLatin1Char('_'));
    const int index = findData(wanted, Qt::UserRole, Qt::MatchFixedString);
    setCurrentIndex(index >= 0 ? index : 0);
}
