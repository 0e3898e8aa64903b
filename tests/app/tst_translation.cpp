#include <QtTest>

#include "testsupport.h"

namespace {
// Every German text the sources hand to _() or mark with N_().
QStringList userTextsInSources() {
    QStringList texts;
    const QRegularExpression call(
        QStringLiteral(R"((?<![A-Za-z0-9_])N?_\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))"));
    const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QDirIterator it(QStringLiteral(KWP_SOURCE_DIR "/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
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
    void englishCatalogueCoversEveryText() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/kwp_en.qm")));
        const QStringList texts = userTextsInSources();
        QVERIFY2(texts.size() > 250, qPrintable(QString::number(texts.size())));
        QStringList missing;
        for (const QString& text : texts) {
            if (english.translate("KWP", text.toUtf8().constData()).isEmpty()) missing.append(text);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
    }
};

KWP_REGISTER_TEST(TestTranslation)
#include "tst_translation.moc"
