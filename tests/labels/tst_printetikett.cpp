#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>

#include "app/dialogs.h"
#include "labels/printetikett.h"
#include "labels/printetikettform.h"
#include "labels/printetikettmanager.h"
#include "testsupport.h"

namespace {

QString peGolden(const char* name) {
    return QStringLiteral(KWP_TEST_DATA_DIR "/") + QLatin1String(name);
}

// An element kind the file format does not know, as a plug-in of the designer might add.
class PeForeignElement : public TPrintEtikettElement {
public:
    explicit PeForeignElement(TPrintEtikett* owner) : TPrintEtikettElement(owner) {}
    void Paint(QPainter&) override {}
    std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const override {
        auto copy = std::make_unique<PeForeignElement>(owner);
        copyBaseTo(*copy);
        return copy;
    }
    QString XmlLine() const override { return QStringLiteral("<fremd/>"); }
};

// Two forms and two labels with every field away from its default.
void peFillExample(TPrintEtikettManager& manager) {
    TPrintEtikettForm* sheet = manager.forms().Add();
    sheet->name = QStringLiteral("A4 \"Standard\" 3 x 2 & Rand");
    sheet->width = 2100;
    sheet->height = 2970;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            TPrintEtikettHolder* position = sheet->positions.Add();
            position->name = QStringLiteral("Adresse");
            position->left = column * 700;
            position->top = 45 + row * 360;
        }
    }
    sheet->positions.Add()->name = QStringLiteral("Gibt es nicht");

    TPrintEtikettForm* roll = manager.forms().Add();
    roll->name = QStringLiteral("Rolle 89 x 36 quer");
    roll->type = TPrintEtikettForm::ftCustom;
    roll->orientation = false;
    roll->width = 890;
    roll->height = 360;
    TPrintEtikettHolder* single = roll->positions.Add();
    single->name = QStringLiteral("adresse");
    single->left = -5;
    single->top = 12;

    TPrintEtikett* label = manager.labels().Add();
    label->name = QStringLiteral("Adresse");
    label->width = 700;
    label->height = 360;
    label->withborder = true;
    auto variable = std::make_unique<TPrintEtikettElementVariable>(label);
    variable->name = QStringLiteral("Anschrift <Block>\r\n'Müller' & Söhne");
    variable->left = 50;
    variable->top = 60;
    variable->width = 450;
    variable->height = 250;
    variable->var = QStringLiteral("1041112");
    variable->vartype = 2;
    variable->ortp = true;
    variable->fname = QStringLiteral("Times New Roman");
    variable->color = 255;
    variable->bold = true;
    variable->underl = true;
    variable->ralign = true;
    variable->fsize = 12;
    variable->wwrap = true;
    label->elements.Add(std::move(variable));
    auto frame = std::make_unique<TPrintEtikettElementObject>(label);
    frame->name = QStringLiteral("Rahmen");
    frame->width = 700;
    frame->height = 360;
    frame->objtype = TPrintEtikettElementObject::otRectangle;
    frame->color = 0xC0C0C0;
    frame->fill = true;
    frame->fillcolor = 0xFFFFFF;
    frame->linewidth = 3;
    frame->style = 2;
    label->elements.Add(std::move(frame));
    auto code = std::make_unique<TPrintEtikettElementBarcode>(label);
    code->name = QStringLiteral("Nr.");
    code->left = 500;
    code->top = 250;
    code->width = 180;
    code->height = 80;
    code->var = QStringLiteral("1041000");
    code->barcode = 6;
    code->showtext = 3;
    code->showtextpos = 2;
    label->elements.Add(std::move(code));

    TPrintEtikett* empty = manager.labels().Add();
    empty->name = QStringLiteral("Leer");
    empty->width = -1;
    empty->height = 0;
}

// "form(position,...)" per form, then "|" and "label(element,...)" per label.
QString peSummary(const TPrintEtikettManager& manager) {
    QStringList forms;
    for (const auto& form : manager.forms()) {
        QStringList names;
        for (const auto& position : form->positions) names.append(position->name);
        forms.append(form->name + u'(' + names.join(u',') + u')');
    }
    QStringList labels;
    for (const auto& label : manager.labels()) {
        QStringList names;
        for (const auto& element : label->elements) {
            // An element that does not know its label shows up in the summary.
            names.append(element->owner() == label.get() ? element->name
                                                         : element->name + QStringLiteral("!"));
        }
        labels.append(label->name + u'(' + names.join(u',') + u')');
    }
    return forms.join(u';') + u'|' + labels.join(u';');
}

// The text fields of the first form and label of peFillExample.
QList<QString*> peTextFields(TPrintEtikettManager& manager) {
    TPrintEtikettForm* form = manager.forms().Items(0);
    TPrintEtikett* label = manager.labels().Items(0);
    auto* variable = dynamic_cast<TPrintEtikettElementVariable*>(label->elements.Items(0));
    auto* code = dynamic_cast<TPrintEtikettElementBarcode*>(label->elements.Items(2));
    if (!variable || !code) return {};
    return {&form->name,
            &form->positions.Items(0)->name,
            &label->name,
            &variable->name,
            &variable->var,
            &variable->fname,
            &label->elements.Items(1)->name,
            &code->name,
            &code->var};
}

QStringList peBodyLines(TPrintEtikettManager& manager) {
    return manager.GetXMLBody(true).split(QStringLiteral("\r\n"));
}

}  // namespace

class TestPrintEtikett : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedFileMatchesGolden_data() {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty") << false << peGolden("labels_empty.xml");
        QTest::newRow("two forms, two labels") << true << peGolden("labels_example.xml");
    }
    void savedFileMatchesGolden() {
        QFETCH(bool, filled);
        QFETCH(QString, golden);
        QTemporaryDir dir;
        const QString path = dir.filePath("LABELS_ADDRESS.XML");
        TPrintEtikettManager manager;
        if (filled) peFillExample(manager);
        // Drawing state is not stored: loaded positions are active and have no label yet.
        for (const auto& form : manager.forms()) {
            for (const auto& position : form->positions) {
                position->Active = false;
                position->Resolve(manager);
            }
        }
        manager.SaveToFile(path);
        const QByteArray expected = ReadFileBytes(golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadFileBytes(path), expected);

        // Every stored field is written, so an equal second file means an equal manager.
        TPrintEtikettManager loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(peSummary(loaded), peSummary(manager));
        for (const auto& form : loaded.forms()) {
            for (const auto& position : form->positions) {
                QVERIFY(position->Active);
                QVERIFY(!position->LabelCopy);
            }
        }
        const QString again = dir.filePath("AGAIN.XML");
        loaded.SaveToFile(again);
        QCOMPARE(ReadFileBytes(again), expected);
    }

    void textsSurviveSaveAndLoad_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("line breaks") << "Zeile 1\r\nZeile 2\nZeile 3\r";
        QTest::newRow("blanks kept") << "  vorne und hinten  ";
        QTest::newRow("format directives") << "100 %s %d %% %n";
        QTest::newRow("unicode") << "Ærø € 日本語 😀";
        QTest::newRow("entity text") << "&amp; &#13; &lt;";
    }
    void textsSurviveSaveAndLoad() {
        QFETCH(QString, text);
        TPrintEtikettManager manager;
        peFillExample(manager);
        for (QString* field : peTextFields(manager)) *field = text;
        QTemporaryDir dir;
        const QString path = dir.filePath("LABELS_ADDRESS.XML");
        manager.SaveToFile(path);
        TPrintEtikettManager loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.forms().Count(), 2);
        QCOMPARE(loaded.labels().Count(), 2);
        QCOMPARE(loaded.labels().Items(0)->elements.Count(), 3);
        const QList<QString*> fields = peTextFields(loaded);
        QCOMPARE(fields.size(), 9);
        for (const QString* field : fields) QCOMPARE(*field, text);
        // The label found for the position is the renamed one.
        QVERIFY(loaded.forms().Items(0)->positions.Items(0)->Resolve(loaded));
    }

    void numbersSurviveSaveAndLoad_data() {
        QTest::addColumn<qint32>("number");
        QTest::addColumn<quint8>("byte");
        QTest::newRow("zero") << 0 << quint8(0);
        QTest::newRow("negative") << -1 << quint8(255);
        QTest::newRow("largest") << std::numeric_limits<qint32>::max() << quint8(128);
        QTest::newRow("smallest") << std::numeric_limits<qint32>::min() << quint8(127);
    }
    void numbersSurviveSaveAndLoad() {
        QFETCH(qint32, number);
        QFETCH(quint8, byte);
        TPrintEtikettManager manager;
        TPrintEtikettForm* form = manager.forms().Add();
        form->type = byte;
        form->width = form->height = number;
        TPrintEtikettHolder* position = form->positions.Add();
        position->left = position->top = number;
        TPrintEtikett* label = manager.labels().Add();
        label->width = label->height = number;
        auto variable = std::make_unique<TPrintEtikettElementVariable>(label);
        variable->left = variable->top = variable->width = variable->height = number;
        variable->vartype = byte;
        variable->color = number;
        variable->fsize = number;
        label->elements.Add(std::move(variable));
        auto object = std::make_unique<TPrintEtikettElementObject>(label);
        object->objtype = object->style = byte;
        object->color = object->fillcolor = object->linewidth = number;
        label->elements.Add(std::move(object));
        auto code = std::make_unique<TPrintEtikettElementBarcode>(label);
        code->barcode = code->showtext = code->showtextpos = byte;
        label->elements.Add(std::move(code));

        const QString written = manager.GetXMLBody(true);
        TPrintEtikettManager loaded;
        QVERIFY(loaded.LoadFromXML(written));
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.GetXMLBody(true), written);
        QCOMPARE(loaded.forms().Items(0)->type, byte);
        QCOMPARE(loaded.forms().Items(0)->positions.Items(0)->top, number);
        auto* loadedObject =
            dynamic_cast<TPrintEtikettElementObject*>(loaded.labels().Items(0)->elements.Items(1));
        QVERIFY(loadedObject);
        QCOMPARE(loadedObject->fillcolor, number);
        QCOMPARE(loadedObject->style, byte);
    }

    // Each row reads one hand-written element and expects one line of the file written back.
    void attributesAreReadTolerantly_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("line");
        const QString label = QStringLiteral(
            "    <etikett name=\"\" width=\"%1\" height=\"%2\" "
            "withborder=\"%3\">");
        const QString form = QStringLiteral(
            "    <formular name=\"\" type=\"%1\" "
            "orientation=\"%2\" width=\"%3\" height=\"%4\">");
        const QString variable = QStringLiteral(
            "      <etikettvar name=\"\" left=\"0\" top=\"0\" width=\"100\" height=\"100\" "
            "var=\"\" vartype=\"%1\" ortp=\"0\" fname=\"%2\" color=\"%3\" bold=\"0\" "
            "italic=\"0\" underl=\"0\" ralign=\"0\" fsize=\"%4\" wwrap=\"0\"/>");
        const QString object = QStringLiteral(
            "      <etikettobj name=\"\" left=\"0\" top=\"0\" width=\"100\" height=\"100\" "
            "objtype=\"%1\" color=\"0\" fill=\"0\" fillcolor=\"0\" linewidth=\"%2\" "
            "style=\"%3\"/>");
        const QString code = QStringLiteral(
            "      <etikettbarc name=\"\" left=\"0\" top=\"0\" width=\"100\" height=\"100\" "
            "var=\"\" barcode=\"%1\" showtext=\"%2\" showtextpos=\"%3\"/>");

        QTest::newRow("label defaults") << "<etikett/>" << label.arg("1000", "400", "0");
        QTest::newRow("form defaults") << "<formular/>" << form.arg("0", "-1", "0", "0");
        QTest::newRow("position defaults") << "<formular/><etikettref/>"
                                           << "      <etikettref name=\"\" left=\"0\" top=\"0\"/>";
        QTest::newRow("variable defaults")
            << "<etikett/><etikettvar/>" << variable.arg("0", "Arial", "0", "10");
        QTest::newRow("object defaults") << "<etikett/><etikettobj/>" << object.arg("1", "1", "0");
        QTest::newRow("barcode defaults") << "<etikett/><etikettbarc/>" << code.arg("3", "1", "5");

        // Not a different number: "4,0" must not become 40.
        QTest::newRow("units and separators read 0")
            << "<etikett width=\"12mm\" height=\"4,0\"/>" << label.arg("0", "0", "0");
        QTest::newRow("empty number reads 0, not the default")
            << "<etikett width=\"\" height=\"hoch\"/>" << label.arg("0", "0", "0");
        QTest::newRow("custom form without size")
            << "<formular type=\"1\"/>" << form.arg("1", "-1", "0", "0");

        QTest::newRow("orientation 0 is landscape")
            << "<formular orientation=\"0\"/>" << form.arg("0", "0", "0", "0");
        QTest::newRow("malformed orientation is portrait")
            << "<formular orientation=\"quer\"/>" << form.arg("0", "-1", "0", "0");
        QTest::newRow("withborder 1")
            << "<etikett withborder=\"1\"/>" << label.arg("1000", "400", "-1");
        QTest::newRow("malformed withborder is false")
            << "<etikett withborder=\"ja\"/>" << label.arg("1000", "400", "0");

        QTest::newRow("form type keeps low 8 bits")
            << "<formular type=\"257\"/>" << form.arg("1", "-1", "0", "0");
        QTest::newRow("vartype 258")
            << "<etikett/><etikettvar vartype=\"258\"/>" << variable.arg("2", "Arial", "0", "10");
        QTest::newRow("vartype -1")
            << "<etikett/><etikettvar vartype=\"-1\"/>" << variable.arg("255", "Arial", "0", "10");
        QTest::newRow("objtype and style low bits")
            << "<etikett/><etikettobj objtype=\"256\" style=\"-250\"/>"
            << object.arg("0", "1", "6");
        QTest::newRow("barcode bytes low bits")
            << "<etikett/><etikettbarc barcode=\"262\" showtext=\"511\" showtextpos=\"x\"/>"
            << code.arg("6", "255", "0");

        QTest::newRow("empty font name stays empty")
            << "<etikett/><etikettvar fname=\"\"/>" << variable.arg("0", "", "0", "10");
        QTest::newRow("system colour, font size with unit reads 0")
            << "<etikett/><etikettvar color=\"-16777201\" fsize=\"12pt\"/>"
            << variable.arg("0", "Arial", "-16777201", "0");
    }
    void attributesAreReadTolerantly() {
        QFETCH(QString, body);
        QFETCH(QString, line);
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral("<etiketten>") + body +
                                    QStringLiteral("</etiketten>")));
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        const QStringList lines = peBodyLines(manager);
        QVERIFY2(lines.contains(line), qPrintable(lines.join(u'\n')));
    }

    void elementsAreFoundByNameWherever_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("summary");
        QTest::newRow("usual nesting")
            << "<formularlist><formular name=\"F\"><etikettref name=\"a\"/><etikettref "
               "name=\"b\"/></formular></formularlist><etikettlist><etikett name=\"L\">"
               "<etikettvar name=\"v\"/><etikettobj name=\"o\"/><etikettbarc name=\"c\"/>"
               "</etikett></etikettlist>"
            << "F(a,b)|L(v,o,c)";
        QTest::newRow("without wrapping lists")
            << "<formular name=\"F\"/><etikettref name=\"a\"/><etikett name=\"L\"/>"
               "<etikettvar name=\"v\"/>"
            << "F(a)|L(v)";
        QTest::newRow("position before any form is dropped")
            << "<etikettref name=\"x\"/><formular name=\"F\"/><etikettref name=\"a\"/>"
            << "F(a)|";
        QTest::newRow("element before any label is dropped")
            << "<etikettvar name=\"x\"/><etikettobj name=\"z\"/><etikettbarc name=\"y\"/>"
               "<etikett name=\"L\"/>"
               "<etikettobj name=\"o\"/>"
            << "|L(o)";
        QTest::newRow("element after the end tag joins the last label")
            << "<etikett name=\"L1\"></etikett><etikett name=\"L2\"></etikett>"
               "<etikettbarc name=\"c\"/>"
            << "|L1();L2(c)";
        QTest::newRow("position inside a label joins the last form")
            << "<formular name=\"F1\"/><formular name=\"F2\"/><etikett name=\"L\">"
               "<etikettref name=\"r\"/></etikett>"
            << "F1();F2(r)|L()";
        QTest::newRow("forms and labels interleaved keep file order")
            << "<etikett name=\"L1\"/><formular name=\"F1\"/><etikett name=\"L2\"/>"
               "<formular name=\"F2\"/><etikettref name=\"r\"/><etikettvar name=\"v\"/>"
            << "F1();F2(r)|L1();L2(v)";
        QTest::newRow("elements nested in elements")
            << "<formular name=\"F\"><etikett name=\"L\"><etikettvar name=\"v\">"
               "<etikettobj name=\"o\"/></etikettvar></etikett><etikettref name=\"r\"/>"
               "</formular>"
            << "F(r)|L(v,o)";
        QTest::newRow("unknown elements and text are ignored")
            << "Text<fremd name=\"x\"><etikett name=\"L\">mehr Text<etikettbild name=\"b\"/>"
               "<etikettvar name=\"v\"><![CDATA[Daten]]></etikettvar></etikett></fremd>"
               "<formularliste><etikettreference name=\"z\"/></formularliste>"
            << "|L(v)";
    }
    void elementsAreFoundByNameWherever() {
        QFETCH(QString, body);
        ScriptedDialogs dialogs;
        // Content of an earlier file is gone; strays must not join its forms and labels.
        TPrintEtikettManager manager;
        peFillExample(manager);
        QVERIFY(manager.LoadFromXML(QStringLiteral("<etiketten>") + body +
                                    QStringLiteral("</etiketten>")));
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QTEST(peSummary(manager), "summary");
    }

    void loadsFromStream() {
        QByteArray bytes = ReadFileBytes(peGolden("labels_example.xml"));
        QBuffer stream(&bytes);
        QVERIFY(stream.open(QIODevice::ReadOnly));
        stream.seek(bytes.size());
        TPrintEtikettManager manager;
        manager.LoadFromStream(&stream);
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QCOMPARE(manager.GetXML(true),
                 QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2));
    }

    void findLabelCopy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");  // of the label found, 0 for none
        QTest::newRow("exact") << "Adresse" << 700;
        QTest::newRow("other case finds the first") << "ADRESSE" << 700;
        QTest::newRow("umlaut in other case") << "größe" << 500;
        QTest::newRow("prefix is no match") << "Adress" << 0;
        QTest::newRow("blank is no match") << "Adresse " << 0;
        QTest::newRow("empty name finds the unnamed label") << "" << 300;
        QTest::newRow("unknown") << "Paket" << 0;
    }
    void findLabelCopy() {
        QFETCH(QString, name);
        QFETCH(int, width);
        TPrintEtikettManager manager;
        const auto addLabel = [&manager](const char* labelName, int labelWidth) {
            TPrintEtikett* label = manager.labels().Add();
            label->name = QString::fromUtf8(labelName);
            label->width = labelWidth;
        };
        addLabel("Adresse", 700);
        addLabel("ADRESSE", 800);
        addLabel("GRÖSSE", 400);
        addLabel("GRÖSSE", 450);
        addLabel("Größe", 500);
        addLabel("", 300);
        addLabel("adresse", 900);
        const std::unique_ptr<TPrintEtikett> copy = manager.FindLabelCopy(name);
        QCOMPARE(copy ? copy->width : 0, width);
        if (copy) {
            for (const auto& label : manager.labels()) QVERIFY(label.get() != copy.get());
        }
    }

    void labelCopyIsIndependent() {
        TPrintEtikettManager manager;
        peFillExample(manager);
        TPrintEtikett* source = manager.labels().Items(0);
        source->elements.Add(std::make_unique<PeForeignElement>(source));
        static_cast<TPrintEtikettElementVariable*>(source->elements.Items(0))->Value =
            QStringLiteral("Firma\r\nMuster");
        static_cast<TPrintEtikettElementBarcode*>(source->elements.Items(2))->Value =
            QStringLiteral("K10001");
        source->OriginX = 700;
        source->OriginY = 360;
        source->DesignMode = true;
        source->ShowFrames = true;
        source->SelectedElement = source->elements.Items(1);
        source->DpiX = 300;
        source->DpiY = 600;

        const std::unique_ptr<TPrintEtikett> copy = source->Copy();
        QCOMPARE(copy->XmlLine(), source->XmlLine());
        QCOMPARE(copy->elements.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const TPrintEtikettElement* element = copy->elements.Items(i);
            QCOMPARE(element->owner(), copy.get());
            QVERIFY(element != source->elements.Items(i));
            QCOMPARE(element->Kind, source->elements.Items(i)->Kind);
            QCOMPARE(element->XmlLine(), source->elements.Items(i)->XmlLine());
        }
        auto* variable = dynamic_cast<TPrintEtikettElementVariable*>(copy->elements.Items(0));
        QVERIFY(variable);
        QCOMPARE(variable->Value, QStringLiteral("Firma\r\nMuster"));
        auto* code = dynamic_cast<TPrintEtikettElementBarcode*>(copy->elements.Items(2));
        QVERIFY(code);
        QCOMPARE(code->Value, QStringLiteral("K10001"));
        // Drawing state is the copy's own.
        QCOMPARE(copy->OriginX, 0);
        QCOMPARE(copy->OriginY, 0);
        QVERIFY(!copy->DesignMode);
        QVERIFY(!copy->ShowFrames);
        QVERIFY(!copy->SelectedElement);
        QCOMPARE(copy->DpiX, TPrintEtikett::ScreenDpi());
        QCOMPARE(copy->DpiY, TPrintEtikett::ScreenDpi());

        // Filling the copy leaves the label of the file alone.
        variable->Value = QStringLiteral("anders");
        variable->name = QStringLiteral("umbenannt");
        copy->width = 1;
        QCOMPARE(static_cast<TPrintEtikettElementVariable*>(source->elements.Items(0))->Value,
                 QStringLiteral("Firma\r\nMuster"));
        QVERIFY(source->elements.Items(0)->name.startsWith(QStringLiteral("Anschrift")));
        QCOMPARE(source->width, 700);
        QCOMPARE(source->elements.Items(0)->owner(), source);
    }

    void unknownElementKindsAreNotWritten() {
        TPrintEtikettManager manager;
        TPrintEtikett* label = manager.labels().Add();
        label->name = QStringLiteral("L");
        label->elements.Add(std::make_unique<PeForeignElement>(label))->name =
            QStringLiteral("fremd");
        auto object = std::make_unique<TPrintEtikettElementObject>(label);
        object->name = QStringLiteral("Linie");
        label->elements.Add(std::move(object));
        // A known class that claims another kind is left out as well.
        auto relabelled = std::make_unique<TPrintEtikettElementVariable>(label);
        relabelled->Kind = TPrintEtikettElement::ekUnknown;
        label->elements.Add(std::move(relabelled));

        const QStringList lines = peBodyLines(manager);
        QCOMPARE(lines.size(), 10);
        QVERIFY(lines.at(5).startsWith(QStringLiteral("      <etikettobj name=\"Linie\"")));
        QCOMPARE(lines.at(6), QStringLiteral("    </etikett>"));
        QCOMPARE(label->Copy()->elements.Count(), 1);
    }

    // Positions find their labels when they are drawn, not while the file is read.
    void positionsResolveAtDrawingTime() {
        ScriptedDialogs dialogs;
        TPrintEtikettManager manager;
        QVERIFY(manager.LoadFromXML(QStringLiteral(
            "<etiketten><formularlist><formular name=\"F\">"
            "<etikettref name=\"Paket\" left=\"700\" top=\"45\"/>"
            "<etikettref name=\"paket\" left=\"0\" top=\"405\"/>"
            "<etikettref name=\"Fehlt\" left=\"10\" top=\"10\"/>"
            "</formular></formularlist><etikettlist>"
            "<etikett name=\"PAKET\" width=\"890\"><etikettvar name=\"v\" var=\"1041112\"/>"
            "</etikett><etikett name=\"Paket\" width=\"100\"/></etikettlist></etiketten>")));
        TPrintEtikettForm* form = manager.forms().Items(0);
        TPrintEtikettHolder* first = form->positions.Items(0);
        TPrintEtikettHolder* second = form->positions.Items(1);
        TPrintEtikettHolder* missing = form->positions.Items(2);
        QVERIFY(!first->LabelCopy);

        TPrintEtikett* copy = first->Resolve(manager);
        QVERIFY(copy);
        QCOMPARE(copy->width, 890);  // the first label of that name
        QCOMPARE(copy->OriginX, 700);
        QCOMPARE(copy->OriginY, 45);
        QCOMPARE(copy->elements.Count(), 1);

        // The copy is kept; a moved position moves it.
        static_cast<TPrintEtikettElementVariable*>(copy->elements.Items(0))->Value =
            QStringLiteral("Adresse 1");
        first->left = 1400;
        QCOMPARE(first->Resolve(manager), copy);
        QCOMPARE(copy->OriginX, 1400);
        QCOMPARE(static_cast<TPrintEtikettElementVariable*>(copy->elements.Items(0))->Value,
                 QStringLiteral("Adresse 1"));

        // Every position has a copy of its own.
        TPrintEtikett* other = second->Resolve(manager);
        QVERIFY(other);
        QVERIFY(other != copy);
        QCOMPARE(other->OriginY, 405);
        QCOMPARE(static_cast<TPrintEtikettElementVariable*>(other->elements.Items(0))->Value,
                 QString());

        QVERIFY(!missing->Resolve(manager));
        QVERIFY(!missing->LabelCopy);
        // Looked up again on the next drawing.
        manager.labels().Add()->name = QStringLiteral("fehlt");
        QVERIFY(missing->Resolve(manager));
        QCOMPARE(missing->LabelCopy->OriginX, 10);
    }
};

KWP_REGISTER_TEST(TestPrintEtikett)
#include "tst_printetikett.moc"
