#include <QFileInfo>
#include <QRect>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "admintestsupport.h"
#include "app/systemeinstellungen.h"
#include "labels/printetikettmanager.h"
#include "testsupport.h"

namespace {

// The layout file as the address manager finds it after logging in to the demo tenant.
QString demoLabelsFile(const QString& root) {
    struct TFinalize {
        ~TFinalize() { FinalizeApplication(); }
    } finalize;
    if (!InitApplicationFor(TProgramDir::Bin, root + QStringLiteral("/BIN/kwp00207"))) return {};
    if (!TSystemEinstellungen::Login(QStringLiteral("DEMO"), QStringLiteral("ADMIN"),
                                     QStringLiteral("admin"), TPasswordCheck::Check))
        return {};
    return SystemEinstellungen()->FormsDir() + QStringLiteral("LABELS_ADDRESS.XML");
}

const TPrintEtikettElement* demoElementWithVar(const TPrintEtikett& label, quint8 kind,
                                               const QString& var) {
    for (const auto& element : label.elements) {
        if (element->Kind != kind) continue;
        if (const auto* variable = dynamic_cast<const TPrintEtikettElementVariable*>(element.get());
            variable && variable->var == var)
            return element.get();
        if (const auto* code = dynamic_cast<const TPrintEtikettElementBarcode*>(element.get());
            code && code->var == var)
            return element.get();
    }
    return nullptr;
}

}  // namespace

class TestDemoLabels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demoFormsFitTheirSheets_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("positions");
        QTest::addColumn<int>("labelWidth");
        QTest::addColumn<int>("labelHeight");
        QTest::addColumn<int>("sheetWidth");
        QTest::addColumn<int>("sheetHeight");
        QTest::addColumn<int>("columns");
        QTest::newRow("A4 3 x 8, 70 x 36 mm") << 0 << 0 << 24 << 700 << 360 << 2100 << 2970 << 3;
        QTest::newRow("A4 2 x 7, 105 x 42,3 mm")
            << 1 << 0 << 14 << 1050 << 423 << 2100 << 2970 << 2;
        QTest::newRow("roll 89 x 36 mm") << 2 << 1 << 1 << 890 << 360 << 890 << 360 << 1;
    }
    void demoFormsFitTheirSheets() {
        QFETCH(int, form);
        QFETCH(int, type);
        QFETCH(int, positions);
        QFETCH(int, labelWidth);
        QFETCH(int, labelHeight);
        QFETCH(int, sheetWidth);
        QFETCH(int, sheetHeight);
        QFETCH(int, columns);
        QTemporaryDir dir;
        const QString root = dir.path();
        const TAdminRun run = runAdmin({QStringLiteral("demo"), root});
        QCOMPARE(run.code, 0);
        ScriptedDialogs dialogs;
        const QString fileName = demoLabelsFile(root);
        QVERIFY2(QFileInfo::exists(fileName), qPrintable(fileName));

        TPrintEtikettManager manager;
        manager.LoadFromFile(fileName);
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QCOMPARE(manager.forms().Count(), 3);
        TPrintEtikettForm* sheet = manager.forms().Items(form);
        QCOMPARE(int(sheet->type), type);
        QVERIFY(sheet->orientation);
        if (type == TPrintEtikettForm::ftCustom) {
            QCOMPARE(sheet->width, sheetWidth);
            QCOMPARE(sheet->height, sheetHeight);
        }
        QCOMPARE(sheet->positions.Count(), positions);

        const QRect paper(0, 0, sheetWidth, sheetHeight);
        QList<QRect> placed;
        for (int i = 0; i < sheet->positions.Count(); ++i) {
            TPrintEtikettHolder* position = sheet->positions.Items(i);
            const TPrintEtikett* label = position->Resolve(manager);
            QVERIFY2(label, qPrintable(position->name));
            QCOMPARE(label->width, labelWidth);
            QCOMPARE(label->height, labelHeight);
            // Row by row, left to right, edge to edge across the sheet.
            QCOMPARE(position->left, (i % columns) * labelWidth);
            if (i % columns != 0) QCOMPARE(position->top, sheet->positions.Items(i - 1)->top);
            const QRect area(position->left, position->top, labelWidth, labelHeight);
            QVERIFY2(paper.contains(area), qPrintable(QString::number(i)));
            for (const QRect& other : placed) QVERIFY(!other.intersects(area));
            placed.append(area);
        }

        // Every label shows the sender, a rule, the address block and the barcode of the
        // address number, all inside the label.
        const TPrintEtikett* label = sheet->positions.Items(0)->LabelCopy.get();
        QCOMPARE(label->elements.Count(), 4);
        const auto* sender = dynamic_cast<const TPrintEtikettElementVariable*>(
            demoElementWithVar(*label, TPrintEtikettElement::ekVariable, QStringLiteral("1")));
        QVERIFY(sender);
        QVERIFY(sender->name.contains(QStringLiteral("GmbH")));
        QCOMPARE(int(sender->vartype), 1);
        const auto* block = dynamic_cast<const TPrintEtikettElementVariable*>(demoElementWithVar(
            *label, TPrintEtikettElement::ekVariable, QStringLiteral("1041112")));
        QVERIFY(block);
        QCOMPARE(int(block->vartype), 1);
        // Without word wrap an "&" in a company name is printed as it is.
        QVERIFY(!block->wwrap);
        const auto* code = dynamic_cast<const TPrintEtikettElementBarcode*>(
            demoElementWithVar(*label, TPrintEtikettElement::ekBarcode, QStringLiteral("1041000")));
        QVERIFY(code);
        QCOMPARE(int(code->barcode), 6);  // Code 128, code set B: address numbers have letters
        bool hasLine = false;
        const QRect inside(0, 0, labelWidth, labelHeight);
        for (const auto& element : label->elements) {
            QVERIFY2(inside.contains(
                         QRect(element->left, element->top, element->width, element->height)),
                     qPrintable(element->name));
            if (const auto* object = dynamic_cast<const TPrintEtikettElementObject*>(element.get()))
                hasLine = object->objtype == TPrintEtikettElementObject::otLine &&
                          object->width > object->height;
        }
        QVERIFY(hasLine);
    }

    // A layout the user changed in the designer survives another demo run.
    void demoKeepsAnExistingLayoutFile() {
        QTemporaryDir dir;
        const QString root = dir.path();
        QCOMPARE(runAdmin({QStringLiteral("demo"), root}).code, 0);
        ScriptedDialogs dialogs;
        const QString fileName = demoLabelsFile(root);
        TPrintEtikettManager manager;
        manager.LoadFromFile(fileName);
        manager.forms().Delete(0);
        manager.SaveToFile(fileName);
        const QByteArray edited = ReadFileBytes(fileName);

        const TAdminRun again = runAdmin({QStringLiteral("demo"), root});
        QCOMPARE(again.code, 0);
        QCOMPARE(ReadFileBytes(fileName), edited);
    }
};

KWP_REGISTER_TEST(TestDemoLabels)
#include "tst_demolabels.moc"
