#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// Translation of a German user text; the German text is the key.
inline QString _(const char* text) {
    return QCoreApplication::translate("KWP", text);
}
inline QString _(const QString& text) {
    return QCoreApplication::translate("KWP", text.toUtf8().constData());
}
// Marks a text for the catalogue where it is translated later with _().
#define N_(text) text

// Switches the language ("de_DE", "en_GB", ...). German texts are the keys, so German's
// catalogue only names the languages; a language without one shows German. Returns false
// when no catalogue was found.
bool UseLanguage(const QString& code);
QString GetCurrentLanguage();

struct TLanguage {
    QString code;  // "de_DE"
    QString name;  // in its own language: "Deutsch"
};
// German, then every language the program has a catalogue for.
QList<TLanguage> AvailableLanguages();

// Start-up registration: classes and properties that window translation leaves alone.
void RegisterTranslation();
void ExcludeClassFromTranslation(const QString& className);
void ExcludePropertyFromTranslation(const QString& className, const QString& property);
bool IsExcludedFromTranslation(const QString& className, const QString& property = {});
