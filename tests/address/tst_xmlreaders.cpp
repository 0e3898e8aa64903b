#include <QtTest>
#include <functional>

#include "address/addressconfig.h"
#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "app/dialogs.h"
#include "labels/printetikettmanager.h"
#include "testsupport.h"

namespace {

// What a reader keeps of a file, and its error text (empty when it read cleanly).
using LoadFn = std::function<QString(const QString& path, QString& error)>;

template <class T>
void loadObject(T& object, const QString& path, QString& error) {
    object.LoadFromFile(path);
    if (object.HasParseError) error = object.ErrorText;
}

struct Reader {
    const char* name;
    QString open, close;   // the document around "Bär", which the reader keeps
    QString cut, cutKept;  // a file that ends inside `cut` keeps `cutKept`
    LoadFn load;
};

QList<Reader> readers() {
    return {
        {"TCustomerAddress", "<kundenadr id=\"Bär\">", "</kundenadr>", "<info>Gr", "Bär",
         [](const QString& path, QString& error) {
             TCustomerAddress record;
             record.Id = "alt";
             loadObject(record, path, error);
             return record.Id;
         }},
        {"TAddressConfig", "<adressconfig><lkz val=\"Bär\"/>", "</adressconfig>",
         "<adresskz>VIP&#13;&#10;Ges", "Bär",
         [](const QString& path, QString& error) {
             TAddressConfig config;
             config.Lkz = "alt";
             loadObject(config, path, error);
             // A list cut short is left alone.
             return config.Lkz + config.AdressKz.join(u',');
         }},
        {"TAddressListReader", "<adressen><kundenadr id=\"Bär\"/>", "</adressen>",
         "<kundenadr id=\"2\"><info>Gr", "Bär,2",
         [](const QString& path, QString& error) {
             TCustomerAdressObjectList list;
             list.Add()->Id = "alt";
             LoadAddressListFromFile(path, list, &error);
             QStringList ids;
             for (const auto& record : list) ids.append(record->Id);
             return ids.join(u',');
         }},
        {"TPrintEtikettManager", "<etiketten><etikett name=\"Bär\"/>", "</etiketten>",
         "<etikett name=\"L\" width=\"700\"><etikettvar na", "Bär,L",
         [](const QString& path, QString& error) {
             TPrintEtikettManager manager;
             manager.labels().Add()->name = "alt";
             loadObject(manager, path, error);
             QStringList names;
             for (const auto& label : manager.labels()) names.append(label->name);
             return names.join(u',');
         }},
    };
}

QByteArray utf16(const QString& text) {
    const QString document =
        QStringLiteral("\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n") + text;
    return QByteArray(reinterpret_cast<const char*>(document.utf16()), document.size() * 2);
}

}  // namespace

// Every XML reader of the program reads the suite's encodings and reports a damaged file once,
// naming itself, keeping what it read before the damage and nothing of its earlier content.
class TestXmlReaders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedAndForeignFiles_data() {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QString>("kept");
        const QList<Reader> all = readers();
        for (int i = 0; i < all.size(); ++i) {
            const Reader& r = all.at(i);
            const QString whole = r.open + r.close;
            const auto row = [&](const char* input, const QByteArray& bytes, bool damaged,
                                 const QString& kept) {
                QTest::addRow("%s %s", r.name, input) << i << bytes << damaged << kept;
            };
            row("UTF-16LE", utf16(whole), false, "Bär");
            row("UTF-8", whole.toUtf8(), false, "Bär");
            row("UTF-8 with BOM", "\xEF\xBB\xBF" + whole.toUtf8(), false, "Bär");
            row("Latin-1 declared",
                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + whole.toLatin1(), false, "Bär");
            row("truncated", utf16(r.open + r.cut), true, r.cutKept);
            row("mismatched tag", utf16(r.open + "<info></zinfo>" + r.close), true, "Bär");
            row("8-bit declared as UTF-16",
                "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + whole.toLatin1(), true, "");
            row("empty", QByteArray(), true, "");
        }
    }
    void damagedAndForeignFiles() {
        QFETCH(int, reader);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        const Reader r = readers().at(reader);
        QTemporaryDir dir;
        const QString path = dir.filePath("DATEI.XML");
        WriteFileBytes(path, bytes);
        ScriptedDialogs dialogs;
        if (damaged) dialogs.answer(mrOk);
        QString error;
        QTEST(r.load(path, error), "kept");
        QCOMPARE(dialogs.shown().size(), damaged ? 1 : 0);
        if (damaged)
            QVERIFY2(error.contains(QLatin1String(r.name)), qPrintable(error));
        else
            QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

KWP_REGISTER_TEST(TestXmlReaders)
#include "tst_xmlreaders.moc"
