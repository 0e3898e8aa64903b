#include <QtTest>

#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "testsupport.h"

namespace {
// Every text the sources (by file name) hand to _() or mark with N_().
QStringList userTextsInSources(const QStringList& files) {
    QStringList texts;
    const QRegularExpression call(
        QStringLiteral(R"((?<![A-Za-z0-9_])N?_\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))"));
    const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QDirIterator it(QStringLiteral(KWP_SOURCE_DIR "/src"), files, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (const auto& m : call.globalMatch(source)) {
            QString text;
            for (const auto& p : piece.globalMatch(m.captured(1))) text += p.captured(1);
            text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            texts.append(text);
        }
    }
    texts.removeDuplicates();
    return texts;
}
}  // namespace

class TestTranslation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // English covers every text, German the language names (English keys).
    void catalogueCoversEveryText_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("least");
        QTest::newRow("en") << "kwp_en" << QStringList{"*.cpp", "*.h"} << 250;
        QTest::newRow("de") << "kwp_de" << QStringList{"languages.cpp"} << 180;
    }
    void catalogueCoversEveryText() {
        QFETCH(QString, catalogue);
        QFETCH(QStringList, files);
        QFETCH(int, least);
        QTranslator translator;
        QVERIFY(translator.load(":/i18n/" + catalogue + ".qm"));
        const QStringList texts = userTextsInSources(files);
        QVERIFY2(texts.size() > least, qPrintable(QString::number(texts.size())));
        QStringList missing;
        for (const QString& text : texts) {
            if (translator.translate("KWP", text.toUtf8().constData()).isEmpty())
                missing.append(text);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
    }

    // The list names the languages in the language shown; no switch is the start state.
    void languageListFollowsLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("entry");
        QTest::newRow("de") << QString() << "de=Deutsch";
        QTest::newRow("fr") << QString() << "fr=Französisch";
        QTest::newRow("de_AT") << QString() << "de_AT=Österreichisches Deutsch";
        QTest::newRow("English") << "en_GB"
                                 << "de=German";
        QTest::newRow("back to German") << "de_DE"
                                        << "de=Deutsch";
    }
    void languageListFollowsLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, entry);
        if (!language.isEmpty()) UseLanguage(language);
        QStringList list;
        FillLanguageList(list);
        QVERIFY2(list.contains(entry), qPrintable(list.join(QLatin1Char(' '))));
    }
};

KWP_REGISTER_TEST(TestTranslation)
#include "tst_translation.moc"
