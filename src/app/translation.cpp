#include "app/translation.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTranslator>
#include <memory>

namespace {
QString g_language = QStringLiteral("de_DE");
std::unique_ptr<QTranslator> g_translator;

QSet<QString>& exclusions() {
    static QSet<QString> set;
    return set;
}

QString exclusionKey(const QString& className, const QString& property) {
    return className.toLower() + QLatin1Char('.') + property.toLower();
}

// Catalogue for a language code: the full code first, then the bare language.
QString catalogueFor(const QString& code) {
    const QString full = QStringLiteral(":/i18n/kwp_") + code + QStringLiteral(".qm");
    if (QFile::exists(full)) return full;
    const QString language = code.section(QLatin1Char('_'), 0, 0).toLower();
    const QString bare = QStringLiteral(":/i18n/kwp_") + language + QStringLiteral(".qm");
    return QFile::exists(bare) ? bare : QString();
}
}  // namespace

bool UseLanguage(const QString& code) {
    const QString wanted = code.trimmed().isEmpty() ? QStringLiteral("de_DE") : code.trimmed();
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    g_language = wanted;
    // German is the source language of every text; its catalogue only names the languages,
    // whose keys are English.
    const bool german = wanted.startsWith(QLatin1String("de"), Qt::CaseInsensitive);
    QString file = catalogueFor(wanted);
    const bool found = german || !file.isEmpty();
    // Without a catalogue the texts stay German, so the language names do too.
    if (!found) file = catalogueFor(QStringLiteral("de"));
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file)) return german;
    QCoreApplication::installTranslator(translator.get());
    g_translator = std::move(translator);
    return found;
}

// Before the first choice the program is German, and so are the language names.
static void useStartLanguage() {
    UseLanguage(g_language);
}
Q_COREAPP_STARTUP_FUNCTION(useStartLanguage)

QString GetCurrentLanguage() {
    return g_language;
}

QList<TLanguage> AvailableLanguages() {
    // A language is offered under its own name, whatever language is shown now.
    const auto nativeName = [](const QString& code) {
        if (code.startsWith(QLatin1String("de"))) return QStringLiteral("Deutsch");
        if (code.startsWith(QLatin1String("en"))) return QStringLiteral("English");
        return QLocale(code).nativeLanguageName();
    };
    QList<TLanguage> languages{{QStringLiteral("de_DE"), nativeName(QStringLiteral("de_DE"))}};
    const QDir catalogues(QStringLiteral(":/i18n"), QStringLiteral("kwp_*.qm"), QDir::Name);
    for (const QString& file : catalogues.entryList(QDir::Files)) {
        QTranslator translator;
        if (!translator.load(catalogues.filePath(file))) continue;
        QString code = translator.language();
        if (code.isEmpty()) code = file.mid(4).chopped(3);
        code.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (code.startsWith(QLatin1String("de"))) continue;
        languages.append({code, nativeName(code)});
    }
    return languages;
}

void ExcludeClassFromTranslation(const QString& className) {
    exclusions().insert(exclusionKey(className, QString()));
}

void ExcludePropertyFromTranslation(const QString& className, const QString& property) {
    exclusions().insert(exclusionKey(className, property));
}

bool IsExcludedFromTranslation(const QString& className, const QString& property) {
    const QSet<QString>& set = exclusions();
    return set.contains(exclusionKey(className, QString())) ||
           (!property.isEmpty() && set.contains(exclusionKey(className, property)));
}

void RegisterTranslation() {
    // Identifiers and data bindings are not user texts.
    ExcludePropertyFromTranslation(QStringLiteral("QWidget"), QStringLiteral("whatsThis"));
    ExcludeClassFromTranslation(QStringLiteral("QFontComboBox"));
    for (const char* property : {"dataField", "keyField", "listField", "fieldName"}) {
        ExcludePropertyFromTranslation(QStringLiteral("QWidget"), QString::fromLatin1(property));
    }
}
